#include "user_language.h"

#include <cstdlib>
#include <string_view>

namespace varnel {

uint16_t UserLanguageFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        const std::string_view locale(value);
        // The language is what comes before the territory, code set or modifier.
        const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
        return language == "ko" ? kLangKorean : kLangEnglishUS;
    }
    return kLangEnglishUS;
}

uint16_t UiLanguageFor(uint16_t userLanguage) {
    return (userLanguage & 0x3FF) == (kLangKorean & 0x3FF) ? userLanguage : kLangEnglishUS;
}

uint32_t AnsiCodePageForLanguage(uint16_t language) {
    return (language & 0x3FF) == (kLangKorean & 0x3FF) ? 949 : 1252;
}

}  // namespace varnel
