// Texts of the keypad window and its tray menu from the program's string table, in English and
// Korean.
#pragma once

#include <cstdint>
#include <string>

namespace varnel::program {

enum ShellText : uint16_t {
    kTextCompleted = 102,
    kTextFactoryResetQuestion = 254,
};

// The text in the language GetUiLanguage gives (1042 Korean, else English).
std::u16string ShellString(uint16_t id, uint16_t language);

}  // namespace varnel::program
