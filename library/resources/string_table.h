// The library's own string table, in English and Korean.
#pragma once

#include <cstdint>
#include <string>

namespace varnel {

// The text of `id` in the user-interface language (Korean for Korean users, else English), or
// in the given language. An id the table does not hold gives the empty text.
std::u16string LibraryText(uint16_t id);
std::u16string LibraryText(uint16_t id, uint16_t language);

}  // namespace varnel
