#include "macro_area.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace varnel::sim {
namespace {

constexpr size_t kDataAreaSize = 0x20000;

struct MacroSpec {
    std::string name;
    std::vector<uint16_t> cellCodes;
    int16_t repeat = 0;
};

void PutWord(std::vector<uint8_t>& image, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Lays the macros out as the library writes them: magic, count, offset table, then each
// header followed by its cells (8 bytes for mouse buttons without a position, else 12).
std::vector<uint8_t> BuildImage(const std::vector<MacroSpec>& macros) {
    std::vector<uint8_t> image(128, 0);
    std::memcpy(image.data(), "KRAM", 4);
    PutWord(image, 4, static_cast<uint32_t>(macros.size()));
    for (size_t i = 0; i < macros.size(); ++i) {
        PutWord(image, 8 + 4 * i, static_cast<uint32_t>(image.size()));
        std::vector<uint8_t> header(24, 0);
        const MacroSpec& macro = macros[i];
        header[0] = static_cast<uint8_t>(macro.cellCodes.size());
        header[2] = static_cast<uint8_t>(macro.repeat);
        header[3] = static_cast<uint8_t>(static_cast<uint16_t>(macro.repeat) >> 8);
        std::memcpy(header.data() + 4, macro.name.data(), std::min<size_t>(macro.name.size(), 20));
        image.insert(image.end(), header.begin(), header.end());
        for (uint16_t code : macro.cellCodes) {
            std::vector<uint8_t> cell((code & 0x7000) == 0x4000 ? 8 : 12, 0);
            cell[0] = static_cast<uint8_t>(code);
            cell[1] = static_cast<uint8_t>(code >> 8);
            image.insert(image.end(), cell.begin(), cell.end());
        }
    }
    if (macros.size() < 30)
        PutWord(image, 8 + 4 * macros.size(), static_cast<uint32_t>(image.size()));
    return image;
}

FlashArea AreaHolding(const std::vector<uint8_t>& image) {
    FlashArea area(kDataAreaSize);
    area.Program(kMacroAreaOffset, image);
    return area;
}

TEST(MacroAreaSummary, ErasedAreaHasNoMagicAndNoMacros) {
    const MacroAreaSummary summary = SummarizeMacroArea(FlashArea(kDataAreaSize));
    EXPECT_FALSE(summary.hasMagic);
    EXPECT_TRUE(summary.macros.empty());
}

TEST(MacroAreaSummary, ListsEachMacroWithItsNameCellsAndRepeat) {
    const std::vector<uint8_t> image = BuildImage(
        {{"copy", {0x8001, 0x8001}, 0}, {"twenty-byte-name-xyz-cut", {0x4001, 0x5000}, -1}});
    const MacroAreaSummary summary = SummarizeMacroArea(AreaHolding(image));
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
    std::vector<MacroSpec> macros(30, MacroSpec{"m", {0x8001, 0x4020}, 0});
    const std::vector<uint8_t> image = BuildImage(macros);
    const MacroAreaSummary summary = SummarizeMacroArea(AreaHolding(image));
    EXPECT_EQ(summary.macros.size(), 30u);
    EXPECT_EQ(summary.usedBytes, image.size());
}

TEST(MacroAreaSummary, ACountAboveThirtyListsNothing) {
    std::vector<uint8_t> image = BuildImage({{"a", {0x8001}, 0}});
    PutWord(image, 4, 31);
    const MacroAreaSummary summary = SummarizeMacroArea(AreaHolding(image));
    EXPECT_TRUE(summary.hasMagic);
    EXPECT_EQ(summary.count, 31u);
    EXPECT_TRUE(summary.macros.empty());
}

TEST(MacroAreaSummary, NamesPrintOnOneLineWhateverTheirBytes) {
    EXPECT_EQ(PrintableName("ab c"), "ab c");
    EXPECT_EQ(PrintableName("\xC7\xD1\n\"\\"), "\\xC7\\xD1\\x0A\\x22\\x5C");
}

}  // namespace
}  // namespace varnel::sim
