#include "macro_area.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "stored_image_builders.h"

namespace varnel::sim {
namespace {

using namespace testing_images;

std::vector<CellSpec> Codes(std::initializer_list<uint16_t> codes) {
    std::vector<CellSpec> cells;
    for (uint16_t code : codes) cells.push_back({code, 10, {}});
    return cells;
}

TEST(MacroAreaSummary, ErasedAreaHasNoMagicAndNoMacros) {
    const MacroAreaSummary summary = SummarizeMacroArea(DataArea({}));
    EXPECT_FALSE(summary.hasMagic);
    EXPECT_TRUE(summary.macros.empty());
}

TEST(MacroAreaSummary, ListsEachMacroWithItsNameCellsAndRepeat) {
    const std::vector<uint8_t> image =
        BuildMacroArea({{"copy", Codes({0x8001, 0x8001}), 0},
                        {"twenty-byte-name-xyz-cut", Codes({0x4001, 0x5000}), -1}});
    const MacroAreaSummary summary = SummarizeMacroArea(DataArea({}, image));
    EXPECT_TRUE(summary.hasMagic);
    EXPECT_EQ(summary.count, 2u);
    EXPECT_EQ(summary.usedBytes, image.size());
    ASSERT_EQ(summary.macros.size(), 2u);
    EXPECT_EQ(summary.macros[0].name, "copy");
    EXPECT_EQ(summary.macros[0].cellCount, 2);
    EXPECT_EQ(summary.macros[1].name, "twenty-byte-name-xyz");  // all 20 bytes, no terminator
    EXPECT_EQ(summary.macros[1].repeat, -1);
}

TEST(MacroAreaSummary, ThirtyMacrosEndWhereTheLastMacrosCellsEnd) {
    std::vector<MacroSpec> macros(30, MacroSpec{"m", Codes({0x8001, 0x4020}), 0});
    const std::vector<uint8_t> image = BuildMacroArea(macros);
    const MacroAreaSummary summary = SummarizeMacroArea(DataArea({}, image));
    EXPECT_EQ(summary.macros.size(), 30u);
    EXPECT_EQ(summary.usedBytes, image.size());
}

TEST(MacroAreaSummary, ACountAboveThirtyListsNothing) {
    std::vector<uint8_t> image = BuildMacroArea({{"a", Codes({0x8001}), 0}});
    PutLittle(image, 4, 31, 4);
    const MacroAreaSummary summary = SummarizeMacroArea(DataArea({}, image));
    EXPECT_TRUE(summary.hasMagic);
    EXPECT_EQ(summary.count, 31u);
    EXPECT_TRUE(summary.macros.empty());
}

TEST(StoredMacro, CellsAreReadInTheirStoredSizes) {
    std::vector<uint8_t> image = BuildMacroArea({
        {"first", Codes({0x8001}), 0},
        {"mixed",
         {{0x8000, 3, {0x11, 0x22}}, {0x4020, 70000, {0x33}}, {0x6001, 12, {0x10, 0x27, 0, 0}}},
         2},
        {"empty", {}, 0},
    });
    const StoredMacroReading mixed = ReadStoredMacro(DataArea({}, image), 1);
    ASSERT_TRUE(mixed.found) << mixed.problem;
    EXPECT_EQ(mixed.header.name, "mixed");
    EXPECT_EQ(mixed.header.repeat, 2);
    ASSERT_EQ(mixed.cells.size(), 3u);
    // 8-byte cells keep no data, whatever their two spare bytes hold.
    EXPECT_EQ(mixed.cells[0].code, 0x8000);
    EXPECT_EQ(mixed.cells[0].data, (std::array<uint8_t, 6>{}));
    EXPECT_EQ(mixed.cells[1].delayMs, 70000u);
    EXPECT_EQ(mixed.cells[1].data, (std::array<uint8_t, 6>{}));
    EXPECT_EQ(mixed.cells[2].code, 0x6001);
    EXPECT_EQ(mixed.cells[2].data, (std::array<uint8_t, 6>{0x10, 0x27, 0, 0, 0, 0}));

    const size_t emptyAt = image[16] | image[17] << 8;  // from the offset table
    PutLittle(image, emptyAt, 0xFFFF, 2);               // a cell count that means no cells
    const StoredMacroReading empty = ReadStoredMacro(DataArea({}, image), 2);
    ASSERT_TRUE(empty.found) << empty.problem;
    EXPECT_EQ(empty.header.name, "empty");
    EXPECT_TRUE(empty.cells.empty());
}

TEST(StoredMacro, MissingMacrosSayWhy) {
    struct Case {
        const char* name;
        std::vector<uint8_t> image;
        uint32_t index;
        const char* problem;
    };
    // Two macros with one word of the area's head replaced.
    const auto twoWith = [](size_t offset, uint32_t word) {
        std::vector<uint8_t> image =
            BuildMacroArea({{"a", Codes({0x8001}), 0}, {"b", Codes({0x8001}), 0}});
        PutLittle(image, offset, word, 4);
        return image;
    };
    const std::vector<uint8_t> two = twoWith(4, 2);
    const std::vector<uint8_t> tooMany = twoWith(4, 31);
    const std::vector<uint8_t> outside = twoWith(12, 61440);  // where macro "b" starts
    const Case cases[] = {
        {"erased", {}, 0, "the macro area has no magic"},
        {"count 31", tooMany, 0, "the macro area's count 31 is above 30"},
        {"past the count", two, 2, "the macro area holds 2 macros"},
        {"start outside the area", outside, 1, "its offset 61440 lies outside the macro area"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StoredMacroReading reading = ReadStoredMacro(DataArea({}, c.image), c.index);
        EXPECT_FALSE(reading.found);
        EXPECT_EQ(reading.problem, c.problem);
    }
}

TEST(MacroAreaSummary, NamesPrintOnOneLineWhateverTheirBytes) {
    EXPECT_EQ(PrintableName("ab c"), "ab c");
    EXPECT_EQ(PrintableName("\xC7\xD1\n\"\\"), "\\xC7\\xD1\\x0A\\x22\\x5C");
    EXPECT_EQ(JsonName("a\xC7\""), "a\\u00C7\\u0022");
}

}  // namespace
}  // namespace varnel::sim
