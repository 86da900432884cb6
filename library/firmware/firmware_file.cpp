#include "firmware_file.h"

#include <algorithm>
#include <cstring>

namespace varnel {

namespace {

constexpr uint8_t kScrambleKey[16] = {0x3A, 0x7E, 0xC1, 0x05, 0xB8, 0x62, 0x19, 0xD4,
                                      0x0F, 0x9B, 0x57, 0xE3, 0x2C, 0x86, 0x71, 0xA0};
constexpr uint32_t kTagSize = 16;
constexpr uint32_t kProductIdOffset = 16;
constexpr uint32_t kVendorIdOffset = 18;

uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void PutU16(uint8_t* p, uint16_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

std::optional<FirmwareFileId> ReadFirmwareFileId(std::span<const uint8_t> file) {
    if (file.size() < kFirmwareIdEnd) return std::nullopt;
    return FirmwareFileId{GetU16(file.data() + kVendorIdOffset),
                          GetU16(file.data() + kProductIdOffset)};
}

bool FirmwareHeaderMatches(const uint8_t* header, FirmwareFileId keypad) {
    return std::memcmp(header, kFirmwareProductTag, kTagSize) == 0 &&
           GetU16(header + kVendorIdOffset) == keypad.vendorId &&
           GetU16(header + kProductIdOffset) == keypad.productId;
}

uint32_t DescrambleBlock(uint32_t offset, uint8_t* data, uint32_t length) {
    const uint8_t block = static_cast<uint8_t>(offset >> 9);
    for (uint32_t i = 0; i < length; ++i) {
        data[i] ^= kScrambleKey[i % 16] ^ block ^ static_cast<uint8_t>(i);
    }
    return length;
}

void DescrambleImage(std::span<uint8_t> image) {
    const auto size = static_cast<uint32_t>(image.size());
    for (uint32_t offset = 0; offset < size; offset += kScrambleBlockSize) {
        DescrambleBlock(offset, image.data() + offset, std::min(kScrambleBlockSize, size - offset));
    }
}

FirmwareFileProblem CheckFirmwareFile(std::span<const uint8_t> file, FirmwareFileId keypad) {
    if (file.size() < kFirmwareHeaderSize) return FirmwareFileProblem::TooShort;
    if (file.size() - kFirmwareHeaderSize > kMaxApplicationImage) {
        return FirmwareFileProblem::TooLarge;
    }
    if (!FirmwareHeaderMatches(file.data(), keypad)) return FirmwareFileProblem::WrongKeypad;
    return FirmwareFileProblem::None;
}

std::vector<uint8_t> ExtractApplicationImage(std::span<const uint8_t> file) {
    std::vector<uint8_t> image(file.begin() + kFirmwareHeaderSize, file.end());
    DescrambleImage(image);
    return image;
}

std::vector<uint8_t> PackFirmwareFile(std::span<const uint8_t> image, FirmwareFileId id) {
    std::vector<uint8_t> file(kFirmwareHeaderSize + image.size(), 0);
    std::memcpy(file.data(), kFirmwareProductTag, kTagSize);
    PutU16(file.data() + kProductIdOffset, id.productId);
    PutU16(file.data() + kVendorIdOffset, id.vendorId);
    std::copy(image.begin(), image.end(), file.begin() + kFirmwareHeaderSize);
    DescrambleImage(std::span<uint8_t>(file).subspan(kFirmwareHeaderSize));
    return file;
}

}  // namespace varnel
