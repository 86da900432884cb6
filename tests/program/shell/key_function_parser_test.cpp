// The words of `varnelctl keymap set KEY FUNCTION`.
#include "key_function_parser.h"

#include <gtest/gtest.h>

#include "key_assignment.h"
#include "key_label_tables.h"
#include "text_encoding.h"

namespace varnel::program {
namespace {

const KeypadMacroNames kMacros{false, {u"Copy", u"Run", u"7", u"Paste"}};
constexpr int kKey = 14;

WorkingEntry Keys(std::initializer_list<int> nameIndices) {
    std::array<uint8_t, kOutputsSize> outputs{};
    for (const int index : nameIndices) {
        const OutputBit bit = OutputBitOfKeyName(index);
        outputs[bit.offset - kOutputsOffset] |= static_cast<uint8_t>(1u << bit.bit);
    }
    return KeyboardEntry(kKey, outputs);
}

TEST(KeyFunctionParser, AcceptsCombinationsAndEveryFunctionWord) {
    const struct {
        const char* text;
        WorkingEntry entry;
    } cases[] = {
        {"Ctrl+Alt+Del", Keys({92, 94, 51})},
        {"ctrl + alt + delete", Keys({92, 94, 51})},
        {"Shift+RShift+A", Keys({74, 86, 59})},
        {"LShift+F10", Keys({74, 10})},
        {"Win+E", Keys({93, 40})},
        {"FN", Keys({97})},
        {"AltGr+Q", Keys({96, 38})},
        {"RCtrl+Esc", Keys({99, 0})},
        {"Num1+Num0+NumEnter+NumDel", Keys({88, 103, 91, 104})},
        {"1+0+Enter+Del", Keys({17, 26, 70, 51})},
        {"/+-", Keys({85, 27})},
        {"Num/+Num-+*", Keys({34, 36, 35})},
        {"Ctrl++", Keys({92, 57})},
        {"+", Keys({57})},
        {"Plus+A", Keys({57, 59})},
        {"PrtSc+ScrLck+Pause", Keys({13, 14, 15})},
        {"Up+Down+Left+Right", Keys({87, 101, 100, 102})},
        {"▲+◀", Keys({87, 100})},
        {"`+=+[+]+\\+;", Keys({16, 28, 48, 49, 50, 68})},
        {"Ctrl+M-Left", Keys({92, 105})},
        {"A+B+C+D+E+F", Keys({59, 80, 78, 61, 40, 62})},
        {"mouse:left", MouseButtonEntry(kKey, MouseButton::Left)},
        {"Mouse:Middle", MouseButtonEntry(kKey, MouseButton::Middle)},
        {"mouse:right", MouseButtonEntry(kKey, MouseButton::Right)},
        {"media:web", MediaEntry(kKey, MediaFunction::WebBrowser)},
        {"media:search", MediaEntry(kKey, MediaFunction::Search)},
        {"media:email", MediaEntry(kKey, MediaFunction::Email)},
        {"media:desktop", MediaEntry(kKey, MediaFunction::Desktop)},
        {"media:media", MediaEntry(kKey, MediaFunction::MediaPlayer)},
        {"media:volume-down", MediaEntry(kKey, MediaFunction::VolumeDown)},
        {"MEDIA:Mute", MediaEntry(kKey, MediaFunction::Mute)},
        {"media:vol+", MediaEntry(kKey, MediaFunction::VolumeUp)},
        {"calculator", CalculatorEntry(kKey)},
        {"macro:1", KeypadMacroEntry(kKey, 0)},
        {"macro:4", KeypadMacroEntry(kKey, 3)},
        {"macro:Run", KeypadMacroEntry(kKey, 1)},
        {"macro:paste", KeypadMacroEntry(kKey, 3)},
        {"macro-stop", MacroStopEntry(kKey)},
        {"Default", ResetEntry(kKey)},
    };
    for (const auto& c : cases) {
        const Parsed<WorkingEntry> parsed = ParseKeyFunction(c.text, kKey, kMacros);
        ASSERT_TRUE(parsed.value) << c.text << ": " << parsed.error;
        EXPECT_EQ(*parsed.value, c.entry) << c.text;
    }
}

TEST(KeyFunctionParser, RefusesWithAReasonThatNamesTheFault) {
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"", "no function given"},
        {"Ctrl+Bogus", "unknown key name \"Bogus\""},
        {"calculater", "unknown key name or function \"calculater\""},
        {"A+B+C+D+E+F+G", "names 7 keys"},
        {"Ctrl+", "empty key name"},
        {"Ctrl++A", "empty key name"},
        {"Shift+shift", "\"shift\" is named twice"},
        {"Del+Delete", "\"Delete\" is named twice"},
        {"mouse:back", "unknown mouse button \"back\""},
        {"media:F8", "unknown media function \"F8\""},
        {"keys:Ctrl", "unknown function \"keys:Ctrl\""},
        {"macro:0", "the keypad has no macro 0 (it holds 4)"},
        {"macro:5", "the keypad has no macro 5 (it holds 4)"},
        {"macro:7", "the keypad has no macro 7"},  // a number, though a macro is named "7"
        {"macro:Cut", "the keypad has no macro named \"Cut\""},
        {"macro:", "the keypad has no macro named \"\""},
    };
    for (const auto& c : cases) {
        const Parsed<WorkingEntry> parsed = ParseKeyFunction(c.text, kKey, kMacros);
        EXPECT_FALSE(parsed.value) << c.text;
        EXPECT_NE(parsed.error.find(c.reason), std::string::npos) << c.text << ": " << parsed.error;
    }
    EXPECT_EQ(ParseKeyFunction("macro:1", kKey, KeypadMacroNames{}).error,
              "the keypad has no macro 1 (it holds 0)");
}

std::u16string Lower(std::u16string_view name) {
    std::u16string lower(name);
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lower;
}

TEST(KeyFunctionParser, EveryCaptionNameIsAcceptedAndNamesAKeyOfThatName) {
    for (int index = 0; index < kKeyNames; ++index) {
        const std::string name = Utf16ToUtf8(std::u16string(KeyNameOf(index)));
        const std::optional<int> found = FindKeyName(name);
        ASSERT_TRUE(found) << name;
        EXPECT_EQ(Lower(KeyNameOf(*found)), Lower(KeyNameOf(index))) << name;
    }
}

TEST(KeypadKeyParser, NamesAndIndicesOfTheTwentyOneKeys) {
    const struct {
        const char* text;
        std::optional<int> key;
    } cases[] = {
        {"F1", 0},   {"f4", 3},    {"NumLock", 4}, {"num", 4},   {"/", 5},    {"*", 6},
        {"star", 6}, {"-", 7},     {"+", 8},       {"Enter", 9}, {"1", 10},   {"9", 18},
        {"0", 19},   {"del", 20},  {"Delete", 20}, {"#0", 0},    {"#20", 20}, {"#5", 5},
        {" F2 ", 1}, {"F5", {}},   {"#21", {}},    {"#-1", {}},  {"#", {}},   {"10", {}},
        {"", {}},    {"Ctrl", {}},
    };
    for (const auto& c : cases) {
        const Parsed<int> parsed = ParseKeypadKey(c.text);
        EXPECT_EQ(parsed.value, c.key) << c.text;
        if (!c.key) {
            EXPECT_NE(parsed.error.find("unknown keypad key"), std::string::npos) << c.text;
        }
    }
}

}  // namespace
}  // namespace varnel::program
