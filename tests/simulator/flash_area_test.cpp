#include "flash_area.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel::sim {
namespace {

std::vector<uint8_t> ReadAll(const FlashArea& area) {
    return {area.Bytes().begin(), area.Bytes().end()};
}

TEST(FlashArea, StartsErased) {
    const FlashArea area(64);
    EXPECT_EQ(ReadAll(area), std::vector<uint8_t>(64, 0xFF));
    EXPECT_EQ(area.ProgrammedByteCount(), 0u);
}

TEST(FlashArea, ProgrammingOnlyClearsBits) {
    FlashArea area(16);
    const uint8_t first[] = {0xF0, 0x3C};
    const uint8_t second[] = {0x0F, 0xFF};
    ASSERT_TRUE(area.Program(4, first));
    ASSERT_TRUE(area.Program(4, second));  // a rewrite without erase ANDs into what is there

    uint8_t out[2];
    ASSERT_TRUE(area.Read(4, out));
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[1], 0x3C);
    EXPECT_EQ(area.ProgrammedByteCount(), 2u);
}

TEST(FlashArea, EraseResetsExactlyItsRange) {
    FlashArea area(16);
    const std::vector<uint8_t> zeros(16, 0x00);
    ASSERT_TRUE(area.Program(0, zeros));
    ASSERT_TRUE(area.Erase(3, 5));

    std::vector<uint8_t> expected(16, 0x00);
    std::fill(expected.begin() + 3, expected.begin() + 8, 0xFF);
    EXPECT_EQ(ReadAll(area), expected);
}

TEST(FlashArea, RangesOutsideTheAreaAreRefusedAndChangeNothing) {
    struct Case {
        uint64_t offset;
        uint64_t length;
    };
    const Case cases[] = {
        {0, 0},           // empty
        {15, 2},          // runs past the end
        {16, 1},          // starts at the end
        {UINT64_MAX, 2},  // offset + length wraps around
        {1, UINT64_MAX},  // huge length
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << " length " << c.length);
        FlashArea programmed(16);
        ASSERT_TRUE(programmed.Program(0, std::vector<uint8_t>(16, 0x00)));
        EXPECT_FALSE(programmed.Contains(c.offset, c.length));
        EXPECT_FALSE(programmed.Erase(c.offset, c.length));
        EXPECT_EQ(programmed.ProgrammedByteCount(), 16u);

        if (c.length == 0 || c.length > 16) continue;  // no buffer of that size to pass
        FlashArea fresh(16);
        std::vector<uint8_t> buffer(c.length, 0x00);
        EXPECT_FALSE(fresh.Program(c.offset, buffer));
        EXPECT_EQ(fresh.ProgrammedByteCount(), 0u);
        EXPECT_FALSE(fresh.Read(c.offset, buffer));
    }
    EXPECT_TRUE(FlashArea(16).Contains(15, 1));
}

}  // namespace
}  // namespace varnel::sim
