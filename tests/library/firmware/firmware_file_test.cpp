// The firmware update file: its header, its limits and the scrambling of its image.
#include "firmware_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

namespace varnel {
namespace {

constexpr FirmwareFileId kKeypad{0x1C6C, 0xC008};

std::vector<uint8_t> Counting(size_t size) {
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), static_cast<uint8_t>(7));
    return bytes;
}

TEST(FirmwareScrambling, IsItsOwnInverseAndNumbersTheBlocks) {
    const std::vector<uint8_t> image = Counting(1024);
    std::vector<uint8_t> scrambled = image;
    DescrambleImage(scrambled);
    EXPECT_NE(scrambled, image);
    // Byte 0 of the second block: key byte 0, block number 1, index 0.
    EXPECT_EQ(scrambled[512], image[512] ^ 0x3A ^ 0x01 ^ 0x00);
    // Byte 17 of the first block: key byte 1, block 0, index 17.
    EXPECT_EQ(scrambled[17], image[17] ^ 0x7E ^ 0x00 ^ 17);
    DescrambleImage(scrambled);
    EXPECT_EQ(scrambled, image);
}

TEST(FirmwareFile, PackedFileCarriesTagIdentityAndTheImageBack) {
    const std::vector<uint8_t> image = Counting(1500);
    const std::vector<uint8_t> file = PackFirmwareFile(image, kKeypad);
    ASSERT_EQ(file.size(), 512u + 1500u);
    EXPECT_EQ(std::memcmp(file.data(), "LUMOBOARD_LMOUSE", 16), 0);
    EXPECT_EQ(file[16], 0x08);  // product identifier first
    EXPECT_EQ(file[17], 0xC0);
    EXPECT_EQ(file[18], 0x6C);
    EXPECT_EQ(file[19], 0x1C);
    const auto id = ReadFirmwareFileId(file);
    ASSERT_TRUE(id.has_value());
    EXPECT_EQ(id->vendorId, kKeypad.vendorId);
    EXPECT_EQ(id->productId, kKeypad.productId);
    EXPECT_EQ(ExtractApplicationImage(file), image);
}

TEST(FirmwareFile, ChecksSizeAndKeypadBeforeAnythingIsProgrammed) {
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        FirmwareFileProblem problem;
    };
    std::vector<uint8_t> otherTag = PackFirmwareFile(Counting(64), kKeypad);
    otherTag[0] = 'X';
    const std::vector<uint8_t> header = PackFirmwareFile({}, kKeypad);
    const Case cases[] = {
        {"header only", header, FirmwareFileProblem::None},
        {"largest image", PackFirmwareFile(Counting(126976), kKeypad), FirmwareFileProblem::None},
        {"one byte more", PackFirmwareFile(Counting(126977), kKeypad),
         FirmwareFileProblem::TooLarge},
        {"shorter than a header", std::vector<uint8_t>(header.begin(), header.end() - 1),
         FirmwareFileProblem::TooShort},
        {"another keypad", PackFirmwareFile(Counting(64), {0x1C6C, 0xC009}),
         FirmwareFileProblem::WrongKeypad},
        {"another product tag", otherTag, FirmwareFileProblem::WrongKeypad},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckFirmwareFile(c.file, kKeypad), c.problem) << c.what;
}

TEST(FirmwareFile, AFileShorterThanTwentyBytesNamesNoKeypad) {
    const std::vector<uint8_t> file = PackFirmwareFile({}, kKeypad);
    EXPECT_FALSE(ReadFirmwareFileId(std::span(file).first(19)).has_value());
    EXPECT_TRUE(ReadFirmwareFileId(std::span(file).first(20)).has_value());
}

}  // namespace
}  // namespace varnel
