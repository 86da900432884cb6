// The working entries of the key menu's commands, how they go into the edited map, and OK's
// change test.
#include "key_assignment.h"

#include <gtest/gtest.h>

#include <map>

namespace varnel::program {
namespace {

// The entry's bytes 3 to 21 that are not zero, by offset.
std::map<int, uint8_t> Function(const WorkingEntry& entry) {
    std::map<int, uint8_t> bytes;
    for (size_t at = kOutputsOffset; at < entry.size(); ++at) {
        if (entry[at] != 0) bytes[static_cast<int>(at)] = entry[at];
    }
    return bytes;
}

TEST(KeyMenuCommands, EachFixedCommandSetsItsBitsAndTheKeysTrigger) {
    const struct {
        int command;
        std::map<int, uint8_t> bytes;
    } cases[] = {
        {kMenuMouseLeft, {{3, 0x04}}},          {kMenuMouseRight, {{3, 0x10}}},
        {kMenuMouseMiddle, {{3, 0x08}}},        {kMenuWeb, {{14, 0x40}, {5, 0x01}}},
        {kMenuSearch, {{14, 0x40}, {6, 0x01}}}, {kMenuEmail, {{14, 0x40}, {7, 0x01}}},
        {kMenuMedia, {{14, 0x40}, {9, 0x01}}},  {kMenuVolumeDown, {{14, 0x40}, {10, 0x01}}},
        {kMenuMute, {{14, 0x40}, {11, 0x01}}},  {kMenuVolumeUp, {{14, 0x40}, {12, 0x01}}},
        {kMenuCalculator, {{4, 0x02}}},         {kMenuMacroStop, {{21, 0x80}}},
        {kMenuFirstMacro, {{19, 0x01}}},        {kMenuFirstMacro + 9, {{20, 0x02}}},
        {kMenuFirstMacro + 22, {{21, 0x40}}},   {kMenuReset, {}},
    };
    for (const auto& c : cases) {
        const std::optional<WorkingEntry> entry = MenuCommandEntry(c.command, 14);
        ASSERT_TRUE(entry) << c.command;
        EXPECT_EQ(KeyOfEntry(entry->data()), 14) << c.command;
        EXPECT_EQ(Function(*entry), c.bytes) << c.command;
    }
    EXPECT_EQ(MediaEntry(0, MediaFunction::Desktop)[8], 0x01);  // no menu item, but varnelctl's
    EXPECT_FALSE(MenuCommandEntry(kMenuKeyboard, 14));
    EXPECT_FALSE(MenuCommandEntry(kMenuFirstMacro + 23, 14));
    EXPECT_FALSE(MenuCommandEntry(32804, 14));
    EXPECT_THROW(KeypadMacroEntry(14, 23), std::out_of_range);
}

TEST(KeyMenuCommands, ThePickersBytesBecomeTheOutputsAndNoneChosenResetsTheKey) {
    std::array<uint8_t, kOutputsSize> picked{};
    picked[2] = 0x20;   // Ctrl
    picked[15] = 0x80;  // Pause, the last output byte
    const WorkingEntry entry = KeyboardEntry(9, picked);
    EXPECT_EQ(KeyOfEntry(entry.data()), 9);
    EXPECT_EQ(Function(entry), (std::map<int, uint8_t>{{5, 0x20}, {18, 0x80}}));

    KeyMapImage edited = EmptyKeyMap();
    ApplyWorkingEntry(edited, MouseButtonEntry(3, MouseButton::Left));
    ApplyWorkingEntry(edited, entry);
    ApplyWorkingEntry(edited, MacroStopEntry(20));
    ASSERT_EQ(EntryCount(edited), 3);
    ApplyWorkingEntry(edited, KeyboardEntry(9, {}));  // OK with nothing chosen
    EXPECT_EQ(EntryCount(edited), 2);
    EXPECT_EQ(KeyOfEntry(EntryAt(edited, 1)), 20);
}

TEST(KeyMenuCommands, AssigningReplacesTheKeysEntryInPlaceAndResetTakesItOut) {
    KeyMapImage edited = EmptyKeyMap();
    ApplyWorkingEntry(edited, CalculatorEntry(1));
    ApplyWorkingEntry(edited, MediaEntry(14, MediaFunction::Mute));
    ApplyWorkingEntry(edited, CalculatorEntry(2));
    ApplyWorkingEntry(edited, MouseButtonEntry(14, MouseButton::Right));
    ASSERT_EQ(EntryCount(edited), 3);
    EXPECT_EQ(KeyOfEntry(EntryAt(edited, 1)), 14);
    EXPECT_EQ(EntryAt(edited, 1)[3], 0x10);
    EXPECT_EQ(EntryAt(edited, 1)[14], 0);  // nothing of the earlier function is left

    const KeyMapImage before = edited;
    ApplyWorkingEntry(edited, ResetEntry(5));  // a key without an entry
    EXPECT_EQ(edited, before);
    ApplyWorkingEntry(edited, ResetEntry(1));
    ASSERT_EQ(EntryCount(edited), 2);
    EXPECT_EQ(KeyOfEntry(EntryAt(edited, 0)), 14);
    EXPECT_EQ(KeyOfEntry(EntryAt(edited, 1)), 2);
    EXPECT_TRUE(std::all_of(EntryAt(edited, 2), EntryAt(edited, 3), [](uint8_t b) { return !b; }));
}

TEST(OkButton, AnyDifferenceFromTheSavedMapIsAChangeEntryOrderIncluded) {
    KeyMapImage saved = EmptyKeyMap();
    ApplyWorkingEntry(saved, CalculatorEntry(1));
    ApplyWorkingEntry(saved, CalculatorEntry(2));
    KeyMapImage edited = saved;
    EXPECT_FALSE(KeyMapChanged(edited, saved));

    ApplyWorkingEntry(edited, MacroStopEntry(1));
    EXPECT_TRUE(KeyMapChanged(edited, saved));
    ApplyWorkingEntry(edited, CalculatorEntry(1));  // assigned back in place
    EXPECT_FALSE(KeyMapChanged(edited, saved));

    ApplyWorkingEntry(edited, ResetEntry(1));
    ApplyWorkingEntry(edited, CalculatorEntry(1));  // the same assignments in another order
    EXPECT_TRUE(KeyMapChanged(edited, saved));

    edited = saved;
    SwitchNumLockSync(edited);
    EXPECT_TRUE(KeyMapChanged(edited, saved));
}

TEST(OkButton, AsksToSaveIntoTheSelectedProfileInTheUsersLanguage) {
    EXPECT_EQ(SaveToProfileQuestion(u"Games", 1033),
              u"There is data that has changed.\n Games Do you want to save to profile?");
    EXPECT_EQ(SaveToProfileQuestion(u"Games", 1042),
              u"변경된 데이터가 있습니다.\n Games 프로파일에 저장하시겠습니까?");
}

}  // namespace
}  // namespace varnel::program
