// The macro file (".vmf"): the whole editor macro list kept between runs. Little-endian, no
// signature: the macro count N, then N records of a 512-byte UTF-16 name field, the ten option
// words, the item count M and M items of 16 bytes. The working fields of a macro are not kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "varnel/LumoApi.h"

namespace varnel {

// Units of text a name field holds with its terminating zero unit; a field without any zero
// unit reads as all 256 units.
inline constexpr size_t kMacroFileNameUnits = 255;

// Reads a whole macro file image. A file whose counts or records do not fit its length is
// refused as a whole: the result is empty and `problem` tells which macro and what is wrong.
// The macros read come back as new records (playback cursor -1, other working fields zero).
// A record whose name is empty holds nothing but its name field; it reads as a macro with an
// empty name, no items and zero options.
std::optional<std::vector<EditorMacro>> ParseMacroFile(std::span<const uint8_t> image,
                                                       std::string& problem);

// Writes the image of a macro list. A name is kept up to its first zero unit (where a reader
// stops) and cut to 255 units (one less when the cut would split a surrogate pair). Macros whose
// kept name is empty are left out and N counts only the macros written: a reader takes an
// empty-named record for a bare name field, so writing one in full would make the rest of the
// file unreadable. So every image written parses back to the macros written.
std::vector<uint8_t> EncodeMacroFile(const std::vector<EditorMacro>& macros);

}  // namespace varnel
