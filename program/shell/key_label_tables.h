// The names that key captions are made of: 108 names of a full-size keyboard's keys and the
// three mouse buttons, each naming one cell of an entry's output bitmap; the order in which a
// caption joins them; the short names of the media functions; and the default captions of the
// keypad's 21 keys.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "keymap_image.h"

namespace varnel::program {

inline constexpr int kKeyNames = 108;
inline constexpr std::u16string_view kMacroStopLabel = u"M-STOP";

// The name of name index 0 to 107 ("ESC", "F1", ..., "M-Right"); empty outside that range.
std::u16string_view KeyNameOf(int nameIndex);
// The output bit that name index 0 to 107 stands for.
OutputBit OutputBitOfKeyName(int nameIndex);
// The name index of an output bit; none for cells without a name, the calculator flag and the
// media marker included.
std::optional<int> KeyNameIndexAt(OutputBit bit);

// All 108 name indices in the order a caption joins them: both Shifts, both Ctrls, both Alts
// and the mouse buttons lead.
const std::array<uint8_t, kKeyNames>& KeyNameJoinOrder();

// "Web", "Search", "E-Mail", "Desk", "Media", "Vol-", "Mute", "Vol+".
std::u16string_view MediaShortName(MediaFunction function);
OutputBit MediaFunctionBit(MediaFunction function);

// What keypad key 0 to 20 shows without an assignment: "F1" ... "NUM", "/", ..., "0", "DEL".
std::u16string_view DefaultCaption(int keyIndex);

}  // namespace varnel::program
