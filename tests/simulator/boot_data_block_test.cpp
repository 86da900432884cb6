#include "boot_data_block.h"

#include <gtest/gtest.h>

#include <vector>

#include "persistent_state.h"

namespace varnel::sim {
namespace {

constexpr UsbIdentity kIdentity{0x1C6C, 0xC008};

std::vector<uint8_t> BlockBytes(const FlashArea& dataArea, uint32_t offset, size_t length) {
    std::vector<uint8_t> bytes(length);
    dataArea.Read(kBootDataBlockAddress + offset, bytes);
    return bytes;
}

TEST(BootDataBlock, IdentityGoesWhereItsLayoutSaysProductFirst) {
    struct Case {
        BootDataLayout layout;
        uint32_t offset;
    };
    for (const Case& c : {Case{BootDataLayout::Head, 0}, Case{BootDataLayout::Tail, 2044}}) {
        SCOPED_TRACE(BootDataLayoutName(c.layout));
        FlashArea dataArea(kDataAreaSize);
        PutBootDataIdentity(dataArea, kIdentity, c.layout);
        EXPECT_EQ(BlockBytes(dataArea, c.offset, 4),
                  (std::vector<uint8_t>{0x08, 0xC0, 0x6C, 0x1C}));
        EXPECT_EQ(dataArea.ProgrammedByteCount(), 4u);
        EXPECT_EQ(FindBootDataIdentity(dataArea, kIdentity), c.layout);
        EXPECT_EQ(FindBootDataIdentity(dataArea, UsbIdentity{0x1C6C, 0xC009}),
                  BootDataLayout::None);
    }
    FlashArea untouched(kDataAreaSize);
    PutBootDataIdentity(untouched, kIdentity, BootDataLayout::None);
    EXPECT_EQ(untouched.ProgrammedByteCount(), 0u);
    EXPECT_EQ(FindBootDataIdentity(untouched, kIdentity), BootDataLayout::None);
}

TEST(BootDataBlock, KeyMapRewriteOverwritesTheHeadIdentityButNotTheTail) {
    FlashArea dataArea(kDataAreaSize);
    PutBootDataIdentity(dataArea, kIdentity, BootDataLayout::Head);
    PutBootDataIdentity(dataArea, kIdentity, BootDataLayout::Tail);
    // The host erases the 497-byte key map at 0x1F000 and writes its signature.
    dataArea.Erase(kBootDataBlockAddress, 497);
    const uint8_t signature[] = {'R', 'E', 'P', 'R'};
    dataArea.Program(kBootDataBlockAddress, signature);
    EXPECT_EQ(FindBootDataIdentity(dataArea, kIdentity), BootDataLayout::Tail);
}

TEST(BootDataBlock, LayoutNamesRoundTrip) {
    for (BootDataLayout layout : {BootDataLayout::Head, BootDataLayout::Tail, BootDataLayout::None})
        EXPECT_EQ(ParseBootDataLayout(BootDataLayoutName(layout)), layout);
    EXPECT_FALSE(ParseBootDataLayout("Head"));
    EXPECT_FALSE(ParseBootDataLayout(""));
}

}  // namespace
}  // namespace varnel::sim
