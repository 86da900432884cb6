#include "key_press.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "key_press_report.h"
#include "stored_image_builders.h"

namespace varnel::sim {
namespace {

using namespace testing_images;

// The key "5": index 14, trigger byte 1 bit 3.
constexpr int kKey5 = 14;
constexpr std::array<uint8_t, 3> kTrigger5 = {0x00, 0x08, 0x00};
constexpr std::array<uint8_t, 3> kTriggerF1 = {0x01, 0x00, 0x00};

// Entry offsets and bits of a few outputs.
constexpr std::pair<int, int> kLeftCtrl = {5, 5};
constexpr std::pair<int, int> kC = {9, 4};
constexpr std::pair<int, int> kMouseLeft = {3, 2};
constexpr uint32_t kMacroStop = 1u << 23;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(KeyPress, KeySendsWhatIsPrintedOnItWhenNoEntryApplies) {
    struct Case {
        const char* name;
        FlashArea dataArea;
        AsPrintedReason reason;
        const char* line;
    };
    const EntrySpec ctrlOn5{kTrigger5, {kLeftCtrl}};
    const Case cases[] = {
        {"erased", DataArea({}), AsPrintedReason::NoSignature,
         "default: 5 (the key map area holds no signature)\n"},
        {"wrong signature", DataArea(BuildKeyMap({{ctrlOn5}, {}, "REPROGRAM02"})),
         AsPrintedReason::BadSignature, "default: 5 (the key map's signature is wrong)\n"},
        {"count 22", DataArea(BuildKeyMap({{ctrlOn5}, 22})), AsPrintedReason::TooManyEntries,
         "default: 5 (the key map counts 22 entries, more than 21)\n"},
        {"only another key's entry", DataArea(BuildKeyMap({{{kTriggerF1, {kLeftCtrl}}}})),
         AsPrintedReason::NoEntry, "default: 5 (the key map has no entry for the key)\n"},
        {"triggers of no key",
         DataArea(BuildKeyMap({{{{0, 0, 0}, {kLeftCtrl}}, {{0, 0x08, 0x01}, {kLeftCtrl}}}})),
         AsPrintedReason::NoEntry, "default: 5 (the key map has no entry for the key)\n"},
        {"entry past the count", DataArea(BuildKeyMap({{ctrlOn5}, 0})), AsPrintedReason::NoEntry,
         "default: 5 (the key map has no entry for the key)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const KeyPressOutcome outcome = PressKey(c.dataArea, kKey5);
        EXPECT_EQ(outcome.asPrinted, c.reason);
        EXPECT_EQ(outcome.Kinds(), std::vector<std::string>{"default"});
        const std::string text = FormatKeyPressText(outcome);
        EXPECT_TRUE(Contains(text, c.line)) << text;
    }
}

TEST(KeyPress, FirstEntryWithTheKeysOwnTriggerDecides) {
    const FlashArea dataArea = DataArea(BuildKeyMap({{
        {{0x00, 0x08, 0x01}, {{4, 0}}},  // key 5 and key 3 at once: names no key
        {kTriggerF1, {{6, 0}}},
        {kTrigger5, {{6, 3}}},   // A
        {kTrigger5, {{11, 4}}},  // B, ignored: key 5 is handled
    }}));
    const KeyPressOutcome outcome = PressKey(dataArea, kKey5);
    EXPECT_EQ(outcome.entrySlot, 2u);
    EXPECT_EQ(outcome.keyboard.names, std::vector<std::string>{"A"});
}

TEST(KeyPress, AFullMapOfTwentyOneEntriesReachesItsLastSlot) {
    KeyMapSpec spec;
    for (int i = 0; i < 21; ++i) spec.entries.push_back({{0, 0, 0}, {{4, 0}}});
    spec.entries.back().trigger = {0x00, 0x20, 0x00};  // DEL, index 20
    spec.entries.back().outputs = {{18, 3}};           // Enter
    const KeyPressOutcome outcome = PressKey(DataArea(BuildKeyMap(spec)), 20);
    EXPECT_EQ(outcome.entrySlot, 20u);
    EXPECT_EQ(outcome.keyboard.usages, std::vector<uint8_t>{0x28});
}

TEST(KeyPress, OutputBitsBecomeWhatTheKeySends) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> outputs;
        uint32_t macroBits;
        std::vector<std::string> kinds;
        const char* line;
    };
    const Case cases[] = {
        {"combination",
         {{8, 6}, {6, 5}, kLeftCtrl},
         0,
         {"keyboard"},
         "keyboard: Left Ctrl + Left Alt + Delete (HID modifiers 0x05, usages 0x4C)\n"},
        {"modifiers lead",
         {{6, 3}, {18, 4}},
         0,
         {"keyboard"},
         "keyboard: Right Shift + A (HID modifiers 0x20, usages 0x04)\n"},
        {"F8 without the media marker",
         {{12, 0}},
         0,
         {"keyboard"},
         "keyboard: F8 (HID modifiers 0x00, usages 0x41)\n"},
        {"volume up under the media marker",
         {{14, 6}, {12, 0}},
         0,
         {"media"},
         "media: volume up\n"},
        {"web browser under the media marker",
         {{5, 0}, {14, 6}},
         0,
         {"media"},
         "media: web browser\n"},
        {"mouse left", {kMouseLeft}, 0, {"mouse"}, "mouse: left\n"},
        {"calculator", {{4, 1}}, 0, {"calculator"}, "calculator\n"},
        {"FN", {{3, 1}}, 0, {"fn"}, "FN\n"},
        {"macro stop", {}, kMacroStop, {"macro-stop"}, "macro stop\n"},
        {"several kinds",
         {kLeftCtrl, {3, 4}, {4, 1}},
         kMacroStop,
         {"keyboard", "mouse", "calculator", "macro-stop"},
         "mouse: right\n"},
        {"entry without outputs", {}, 0, {"nothing"}, "nothing (the entry sets no output)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FlashArea dataArea = DataArea(BuildKeyMap({{{kTrigger5, c.outputs, c.macroBits}}}));
        const KeyPressOutcome outcome = PressKey(dataArea, kKey5);
        EXPECT_FALSE(outcome.asPrinted);
        EXPECT_EQ(outcome.Kinds(), c.kinds);
        const std::string text = FormatKeyPressText(outcome);
        EXPECT_TRUE(Contains(text, c.line)) << text;
    }
}

TEST(KeyPress, MacroBitKRunsTheKthKeypadMacroWithItsCells) {
    const std::vector<uint8_t> macros = BuildMacroArea({
        {"copy", {{0x8001, 10, {0x01, 0x06}}}, 0},
        {"click", {{0x4001, 20, {0xAA, 0xBB}}, {0x8001, 70000, {0, 0x04}}}, -1},
    });
    const uint32_t secondAndFourth = 1u << 1 | 1u << 3;
    const FlashArea dataArea = DataArea(BuildKeyMap({{{kTrigger5, {}, secondAndFourth}}}), macros);
    EXPECT_EQ(FormatKeyPressText(PressKey(dataArea, kKey5)),
              "key: 5 (index 14)\n"
              "entry: slot 0 of 1\n"
              "macro 2: \"click\", repeat -1, 2 cells\n"
              "  cell 1: code 0x4001, delay 20 ms, data 00 00 00 00 00 00\n"
              "  cell 2: code 0x8001, delay 70000 ms, data 00 04 00 00 00 00\n"
              "macro 4: missing (the macro area holds 2 macros)\n");

    const FlashArea withoutMacros = DataArea(BuildKeyMap({{{kTrigger5, {}, 1}}}));
    EXPECT_TRUE(Contains(FormatKeyPressText(PressKey(withoutMacros, kKey5)),
                         "macro 1: missing (the macro area has no magic)\n"));
}

TEST(KeyPress, JsonNamesEveryKindWithItsDetails) {
    const std::vector<uint8_t> macros = BuildMacroArea({{"copy", {{0x8001, 10, {1, 6}}}, 0}});
    const EntrySpec entry{kTrigger5, {kLeftCtrl, kC, kMouseLeft}, 1u | 1u << 2 | kMacroStop};
    EXPECT_EQ(FormatKeyPressJson(PressKey(DataArea(BuildKeyMap({{entry}}), macros), kKey5)),
              "{\"key\":\"5\",\"index\":14,\"kinds\":[\"keyboard\",\"mouse\",\"macro\","
              "\"macro-stop\"],\"entryCount\":1,\"entry\":0,"
              "\"keyboard\":{\"names\":[\"Left Ctrl\",\"C\"],\"modifiers\":1,\"usages\":[6]},"
              "\"mouse\":[\"left\"],"
              "\"macros\":[{\"number\":1,\"bit\":0,\"found\":true,\"name\":\"copy\",\"repeat\":0,"
              "\"cellCount\":1,\"cells\":[{\"code\":32769,\"delayMs\":10,\"data\":[1,6,0,0,0,0]}]},"
              "{\"number\":3,\"bit\":2,\"found\":false,"
              "\"problem\":\"the macro area holds 1 macro\"}],"
              "\"macroStop\":true}\n");
    EXPECT_EQ(FormatKeyPressJson(PressKey(DataArea(BuildKeyMap({{entry}, 22})), kKey5)),
              "{\"key\":\"5\",\"index\":14,\"kinds\":[\"default\"],\"entryCount\":22,"
              "\"default\":{\"sends\":\"5\",\"reason\":\"too-many-entries\"}}\n");
}

}  // namespace
}  // namespace varnel::sim
