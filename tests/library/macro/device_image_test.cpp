// The macro area image: size, layout, the capacity limit and parsing what the keypad holds.
#include "device_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace varnel {
namespace {

DeviceMacro Macro(const char* name, std::vector<uint16_t> codes, int16_t repeat = 0) {
    DeviceMacro macro;
    std::memcpy(macro.header.name, name, std::min(std::strlen(name), sizeof macro.header.name));
    macro.header.cellCount = static_cast<uint16_t>(codes.size());
    macro.header.repeat = repeat;
    for (size_t i = 0; i < codes.size(); ++i) {
        MacroCell cell;
        cell.code = codes[i];
        cell.delay = static_cast<uint32_t>(10 + i);
        for (int b = 0; b < 6; ++b) cell.data[b] = static_cast<uint8_t>(0x10 * (i + 1) + b);
        macro.cells.push_back(cell);
    }
    return macro;
}

uint32_t U32(const std::vector<uint8_t>& image, size_t at) {
    uint32_t v;
    std::memcpy(&v, image.data() + at, 4);
    return v;
}

TEST(DeviceImage, SizeCountsHeadersAndStoredCellSizes) {
    EXPECT_EQ(DeviceImageSize({}), 0u);
    // 124 + (24 + 12 + 8) + (24 + 8 + 12)
    EXPECT_EQ(DeviceImageSize({Macro("a", {0x8001, 0x4001}), Macro("b", {0x8000, 0x6001})}),
              124u + 44 + 44);
}

TEST(DeviceImage, LayoutHasMagicCountOffsetsAndShortCells) {
    const std::vector<DeviceMacro> macros = {Macro("first", {0x8001, 0x4001}),
                                             Macro("second", {0x5000})};
    const std::vector<uint8_t> image = BuildDeviceImage(macros);
    ASSERT_EQ(image.size(), 4 + DeviceImageSize(macros));
    EXPECT_EQ(std::string(image.begin(), image.begin() + 4), "KRAM");
    EXPECT_EQ(U32(image, 4), 2u);
    EXPECT_EQ(U32(image, 8), 128u);
    EXPECT_EQ(U32(image, 12), 128u + 24 + 12 + 8);
    EXPECT_EQ(U32(image, 16), 128u + 44 + 24 + 12) << "entry n is where the data ends";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data() + 132), 5), "first");
    // The short cell: code, delay and two data bytes, then the next macro's header.
    const size_t shortCell = 128 + 24 + 12;
    EXPECT_EQ(image[shortCell], 0x01);
    EXPECT_EQ(image[shortCell + 1], 0x40);
    EXPECT_EQ(image[shortCell + 6], 0x20);
    EXPECT_EQ(image[shortCell + 7], 0x21);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data() + shortCell + 8 + 4), 6),
              "second");
}

TEST(DeviceImage, ThirtyMacrosAtMostAndNoEndEntryForTheThirtieth) {
    std::vector<DeviceMacro> macros(31, Macro("m", {0x8001}));
    const std::vector<uint8_t> image = BuildDeviceImage(macros);
    EXPECT_EQ(U32(image, 4), 30u);
    EXPECT_EQ(image.size(), 4u + 124 + 30 * 36);
    EXPECT_EQ(U32(image, 8 + 4 * 29), 128u + 29 * 36) << "entry 29 is where macro 29 starts";
}

TEST(DeviceImage, AnImageThatFillsTheAreaExactlyFitsAndOneByteMoreDoesNot) {
    // 124 + 24 + 12 * 5108 = 61444; minus 8 by turning two cells into short ones = 61436.
    std::vector<uint16_t> codes(5108, 0x8001);
    codes[0] = codes[1] = 0x4001;
    std::vector<DeviceMacro> macros = {Macro("big", codes)};
    EXPECT_EQ(DeviceImageSize(macros) + 4, 61440u);
    EXPECT_TRUE(DeviceImageFits(macros));
    macros[0].cells[0].code = 0x8001;  // four bytes more
    EXPECT_FALSE(DeviceImageFits(macros));
}

TEST(DeviceImage, ParsingGivesBackWhatWasBuiltWithShortCellsWithoutData) {
    const std::vector<DeviceMacro> macros = {Macro("first", {0x8001, 0x4001}, 4),
                                             Macro("second", {0x8000}, -2)};
    std::vector<uint8_t> area = BuildDeviceImage(macros);
    area.resize(kMacroAreaSize, 0);
    std::vector<DeviceMacro> parsed;
    ASSERT_TRUE(ParseDeviceImage(area, ParseDeviceImageHead(area), parsed));
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(std::string(parsed[0].header.name), "first");
    EXPECT_EQ(parsed[0].header.repeat, 4);
    ASSERT_EQ(parsed[0].cells.size(), 2u);
    EXPECT_EQ(uint32_t{parsed[0].cells[0].delay}, 10u);
    EXPECT_EQ(parsed[0].cells[0].data[5], 0x15);
    EXPECT_EQ(parsed[0].cells[1].code, 0x4001);
    EXPECT_EQ(uint32_t{parsed[0].cells[1].delay}, 11u);
    for (uint8_t b : parsed[0].cells[1].data) EXPECT_EQ(b, 0) << "a short cell has no data";
    EXPECT_EQ(parsed[1].header.repeat, -2);
    EXPECT_EQ(parsed[1].cells[0].code, 0x8000);
}

TEST(DeviceImage, ParseRefusesABadMagicOrCountAndLeavesTheList) {
    std::vector<uint8_t> area(kMacroAreaSize, 0xFF);
    std::vector<DeviceMacro> list = {Macro("kept", {0x8001})};
    EXPECT_FALSE(ParseDeviceImage(area, ParseDeviceImageHead(area), list));
    std::vector<uint8_t> image = BuildDeviceImage(list);
    image.resize(kMacroAreaSize, 0);
    image[4] = 31;
    EXPECT_FALSE(ParseDeviceImage(image, ParseDeviceImageHead(image), list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(std::string(list[0].header.name), "kept");
}

TEST(DeviceImage, CellsOrStartsPastTheBufferEndTheParse) {
    std::vector<DeviceMacro> macros = {Macro("a", {0x8001}), Macro("b", {0x8001}),
                                       Macro("c", {0x8001})};
    std::vector<uint8_t> image = BuildDeviceImage(macros);
    image.resize(kMacroAreaSize, 0);
    DeviceImageHead head = ParseDeviceImageHead(image);
    // Macro b claims 60000 cells: the parse stops at the buffer's end, and c is not reached.
    const uint16_t many = 60000;
    std::memcpy(image.data() + head.offsets[1], &many, 2);
    std::vector<DeviceMacro> parsed = {Macro("old0", {}), Macro("old1", {}), Macro("old2", {})};
    ASSERT_TRUE(ParseDeviceImage(image, head, parsed));
    ASSERT_EQ(parsed.size(), 3u);
    EXPECT_EQ(std::string(parsed[0].header.name), "a");
    EXPECT_EQ(std::string(parsed[1].header.name), "b");
    EXPECT_LT(parsed[1].cells.size(), 60000u);
    EXPECT_EQ(std::string(parsed[2].header.name), "old2") << "not parsed: keeps what it held";
    // A start at 61440 or beyond ends the parse as well.
    head.offsets[0] = kMacroAreaSize;
    std::vector<DeviceMacro> none = {Macro("x", {})};
    ASSERT_TRUE(ParseDeviceImage(image, head, none));
    EXPECT_EQ(std::string(none[0].header.name), "x");
}

}  // namespace
}  // namespace varnel
