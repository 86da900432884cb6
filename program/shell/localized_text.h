// The program's string tables: each text in English and Korean, chosen by the language
// GetUiLanguage gives (1042 Korean, anything else English).
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace varnel::program {

inline constexpr uint16_t kKoreanLanguage = 1042;

struct LocalizedText {
    const char16_t* english;
    const char16_t* korean;
};

using StringTable = std::map<uint16_t, LocalizedText>;

// The text of `id` in `language`; the empty text for an id the table does not hold.
std::u16string LookUpText(const StringTable& table, uint16_t id, uint16_t language);

}  // namespace varnel::program
