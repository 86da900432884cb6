#include "firmware_file_check.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace varnel::program {

namespace {

constexpr uint16_t kBootLoaderIdentity[] = {0x060B, 0x2320};
constexpr uint32_t kIdentityEnd = 20;
constexpr uint32_t kBootDataSize = 4096;

uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

bool BootDataNames(const uint8_t* block, uint16_t vendorId, uint16_t productId) {
    for (const uint32_t at : {0u, 2044u}) {
        if (GetU16(block + at + 2) == vendorId && GetU16(block + at) == productId) return true;
    }
    return false;
}

FirmwareFileCheck CheckFirmwareBytesFit(CLumoApi& api, const std::vector<uint8_t>& file) {
    FirmwareFileCheck check;
    check.fileSize = static_cast<uint32_t>(file.size());
    if (file.size() >= kIdentityEnd) {
        uint16_t ids[2] = {};
        api.GetFirmwareFileId(file.data(), ids);
        check.vendorId = ids[0];
        check.productId = ids[1];
    }
    if (file.size() < kFirmwareHeaderSize ||
        std::memcmp(file.data(), kFirmwareProductTag, sizeof kFirmwareProductTag - 1) != 0) {
        check.verdict = FirmwareFileVerdict::NotAnUpdateFile;
        return check;
    }
    check.imageSize = check.fileSize - kFirmwareHeaderSize;
    if (check.imageSize > kMaxFirmwareImage) {
        check.verdict = FirmwareFileVerdict::TooLarge;
        return check;
    }
    const uint16_t fileIdentity[] = {check.vendorId, check.productId};
    if (api.IsDevicePresent(kBootLoaderIdentity)) {
        check.keypadInBootLoader = true;
        uint8_t block[kBootDataSize] = {};
        const bool read = api.ReadBootDataBlock(block);
        check.verdict = read && BootDataNames(block, check.vendorId, check.productId)
                            ? FirmwareFileVerdict::Fits
                            : FirmwareFileVerdict::OtherKeypad;
    } else if (api.IsDevicePresent(fileIdentity)) {
        check.verdict = FirmwareFileVerdict::Fits;
    } else {
        check.verdict = FirmwareFileVerdict::OtherKeypad;
    }
    return check;
}

FirmwareFileCheck CheckFirmwareFileFits(CLumoApi& api, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        FirmwareFileCheck check;
        check.error = std::strerror(errno);
        return check;
    }
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    return CheckFirmwareBytesFit(api, file);
}

}  // namespace varnel::program
