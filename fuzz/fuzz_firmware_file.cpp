// Firmware update files as the library reads them: the identity in the header, the header
// check against the keypad it names, and the descrambled image. A file is accepted exactly when
// it is at least a header long, its image fits the application flash and it carries the product
// tag; an accepted image scrambles back into the file's bytes; and a refused file leaves the
// image buffer as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "firmware_buffers.h"
#include "fuzz_host.h"
#include "shared_api.h"

namespace {

constexpr size_t kHeaderSize = 512;
constexpr size_t kMostImageBytes = 0x1F000;
constexpr size_t kIdentityEnd = 20;
constexpr char kProductTag[] = "LUMOBOARD_LMOUSE";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static varnel::fuzz::FuzzHost host;
    CLumoApi& api = varnel::fuzz::SharedApi();
    // The bytes in a buffer of their own size, so that any read past the file shows.
    const std::vector<uint8_t> file(data, data + size);
    if (file.size() < kIdentityEnd) return 0;  // names no keypad: callers refuse it unread

    uint16_t ids[2] = {};
    if (api.GetFirmwareFileId(file.data(), ids) != 1) __builtin_trap();
    api.SetDeviceId(ids[0], ids[1]);
    const bool tagged = std::memcmp(file.data(), kProductTag, 16) == 0;
    if (api.CheckFirmwareHeader(file.data()) != tagged) __builtin_trap();

    const std::vector<uint8_t> before = varnel::g_APROMBuff;
    const bool accepted = api.DecFirmware(file.data(), static_cast<uint32_t>(file.size()));
    const bool expected =
        file.size() >= kHeaderSize && file.size() - kHeaderSize <= kMostImageBytes && tagged;
    if (accepted != expected) __builtin_trap();
    if (!accepted) {
        if (varnel::g_APROMBuff != before) __builtin_trap();
        return 0;
    }
    std::vector<uint8_t> image = varnel::g_APROMBuff;
    if (image.size() != file.size() - kHeaderSize) __builtin_trap();
    for (uint32_t offset = 0; offset < image.size(); offset += 512) {
        const auto length = static_cast<uint32_t>(std::min<size_t>(512, image.size() - offset));
        if (api.DecodeBlock(offset, image.data() + offset, length) != length) __builtin_trap();
    }
    if (!std::equal(image.begin(), image.end(), file.begin() + kHeaderSize)) __builtin_trap();
    return 0;
}
