// Texts of the macro workshop from the program's string table, in English and Korean.
#pragma once

#include <cstdint>
#include <string>

namespace varnel::program {

enum WorkshopText : uint16_t {
    kTextForward = 136,
    kTextBack = 137,
    kTextTooManyMacros = 140,
    kTextMacroItem = 146,
    kTextKeyboard = 147,
    kTextMouse = 148,
    kTextDelay = 149,
    kTextDown = 155,
    kTextUp = 156,
    kTextWheelUp = 159,
    kTextWheelDown = 160,
    kTextLeftButton = 161,
    kTextRightButton = 162,
    kTextMiddleButton = 163,
    kTextAbsolutePosition = 164,
    kTextRelativePosition = 165,
    kTextDelete = 182,
    kTextUpdateMacro = 244,
    kTextUploadWait = 247,
};

// The text in the language GetUiLanguage gives (1042 Korean, else English).
std::u16string WorkshopString(uint16_t id, uint16_t language);

}  // namespace varnel::program
