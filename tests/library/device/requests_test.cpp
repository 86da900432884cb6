#include "requests.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

std::vector<std::pair<uint32_t, uint32_t>> ChunksOf(uint32_t total) {
    std::vector<std::pair<uint32_t, uint32_t>> out;
    ForEachChunk(total, [&](Chunk c) {
        out.emplace_back(c.offset, c.length);
        return true;
    });
    return out;
}

TEST(Chunking, SplitsIntoFiftySixByteChunksWithAShorterLastOne) {
    using Chunks = std::vector<std::pair<uint32_t, uint32_t>>;
    EXPECT_EQ(ChunksOf(0), Chunks{});
    EXPECT_EQ(ChunksOf(1), (Chunks{{0, 1}}));
    EXPECT_EQ(ChunksOf(56), (Chunks{{0, 56}}));
    EXPECT_EQ(ChunksOf(57), (Chunks{{0, 56}, {56, 1}}));
    EXPECT_EQ(ChunksOf(497).size(), 9u);
    EXPECT_EQ(ChunksOf(497).back(), (std::pair<uint32_t, uint32_t>{448, 49}));
}

TEST(Chunking, StopsAtTheFirstFailedChunk) {
    int visits = 0;
    EXPECT_FALSE(ForEachChunk(200, [&](Chunk c) {
        ++visits;
        return c.offset < 56;
    }));
    EXPECT_EQ(visits, 2);
}

TEST(Requests, AFiftySixByteWriteFillsThePayloadExactly) {
    uint8_t data[56];
    for (int i = 0; i < 56; ++i) data[i] = static_cast<uint8_t>(0xA0 + i);
    uint8_t request[64];
    BuildWriteRequest(request, 3, 0x1F038, data, 56);
    EXPECT_EQ(request[0], 0xF2);
    EXPECT_EQ(request[1], 56);
    EXPECT_EQ(request[2], 3);
    EXPECT_EQ(request[3], 0);
    EXPECT_EQ(request[4], 0x38);
    EXPECT_EQ(request[5], 0xF0);
    EXPECT_EQ(request[6], 0x01);
    EXPECT_EQ(request[7], 0x00);
    EXPECT_EQ(request[8], 0xA0);
    EXPECT_EQ(request[63], 0xA0 + 55);
}

TEST(Requests, ReadAndEraseLayouts) {
    uint8_t read[64];
    BuildReadRequest(read, 1, 0x100038, 8);
    EXPECT_EQ(std::vector<uint8_t>(read, read + 8),
              (std::vector<uint8_t>{0xF3, 8, 1, 0, 0x38, 0x00, 0x10, 0x00}));
    uint8_t erase[64];
    BuildEraseRequest(erase, 3, 0x10000, 0x800);
    EXPECT_EQ(std::vector<uint8_t>(erase, erase + 12),
              (std::vector<uint8_t>{0xF1, 3, 0, 0, 0x00, 0x08, 0, 0, 0x00, 0x00, 0x01, 0x00}));
    for (int i = 12; i < 64; ++i) ASSERT_EQ(erase[i], 0);
}

}  // namespace
}  // namespace varnel
