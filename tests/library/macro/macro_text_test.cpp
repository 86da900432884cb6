// Display text of macro steps: the action words and one line per item, in English and Korean.
#include "macro_text.h"

#include <gtest/gtest.h>

#include "lumo_api_library.h"
#include "recording_host.h"
#include "text_encoding.h"

namespace varnel {
namespace {

constexpr uint16_t kEnglish = 1033;
constexpr uint16_t kKorean = 1042;

std::string EnglishText(const MacroItem& item) {
    return Utf16ToUtf8(FormatMacroItem(item, kEnglish));
}

MacroItem Keyboard(uint32_t keyCode, uint32_t action) {
    return {kMacroItemKeyboard, keyCode, action, 0};
}
MacroItem Mouse(uint32_t flags, int32_t x = 0, int32_t y = 0) {
    return {kMacroItemMouse, static_cast<uint32_t>(x), static_cast<uint32_t>(y), flags};
}
MacroItem Delay(uint32_t value, uint32_t subKind, uint32_t spread = 0) {
    return {kMacroItemDelay, value, subKind, spread};
}
// Mouse flags with the signed mouse data in bits 16-31.
uint32_t WithData(uint32_t flags, int16_t data) {
    return flags | static_cast<uint32_t>(static_cast<uint16_t>(data)) << 16;
}

TEST(MacroActionNames, KeyAndButtonActionsInEnglish) {
    struct Case {
        uint32_t action;
        const char* key;
        const char* button;
    };
    const Case cases[] = {
        {0, "", ""},      {1, "Down", "Down"},   {2, "Up", "Up"},
        {3, "", "Click"}, {4, "Error", "Error"}, {0xFFFFFFFF, "Error", "Error"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16ToUtf8(KeyActionName(c.action, kEnglish)), c.key) << c.action;
        EXPECT_EQ(Utf16ToUtf8(ButtonActionName(c.action, kEnglish)), c.button) << c.action;
    }
}

TEST(MacroItemText, TheThreeEnglishExamples) {
    EXPECT_EQ(EnglishText(Keyboard(0x41, 0)), "    Keyboard A KEY ");
    EXPECT_EQ(EnglishText(Keyboard(0x41, 2)), "    Keyboard A KEY Up");
    EXPECT_EQ(EnglishText(Mouse(0x8001 | 6, 100, 200)),
              "    Mouse Left Button_Click Absolute position(100, 200) ");
    EXPECT_EQ(EnglishText(Delay(50, 0, 3)), "    Delay 50 ms , Random delay +- 30% Add");
}

TEST(MacroItemText, EveryKindAndField) {
    struct Case {
        const char* what;
        MacroItem item;
        const char* text;
    };
    const Case cases[] = {
        {"start", {kMacroItemStart, 0, 0, 0}, "    (Start)"},

        {"key down", Keyboard(0x41, 1), "    Keyboard A KEY Down"},
        {"full press, action 3", Keyboard(0x41, 3), "    Keyboard A KEY "},
        {"action by its two low bits", Keyboard(0x41, 5), "    Keyboard A KEY Down"},
        {"key code is the low 16 bits", Keyboard(0x70041, 2), "    Keyboard A KEY Up"},
        {"scan byte tells the Shift keys apart", Keyboard(0x3610, 1),
         "    Keyboard Right SHIFT KEY Down"},
        {"key not in the table", Keyboard(0x7C, 1), "    Keyboard (Unknown) Down"},

        {"no fields", Mouse(0), "    Mouse "},
        {"wheel up", Mouse(WithData(0x800, 20)), "    Mouse Wheel up "},
        {"wheel amount 1", Mouse(WithData(0x800, 1)), "    Mouse Wheel up "},
        {"wheel amount 0", Mouse(0x800), "    Mouse Wheel down "},
        {"wheel down", Mouse(WithData(0x800, -20)), "    Mouse Wheel down "},
        {"left down", Mouse(2), "    Mouse Left Button_Down "},
        {"left up", Mouse(4), "    Mouse Left Button_Up "},
        {"right click", Mouse(24), "    Mouse Right Button_Click "},
        {"middle down", Mouse(32), "    Mouse Middle button_Down "},
        {"buttons in order left, right, middle", Mouse(96 | 16 | 2),
         "    Mouse Left Button_Down Right Button_Up Middle button_Click "},
        {"back down", Mouse(0x10080), "    Mouse BACK_BUTTON Down "},
        {"back up", Mouse(0x10100), "    Mouse BACK_BUTTON Up "},
        {"forward click", Mouse(0x20180), "    Mouse FORWARD_BUTTON Click "},
        {"side button with other data", Mouse(0x30180), "    Mouse "},
        {"side button without data", Mouse(0x180), "    Mouse "},
        {"relative position", Mouse(0x1, -5, 7), "    Mouse Relative position(-5, 7) "},
        {"relative position marked", Mouse(0x201, 3, -4), "    Mouse Relative position(3, -4) *SI"},
        {"absolute position marked", Mouse(0x8201, 100, 200),
         "    Mouse Absolute position(100, 200) *SI"},
        {"marker without position", Mouse(0x8200, 100, 200), "    Mouse "},
        {"wheel, button and position together", Mouse(WithData(0x800 | 0x8 | 0x8001, 20), 1, 2),
         "    Mouse Wheel up Right Button_Down Absolute position(1, 2) "},

        {"pause", Delay(50, 0), "    Delay 50 ms "},
        {"pause spread 15 counts as 10", Delay(50, 0, 15),
         "    Delay 50 ms , Random delay +- 100% Add"},
        {"pause, bits outside the sub-kind", Delay(70, 0x0E), "    Delay 70 ms "},
        {"time of day, all parts", Delay(45296000, 0x07),
         "    Delay 12Hour 34Minute 56Second till"},
        {"time of day, minutes and seconds", Delay(45296000, 0x05),
         "    Delay --Hour 34Minute 56Second till"},
        {"time of day, seconds", Delay(45296000, 0x03), "    Delay --Hour --Minute 56Second till"},
        {"time of day, none", Delay(45296000, 0x01), "    Delay --Hour --Minute --Second till"},
        {"time of day past a day", Delay(90061000, 0x07), "    Delay 1Hour 1Minute 1Second till"},
        {"keystroke press", Delay(0x41, 0x10), "    Keystroke Waitig A KEY Down"},
        {"keystroke release", Delay(0x10041, 0x10), "    Keystroke Waitig A KEY Up"},
        {"keystroke with Ctrl and Shift", Delay(0x1A0041, 0x10),
         "    Keystroke Waitig A KEY Down, Ctrl , Shift "},
        {"keystroke release with all modifiers", Delay(0x1F0041, 0x10),
         "    Keystroke Waitig A KEY Up, Ctrl , Alt , Shift "},
        {"modifier bits without bit 20", Delay(0x0E0041, 0x10), "    Keystroke Waitig A KEY Down"},
        {"keystroke key by virtual-key code only", Delay(0x3610, 0x10),
         "    Keystroke Waitig Left SHIFT KEY Down"},
        {"keystroke key not in the table", Delay(0x7C, 0x10),
         "    Keystroke Waitig (Unknown) Down"},

        {"delay sub-kind 0x11", Delay(50, 0x11), ""},
        {"delay sub-kind 0x20", Delay(50, 0x20), ""},
        {"delay sub-kind 0x80", Delay(50, 0x80), ""},
        {"kind 4", {4, 0x41, 1, 0}, ""},
        {"kind 0xFFFFFFFF", {0xFFFFFFFF, 0, 0, 0}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(EnglishText(c.item), c.text) << c.what;
}

TEST(MacroItemText, KoreanWords) {
    EXPECT_EQ(Utf16ToUtf8(FormatMacroItem(Mouse(0x8001 | 6, 100, 200), kKorean)),
              "    마우스 왼쪽 버튼_클릭 절대 위치(100, 200) ");
    EXPECT_EQ(Utf16ToUtf8(FormatMacroItem(Delay(45296000, 0x07), kKorean)),
              "    지연 12시 34분 56초 까지");
    EXPECT_EQ(Utf16ToUtf8(FormatMacroItem(Keyboard(0x41, 2), kKorean)), "    키보드 A KEY 떼기");
}

// The object's operations speak the user-interface language of the installed host.
TEST(MacroItemText, ObjectUsesTheUserInterfaceLanguage) {
    testing::RecordingHost host;
    CLumoAPILibrary api;
    const MacroItem release = Keyboard(0x41, 2);

    EXPECT_EQ(Utf16ToUtf8(api.FormatMacroItem(release)), "    Keyboard A KEY Up");
    EXPECT_EQ(Utf16ToUtf8(api.GetKeyActionName(1)), "Down");
    EXPECT_EQ(Utf16ToUtf8(api.GetButtonActionName(3)), "Click");

    host.language = 0x0412;
    EXPECT_EQ(Utf16ToUtf8(api.FormatMacroItem(release)), "    키보드 A KEY 떼기");
    EXPECT_EQ(Utf16ToUtf8(api.GetKeyActionName(1)), "누르기");
    EXPECT_EQ(Utf16ToUtf8(api.GetButtonActionName(3)), "클릭");
    EXPECT_EQ(Utf16ToUtf8(api.GetButtonActionName(7)), "오류");
}

}  // namespace
}  // namespace varnel
