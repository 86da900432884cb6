// Both encoders of editor macros into keypad macros.
#include "macro_encoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

constexpr uint16_t kKeyA = 0x41;
constexpr uint16_t kKeyB = 0x42;
constexpr uint16_t kLeftCtrl = 0x1D11;

MacroItem Key(uint16_t code, uint32_t action) {
    return {kMacroItemKeyboard, code, action, 0};
}
MacroItem Mouse(int32_t x, int32_t y, uint32_t flags) {
    return {kMacroItemMouse, static_cast<uint32_t>(x), static_cast<uint32_t>(y), flags};
}
MacroItem Delay(uint32_t ms) {
    return {kMacroItemDelay, ms, 0, 0};
}
const MacroItem kStart{kMacroItemStart, 0, 0, 0};

// A small key table: A, B, left Ctrl, and a key without a usage.
uint8_t UsageOf(uint16_t code) {
    switch (code) {
        case kKeyA:
            return 0x04;
        case kKeyB:
            return 0x05;
        case kLeftCtrl:
            return 0xE0;
        default:
            return 0;
    }
}

class MacroEncodingTest : public ::testing::Test {
  protected:
    DeviceMacro Encode(std::vector<MacroItem> items,
                       const MacroEncoderRules& rules = kProgramEncoderRules) {
        EditorMacro macro;
        macro.items = std::move(items);
        macro.name = u"Test";
        macro.options[9] = 0x10424;
        return EncodeMacro(macro, rules, m_Context);
    }

    static std::vector<uint8_t> Data(const MacroCell& cell) {
        return std::vector<uint8_t>(cell.data, cell.data + 6);
    }

    MacroEncoderContext m_Context{UsageOf, 1920, 1080, 1252};
};

using Bytes = std::vector<uint8_t>;

TEST_F(MacroEncodingTest, APressAndReleaseGiveTwoKeyboardReportsOfAtLeastTenMilliseconds) {
    const DeviceMacro out = Encode({kStart, Key(kKeyA, 1), Key(kKeyA, 2)});
    ASSERT_EQ(out.cells.size(), 2u);
    EXPECT_EQ(out.header.cellCount, 2);
    for (const MacroCell& cell : out.cells) {
        EXPECT_EQ(cell.code, 0x8001);
        EXPECT_EQ(uint32_t{cell.delay}, 10u);  // a copy: the packed field is misaligned
    }
    EXPECT_EQ(Data(out.cells[0]), (Bytes{0, 0x04, 0, 0, 0, 0}));
    EXPECT_EQ(Data(out.cells[1]), (Bytes{0, 0, 0, 0, 0, 0}));
}

TEST_F(MacroEncodingTest, ModifiersAreBitsAndKeysFillSlots) {
    const DeviceMacro out =
        Encode({Key(kLeftCtrl, 1), Key(kKeyA, 1), Key(kKeyA, 2), Key(kLeftCtrl, 2)});
    ASSERT_EQ(out.cells.size(), 4u);
    EXPECT_EQ(Data(out.cells[0]), (Bytes{0x01, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Data(out.cells[1]), (Bytes{0x01, 0x04, 0, 0, 0, 0}));
    EXPECT_EQ(Data(out.cells[2]), (Bytes{0x01, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Data(out.cells[3]), (Bytes{0, 0, 0, 0, 0, 0}));
}

TEST_F(MacroEncodingTest, ASixthKeyIsLostUntilASlotIsFree) {
    // Five distinct usages through a table of their own.
    m_Context.usageOf = [](uint16_t code) { return static_cast<uint8_t>(code); };
    std::vector<MacroItem> items;
    for (uint16_t usage = 0x04; usage <= 0x09; ++usage) items.push_back(Key(usage, 1));
    items.push_back(Key(0x05, 2));
    items.push_back(Key(0x0A, 1));
    const DeviceMacro out = Encode(items);
    ASSERT_EQ(out.cells.size(), 8u);
    EXPECT_EQ(Data(out.cells[5]), (Bytes{0, 0x04, 0x05, 0x06, 0x07, 0x08})) << "sixth lost";
    EXPECT_EQ(Data(out.cells[6]), (Bytes{0, 0x04, 0, 0x06, 0x07, 0x08}));
    EXPECT_EQ(Data(out.cells[7]), (Bytes{0, 0x04, 0x0A, 0x06, 0x07, 0x08}))
        << "takes the freed slot";
}

TEST_F(MacroEncodingTest, KeyWithoutUsageOrActionKeepsTheReport) {
    const DeviceMacro out = Encode({Key(kKeyA, 1), Key(0x7C, 1), Key(kKeyB, 0)});
    ASSERT_EQ(out.cells.size(), 3u);
    EXPECT_EQ(out.cells[1].code, 0x8001);
    EXPECT_EQ(Data(out.cells[1]), (Bytes{0, 0x04, 0, 0, 0, 0}));
    EXPECT_EQ(out.cells[2].code, 0) << "an action without down or up bit";
    EXPECT_EQ(Data(out.cells[2]), (Bytes{0, 0x04, 0, 0, 0, 0}));
}

TEST_F(MacroEncodingTest, DelaysFollowTheEncodersRules) {
    struct Case {
        const char* name;
        std::vector<MacroItem> items;
        MacroEncoderRules rules;
        std::vector<std::pair<uint16_t, uint32_t>> cells;  // code, delay
    };
    const Case cases[] = {
        {"two delays add up",
         {Key(kKeyA, 1), Delay(50), Delay(30)},
         kProgramEncoderRules,
         {{0x8001, 80}}},
        {"a later delay is not raised",
         {Key(kKeyA, 1), Delay(5)},
         kProgramEncoderRules,
         {{0x8001, 5}}},
        {"leading delay moves", {kStart, Delay(4)}, kProgramEncoderRules, {{0x5000, 10}}},
        {"a start item between delays breaks the sum",
         {Key(kKeyA, 1), Delay(50), kStart, Delay(30)},
         kProgramEncoderRules,
         {{0x8001, 30}}},
        {"library: the last delay wins",
         {Key(kKeyA, 1), Delay(50), Delay(30)},
         kLibraryEncoderRules,
         {{0x8001, 30}}},
        {"library: leading delay is code 0, at least 3 ms",
         {Delay(1)},
         kLibraryEncoderRules,
         {{0, 3}}},
        {"library: release is 0x8000",
         {Key(kKeyA, 1), Key(kKeyA, 2)},
         kLibraryEncoderRules,
         {{0x8001, 3}, {0x8000, 3}}},
    };
    for (const Case& c : cases) {
        const DeviceMacro out = Encode(c.items, c.rules);
        std::vector<std::pair<uint16_t, uint32_t>> cells;
        for (const MacroCell& cell : out.cells) cells.emplace_back(cell.code, uint32_t{cell.delay});
        EXPECT_EQ(cells, c.cells) << c.name;
    }
}

TEST_F(MacroEncodingTest, MouseItemsTakeTheFirstButtonTestThatApplies) {
    struct Case {
        uint32_t flags;
        uint16_t code;
    };
    const Case cases[] = {
        {0x2, 0x4001},
        {0x6, 0x4001} /* click: down first */,
        {0x4, 0x4020},
        {0x8, 0x4002},
        {0x10, 0x4040},
        {0x18, 0x4002},
        {0x20, 0x4004},
        {0x40, 0x4080},
        {0x800 | (static_cast<uint32_t>(static_cast<uint16_t>(-20)) << 16), 0x4800},
        {0x800 | (20u << 16), 0x4400},
        {0x800, 0x4400} /* amount 0 */,
        {0x10080, 0x4008},
        {0x10100, 0x4100},
        {0x20080, 0x4010},
        {0x20100, 0} /* forward release: no button bits */,
        {0x80, 0} /* side button without its number */,
        {0x0, 0},
    };
    for (const Case& c : cases) {
        const DeviceMacro out = Encode({Mouse(0, 0, c.flags)});
        ASSERT_EQ(out.cells.size(), 1u);
        EXPECT_EQ(out.cells[0].code, c.code) << std::hex << c.flags;
        EXPECT_EQ(Data(out.cells[0]), Bytes(6, 0));
    }
}

TEST_F(MacroEncodingTest, PositionsAreRelativeOrScaledToTenThousand) {
    const DeviceMacro out = Encode({
        Mouse(-5, 300, 0x1 | 0x2),
        Mouse(0, 0, 0x8001),
        Mouse(1920, 1080, 0x8001),
        Mouse(960, 540, 0x8001 | 0x8),
    });
    ASSERT_EQ(out.cells.size(), 4u);
    EXPECT_EQ(out.cells[0].code, 0x5001);
    EXPECT_EQ(Data(out.cells[0]), (Bytes{0xFB, 0xFF, 0x2C, 0x01, 0, 0}));
    EXPECT_EQ(out.cells[1].code, 0x6000);
    EXPECT_EQ(Data(out.cells[1]), (Bytes{1, 0, 0, 0, 0, 0})) << "(0, 0) is stored as (1, 0)";
    EXPECT_EQ(Data(out.cells[2]), (Bytes{0x10, 0x27, 0x10, 0x27, 0, 0})) << "(10000, 10000)";
    EXPECT_EQ(out.cells[3].code, 0x6002);
    EXPECT_EQ(Data(out.cells[3]), (Bytes{0x88, 0x13, 0x88, 0x13, 0, 0}));
}

TEST_F(MacroEncodingTest, AScreenOfZeroDoesNotDivideByIt) {
    m_Context.gameWidth = 0;
    m_Context.gameHeight = 0;
    const DeviceMacro out = Encode({Mouse(100, 100, 0x8001)});
    EXPECT_EQ(Data(out.cells[0]), (Bytes{1, 0, 0, 0, 0, 0}));
}

TEST_F(MacroEncodingTest, OnlyAStartItemGivesAnEmptyMacro) {
    const DeviceMacro out = Encode({kStart, {7, 1, 2, 3}});
    EXPECT_EQ(out.header.cellCount, 0);
    EXPECT_TRUE(out.cells.empty());
}

TEST(MacroHeaderEncoding, RepeatFromTheRepeatWord) {
    struct Case {
        uint32_t word;
        int16_t program, library;
    };
    const Case cases[] = {
        {0x10424, 0, 0},  {0x50424, 4, 4},  {0x00424, -1, -1},
        {0x10524, -1, 0}, {0x30624, -2, 2}, {0x10724, -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RepeatOf(c.word, true), c.program) << std::hex << c.word;
        EXPECT_EQ(RepeatOf(c.word, false), c.library) << std::hex << c.word;
    }
}

TEST(MacroHeaderEncoding, NamesAreCutToTwentyBytesAtACharacterBoundary) {
    struct Case {
        std::u16string name;
        uint32_t codePage;
        std::string field;
    };
    const Case cases[] = {
        {u"Copy", 1252, std::string("Copy") + std::string(16, '\0')},
        {u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 1252, "ABCDEFGHIJKLMNOPQRST"},
        {u"caf\u00E9", 1252, std::string("caf\xE9") + std::string(16, '\0')},
        // Nineteen bytes of text, then a Hangul syllable of two bytes that no longer fits.
        {u"ABCDEFGHIJKLMNOPQRS\uAC00", 949, std::string("ABCDEFGHIJKLMNOPQRS") + '\0'},
        {u"\uAC00\uAC00\uAC00\uAC00\uAC00\uAC00\uAC00\uAC00\uAC00\uAC00\uAC00", 949,
         "\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1"},
    };
    for (const Case& c : cases) {
        char field[20];
        FillDeviceName(field, c.name, c.codePage);
        EXPECT_EQ(std::string(field, 20), c.field);
    }
}

TEST(StoredCells, ButtonStepsAndKeyReleasesTakeEightBytes) {
    EXPECT_EQ(StoredCellSize(0x4001), 8u);
    EXPECT_EQ(StoredCellSize(0x4800), 8u);
    EXPECT_EQ(StoredCellSize(0x4000), 8u);
    EXPECT_EQ(StoredCellSize(0x8000), 8u);
    EXPECT_EQ(StoredCellSize(0x8001), 12u);
    EXPECT_EQ(StoredCellSize(0x5001), 12u);
    EXPECT_EQ(StoredCellSize(0x6002), 12u);
    EXPECT_EQ(StoredCellSize(0x0000), 12u);
}

}  // namespace
}  // namespace varnel
