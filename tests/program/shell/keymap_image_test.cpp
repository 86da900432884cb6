// The key map image's format and record rules.
#include "keymap_image.h"

#include <gtest/gtest.h>

#include <cstring>

namespace varnel::program {
namespace {

WorkingEntry Entry(int key, OutputBit bit) {
    WorkingEntry entry = WorkingEntryFor(key);
    SetBit(entry.data(), bit);
    return entry;
}

WorkingEntry MacroEntry(int key, std::initializer_list<int> macros) {
    WorkingEntry entry = WorkingEntryFor(key);
    for (int macro : macros) SetMacroBit(entry.data(), macro);
    return entry;
}

KeyMapImage MapOf(std::initializer_list<WorkingEntry> entries) {
    KeyMapImage image = EmptyKeyMap();
    for (const WorkingEntry& entry : entries) UpsertEntry(image, entry);
    return image;
}

std::optional<int> KeyOfSlot(const KeyMapImage& image, int slot) {
    return KeyOfEntry(EntryAt(image, slot));
}

TEST(KeyMapImage, AnEmptyMapIsSignedWithSyncOffAndNoEntries) {
    const KeyMapImage image = EmptyKeyMap();
    EXPECT_EQ(std::memcmp(image.data(), "REPROGRAM01", 11), 0);
    EXPECT_EQ(image[11], kNumLockSyncOff);
    EXPECT_EQ(EntryCount(image), 0);
    EXPECT_TRUE(IsValidKeyMap(image));
}

TEST(KeyMapImage, TwentyOneEntriesFillTheImageToItsLastByteAndTwentyTwoAreInvalid) {
    KeyMapImage image = EmptyKeyMap();
    for (int key = 0; key < kKeypadKeys; ++key) UpsertEntry(image, Entry(key, kMouseLeftBit));
    EXPECT_EQ(EntryCount(image), 21);
    EXPECT_TRUE(IsValidKeyMap(image));
    EXPECT_EQ(EntryAt(image, 20) + kEntrySize, image.data() + kKeyMapSize);
    UpsertEntry(image, Entry(3, kMouseRightBit));  // an update needs no new slot
    EXPECT_EQ(EntryCount(image), 21);
    image[12] = 22;
    EXPECT_FALSE(IsValidKeyMap(image));
    image = EmptyKeyMap();
    image[0] = 'r';
    EXPECT_FALSE(IsValidKeyMap(image));
}

TEST(KeyMapImage, TriggersFollowTheKeypadsKeyOrder) {
    const struct {
        int key;
        std::array<uint8_t, 3> trigger;
    } cases[] = {
        {0, {0x01, 0, 0}}, {3, {0x80, 0, 0}},  {7, {0, 0x40, 0}},
        {9, {0, 0, 0x20}}, {19, {0x20, 0, 0}}, {20, {0, 0x20, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TriggerOf(c.key), c.trigger) << c.key;
        const WorkingEntry entry = WorkingEntryFor(c.key);
        EXPECT_EQ(KeyOfEntry(entry.data()), c.key);
    }
    const uint8_t noKey[kEntrySize] = {0x03};
    EXPECT_FALSE(KeyOfEntry(noKey).has_value());
}

TEST(KeyMapImage, UpsertReplacesAKeysEntryAndRemoveShiftsTheRestDown) {
    KeyMapImage image =
        MapOf({Entry(1, kMouseLeftBit), Entry(5, kFnBit), Entry(9, kCalculatorBit)});
    UpsertEntry(image, Entry(5, kMouseRightBit));
    EXPECT_EQ(EntryCount(image), 3);
    EXPECT_TRUE(HasBit(EntryAt(image, 1), kMouseRightBit));
    EXPECT_FALSE(HasBit(EntryAt(image, 1), kFnBit));

    RemoveEntry(image, WorkingEntryFor(5));
    EXPECT_EQ(EntryCount(image), 2);
    EXPECT_EQ(KeyOfSlot(image, 1), 9);
    const uint8_t* freed = EntryAt(image, 2);
    EXPECT_TRUE(std::all_of(freed, freed + kEntrySize, [](uint8_t b) { return b == 0; }));
}

TEST(KeyMapImage, OnlyTheFirstEntryOfAKeyAppliesAndEntriesOfNoKeyAreIgnored) {
    KeyMapImage image = MapOf({Entry(4, kMouseLeftBit)});
    // A second entry for key 4 and one whose trigger is no key, as a damaged map could hold.
    std::memcpy(EntryAt(image, 1), Entry(4, kMouseRightBit).data(), kWorkingEntrySize);
    EntryAt(image, 2)[0] = 0x03;
    image[12] = 3;
    const auto applied = AppliedEntries(image);
    EXPECT_EQ(applied[4], 0);
    EXPECT_EQ(std::count(applied.begin(), applied.end(), -1), 20);
    image[12] = 22;
    const auto none = AppliedEntries(image);
    EXPECT_EQ(std::count(none.begin(), none.end(), -1), 21) << "an invalid map applies nothing";
}

TEST(KeyMapImage, ARemovedMacroGoesAndLaterMacrosMoveDown) {
    KeyMapImage image = MapOf({
        MacroEntry(0, {2}),                 // only the removed macro: the entry goes
        MacroEntry(1, {5}),                 // a later macro: renumbered to 4
        MacroEntry(2, {0}),                 // an earlier macro: unchanged
        MacroEntry(3, {2, kMacroStopBit}),  // the stop bit stays
        Entry(6, kMouseLeftBit),            // no macro: unchanged
    });
    SetMacroBit(EntryAt(image, 1), 7);  // key 1 also runs macro 7: it becomes 6
    SetBit(EntryAt(image, 2), kFnBit);
    RemoveMacroFromKeyMap(image, 2);
    ASSERT_EQ(EntryCount(image), 4);
    EXPECT_EQ(KeyOfSlot(image, 0), 1);
    EXPECT_TRUE(HasMacroBit(EntryAt(image, 0), 4));
    EXPECT_TRUE(HasMacroBit(EntryAt(image, 0), 6));
    EXPECT_FALSE(HasMacroBit(EntryAt(image, 0), 5));
    EXPECT_TRUE(HasMacroBit(EntryAt(image, 1), 0));
    EXPECT_TRUE(HasBit(EntryAt(image, 1), kFnBit));
    EXPECT_EQ(KeyOfSlot(image, 2), 3);
    EXPECT_TRUE(HasMacroBit(EntryAt(image, 2), kMacroStopBit));
    EXPECT_FALSE(HasMacroBit(EntryAt(image, 2), 2));
    EXPECT_TRUE(HasBit(EntryAt(image, 3), kMouseLeftBit));
}

TEST(KeyMapImage, NumLockSyncSwitchesOnlyItsByte) {
    KeyMapImage image = MapOf({Entry(2, kMouseLeftBit)});
    const KeyMapImage before = image;
    SwitchNumLockSync(image);
    EXPECT_TRUE(NumLockSyncOn(image));
    SwitchNumLockSync(image);
    EXPECT_EQ(image, before);
    image[11] = 7;
    SwitchNumLockSync(image);
    EXPECT_EQ(image[11], kNumLockSyncOn);
}

}  // namespace
}  // namespace varnel::program
