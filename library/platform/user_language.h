// The user's language as a language identifier, from the locale environment.
#pragma once

#include <cstdint>

namespace varnel {

inline constexpr uint16_t kLangEnglishUS = 0x0409;  // 1033
inline constexpr uint16_t kLangKorean = 0x0412;     // 1042

// The first non-empty of LC_ALL, LC_MESSAGES and LANG decides, as it does for the C library's
// messages. Korean ("ko", "ko_KR.UTF-8", ...) gives 0x0412; everything else 0x0409.
uint16_t UserLanguageFromEnvironment();

// The language the library's texts are shown in: the user's language when it is Korean (primary
// language 0x12, the low ten bits), else English (1033).
uint16_t UiLanguageFor(uint16_t userLanguage);

// Windows code page of the ANSI text in a language: 949 for Korean, else 1252.
uint32_t AnsiCodePageForLanguage(uint16_t language);

}  // namespace varnel
