// The key table: its rows, the import variant, and the lookups of the object over it.
#include "key_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "lumo_api_library.h"
#include "recording_host.h"
#include "text_encoding.h"

namespace varnel {
namespace {

std::string Utf8(std::u16string_view text) {
    return Utf16ToUtf8(std::u16string(text));
}

// Each row is found again by its own codes, except where an earlier row has the same ones.
TEST(KeyTableRows, EveryRowIsFoundByItsOwnCodesExceptTheNamedDuplicates) {
    struct Lookup {
        const char* name;
        int (*find)(const KeyRow&);
        std::map<int, int> earlierRow;  // row -> the row the search finds first
    };
    const Lookup lookups[] = {
        {"key code",
         [](const KeyRow& key) {
             return FindKeyRowByCode(static_cast<uint16_t>(key.virtualKey | key.scanCode << 8));
         },
         {{72, 2}, {91, 56}}},
        {"virtual-key code",
         [](const KeyRow& key) { return FindKeyRowByVirtualKey(key.virtualKey); },
         {{72, 2}, {88, 87}, {91, 56}}},
        {"usage", [](const KeyRow& key) { return FindKeyRowByUsage(key.usage); }, {{91, 56}}},
    };
    for (const Lookup& lookup : lookups) {
        for (int row = 0; row < kKeyRowCount; ++row) {
            const auto earlier = lookup.earlierRow.find(row);
            const int expected = earlier == lookup.earlierRow.end() ? row : earlier->second;
            EXPECT_EQ(lookup.find(KeyTable()[row]), expected) << lookup.name << ", row " << row;
        }
    }
}

TEST(KeyTableRows, ScanCodeSearchFindsTheFirstOfTheRowsThatShareOne) {
    for (int row = 0; row < kKeyRowCount; ++row) {
        const int found = FindKeyRowByScanCode(KeyTable()[row].scanCode);
        ASSERT_GE(found, 0) << "row " << row;
        EXPECT_LE(found, row);
        EXPECT_EQ(KeyTable()[found].scanCode, KeyTable()[row].scanCode) << "row " << row;
    }
    const std::map<int, int> shared = {{85, 3},  {67, 15}, {99, 70}, {71, 17},
                                       {57, 16}, {58, 9},  {64, 10}, {66, 7}};
    for (const auto& [row, first] : shared)
        EXPECT_EQ(FindKeyRowByScanCode(KeyTable()[row].scanCode), first) << "row " << row;
}

TEST(KeyTableRows, NamesAreDistinctExceptTheTwoEnterKeys) {
    std::map<std::u16string_view, int> shortNames;
    std::map<std::u16string_view, int> longNames;
    for (int row = 0; row < kKeyRowCount; ++row) {
        const KeyRow& key = KeyTable()[row];
        EXPECT_FALSE(key.shortName.empty()) << "row " << row;
        EXPECT_TRUE(shortNames.emplace(key.shortName, row).second) << "row " << row;
        const bool newLongName = longNames.emplace(key.longName, row).second;
        EXPECT_EQ(newLongName, row != 72) << "row " << row << " " << Utf8(key.longName);
    }
}

// Runs of keys whose codes and names go up together; a slip in transcribing them breaks the run.
TEST(KeyTableRows, LettersDigitsAndFunctionKeysRunInOrder) {
    struct Run {
        int firstRow;
        int count;
        uint8_t firstVirtualKey;
        uint8_t firstUsage;
    };
    const Run runs[] = {
        {28, 26, 0x41, 0x04},  // A to Z
        {19, 9, 0x31, 0x1E},   // 1 to 9
        {58, 9, 0x61, 0x59},   // keypad 1 to 9
        {73, 12, 0x70, 0x3A},  // F1 to F12
    };
    for (const Run& run : runs) {
        for (int i = 0; i < run.count; ++i) {
            const KeyRow& key = KeyTable()[run.firstRow + i];
            EXPECT_EQ(key.virtualKey, run.firstVirtualKey + i) << "row " << run.firstRow + i;
            EXPECT_EQ(key.usage, run.firstUsage + i) << "row " << run.firstRow + i;
        }
    }
    for (int letter = 0; letter < 26; ++letter) {
        const std::string name(1, static_cast<char>('A' + letter));
        EXPECT_EQ(Utf8(KeyTable()[28 + letter].shortName), name);
        EXPECT_EQ(Utf8(KeyTable()[28 + letter].longName), name + " KEY");
    }
}

TEST(KeyTableRows, PunctuationRowsAndTheEndsOfTheTable) {
    struct Case {
        int row;
        uint8_t virtualKey;
        uint16_t scanCode;
        uint8_t usage;
        const char* shortName;
        const char* longName;
    };
    const Case cases[] = {
        {0, 0x08, 0x0E, 0x2A, "Backspace", "BACKSPACE KEY"},
        {11, 0x25, 0x4B, 0x50, "\u2190", "LEFT ARROW KEY"},
        {71, 0x6E, 0x53, 0x63, ".", "Num ."},
        {72, 0x0D, 0x1C, 0x58, "NUMEnter", "ENTER KEY"},
        {90, 0x19, 0x1D, 0xE4, "RightControl", "Right CONTROL KEY"},
        {93, 0x15, 0x38, 0xE6, "RightAlt", "Right ALT KEY"},
        {100, 0xC0, 0x29, 0x35, "`~", "`~ KEY"},
        {102, 0xDC, 0x2B, 0x31, "\\|", "\\| KEY"},
        {104, 0xDE, 0x28, 0x34, "'\"", "'\" KEY"},
    };
    for (const Case& c : cases) {
        const KeyRow& key = KeyTable()[c.row];
        EXPECT_EQ(key.virtualKey, c.virtualKey) << "row " << c.row;
        EXPECT_EQ(key.scanCode, c.scanCode) << "row " << c.row;
        EXPECT_EQ(key.usage, c.usage) << "row " << c.row;
        EXPECT_EQ(Utf8(key.shortName), c.shortName) << "row " << c.row;
        EXPECT_EQ(Utf8(key.longName), c.longName) << "row " << c.row;
    }
}

TEST(KeyTableRows, ImportVariantDiffersOnlyInTheScanCodesOfPauseAndKeypadEnter) {
    for (int row = 0; row < kKeyRowCount; ++row) {
        const KeyRow& key = KeyTable()[row];
        const KeyRow& imported = ImportKeyTable()[row];
        EXPECT_EQ(imported.virtualKey, key.virtualKey) << "row " << row;
        EXPECT_EQ(imported.usage, key.usage) << "row " << row;
        EXPECT_EQ(imported.shortName, key.shortName) << "row " << row;
        EXPECT_EQ(imported.longName, key.longName) << "row " << row;
        if (row != 3 && row != 72) {
            EXPECT_EQ(imported.scanCode, key.scanCode) << "row " << row;
        }
    }
    EXPECT_EQ(ImportKeyTable()[3].scanCode, 0x1D);
    EXPECT_EQ(ImportKeyTable()[72].scanCode, 0xE01C);
}

class KeyTableApiTest : public ::testing::Test {
  protected:
    testing::RecordingHost m_Host;
    CLumoAPILibrary m_Api;
};

TEST_F(KeyTableApiTest, KeyCodesFindTheirRowAndUsageByTheFirstMatch) {
    struct Case {
        uint16_t keyCode;
        int row;
        int usage;
    };
    const Case cases[] = {
        {0x0041, 28, 0x04},  // A by its virtual-key code alone
        {0x1E41, 28, 0x04},  // A with its scan byte
        {0x2A10, 87, 0xE1},  // left Shift
        {0x3610, 88, 0xE5},  // right Shift
        {0x0010, 87, 0xE1},  // Shift without scan byte: the first Shift row
        {0x1C0D, 2, 0x28},   // Enter, never the keypad's 0x58
        {0x1D19, 90, 0xE4},  // right Ctrl of a Korean layout
        {0x1D13, -1, 0},     // Pause as the import makes it: not in the table
        {0x3741, -1, 0},     // A with another key's scan byte
        {0x007C, -1, 0},     // F13
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_Api.FindKeyByCode(c.keyCode), c.row) << std::hex << c.keyCode;
        EXPECT_EQ(m_Api.KeyToUsage(c.keyCode), c.usage) << std::hex << c.keyCode;
    }
}

TEST_F(KeyTableApiTest, UsageToKeyCodesFillsThePairOrLeavesItAlone) {
    struct Case {
        int usage;
        uint8_t virtualKey;
        uint8_t scanByte;
    };
    const Case cases[] = {
        {0xE5, 0x10, 0x36},  // right Shift
        {0x65, 0x5D, 0x5D},  // Applications, found before Right MENU
        {0x58, 0x0D, 0x1C},  // keypad Enter
        {0x68, 0xAB, 0xCD},  // F13: no row, pair unchanged
        {0x00, 0xAB, 0xCD},
    };
    for (const Case& c : cases) {
        uint8_t pair[2] = {0xAB, 0xCD};
        EXPECT_EQ(m_Api.UsageToKeyCodes(pair, c.usage), pair);
        EXPECT_EQ(pair[0], c.virtualKey) << std::hex << c.usage;
        EXPECT_EQ(pair[1], c.scanByte) << std::hex << c.usage;
    }
    EXPECT_EQ(m_Api.UsageToKeyCodes(nullptr, 0x04), nullptr);
}

TEST_F(KeyTableApiTest, RowOperationsStopAtTheEndOfTheTable) {
    EXPECT_EQ(m_Api.GetKeyCount(), 105);
    EXPECT_EQ(m_Api.GetKeyScanCode(104), 0x28);
    EXPECT_EQ(m_Api.GetKeyVirtualCode(104), 0xDE);
    EXPECT_EQ(Utf16ToUtf8(m_Api.GetKeyName(104)), "'\" KEY");
    for (uint32_t row : {105u, 0xFFFFFFFFu}) {
        EXPECT_EQ(m_Api.GetKeyScanCode(row), -1) << row;
        EXPECT_EQ(m_Api.GetKeyVirtualCode(row), -1) << row;
        EXPECT_EQ(Utf16ToUtf8(m_Api.GetKeyName(row)), "(Unknown)") << row;
    }
}

TEST_F(KeyTableApiTest, SearchesByOneCodeAndTheirMisses) {
    EXPECT_EQ(m_Api.FindKeyByVirtualCode(0x0D), 2);
    EXPECT_EQ(m_Api.FindKeyByVirtualCode(0x7C), -1);
    EXPECT_EQ(Utf16ToUtf8(m_Api.GetKeyNameByVirtualCode(0x10)), "Left SHIFT KEY");
    EXPECT_EQ(Utf16ToUtf8(m_Api.GetKeyNameByVirtualCode(0x7C)), "(Unknown)");
    EXPECT_EQ(m_Api.FindKeyByScanCode(0x45), 3);
    EXPECT_EQ(m_Api.FindKeyByScanCode(0xE01C), -1);  // only the import variant has it
    EXPECT_EQ(m_Api.FindKeyByUsage(0x58), 72);
    EXPECT_EQ(m_Api.FindKeyByUsage(0x68), -1);
}

TEST_F(KeyTableApiTest, UsageToShortNameReadsTheLowEightBits) {
    EXPECT_EQ(Utf16ToUtf8(m_Api.UsageToShortName(0x04)), "A");
    EXPECT_EQ(Utf16ToUtf8(m_Api.UsageToShortName(0x1204)), "A");
    EXPECT_EQ(Utf16ToUtf8(m_Api.UsageToShortName(0x58)), "NUMEnter");
    EXPECT_EQ(Utf16ToUtf8(m_Api.UsageToShortName(0x65)), "APP");
    EXPECT_EQ(Utf16ToUtf8(m_Api.UsageToShortName(0x68)), "");
}

}  // namespace
}  // namespace varnel
