// Texts of key assignment editing from the program's string table, in English and Korean.
#pragma once

#include <cstdint>
#include <string>

namespace varnel::program {

enum KeyAssignmentText : uint16_t {
    kTextCalculator = 130,
    kTextMouseLeft = 223,
    kTextMouseMiddle = 224,
    kTextMouseRight = 225,
    kTextWebBrowser = 226,  // 226 to 233: the media functions in their bit order
    kTextWindowsSearch = 227,
    kTextEmail = 228,
    kTextDesktop = 229,
    kTextMediaPlayer = 230,
    kTextVolumeDown = 231,
    kTextMute = 232,
    kTextVolumeUp = 233,
    kTextDataChanged = 242,
    kTextSaveToProfile = 243,
};

// The text in the language GetUiLanguage gives (1042 Korean, else English).
std::u16string KeyAssignmentString(uint16_t id, uint16_t language);

}  // namespace varnel::program
