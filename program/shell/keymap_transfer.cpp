#include "keymap_transfer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

namespace varnel::program {

namespace {

constexpr uint8_t kCodeErase = 0xF1;
constexpr uint8_t kCodeWrite = 0xF2;
constexpr uint8_t kCodeRead = 0xF3;
constexpr uint8_t kDataArea = 3;
constexpr uint32_t kChunk = 56;
constexpr uint8_t kCodeAskReady = 0x10;
constexpr uint8_t kCodeConfigurationChanged = 0x07;
constexpr unsigned kEraseSettleMs = 40;
constexpr uint16_t kBootLoaderIdentity[] = {0x060B, 0x2320};
constexpr uint16_t kApplicationIdentity[] = {0x1C6C, 0xC008};

void PutU32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

void MemoryRequest(uint8_t* request, uint8_t code, uint32_t length, uint32_t address) {
    std::memset(request, 0, 64);
    request[0] = code;
    request[1] = static_cast<uint8_t>(length);
    request[2] = kDataArea;
    PutU32(request + 4, address);
}

bool Erase(CLumoApi& api) {
    uint8_t request[64] = {kCodeErase, kDataArea};
    PutU32(request + 4, kKeyMapSize);
    PutU32(request + 8, kKeyMapAddress);
    return api.Command(request);
}

// Writes image bytes [from, to) in 56-byte chunks; stops at the first chunk that fails.
bool WriteRange(CLumoApi& api, const KeyMapImage& image, uint32_t from, uint32_t to) {
    for (uint32_t offset = from; offset < to; offset += kChunk) {
        const uint32_t length = std::min(kChunk, to - offset);
        uint8_t request[64];
        MemoryRequest(request, kCodeWrite, length, kKeyMapAddress + offset);
        std::memcpy(request + 8, image.data() + offset, length);
        if (!api.Command(request)) return false;
    }
    return true;
}

}  // namespace

KeyMapRead ReadKeyMap(CLumoApi& api, DeviceLock& lock) {
    KeyMapRead read;
    if (api.IsDevicePresent(kBootLoaderIdentity)) {
        read.bootLoader = true;
        return read;
    }
    if (!api.IsDevicePresent(kApplicationIdentity)) return read;
    read.present = true;
    {
        std::lock_guard hold(lock);
        for (uint32_t offset = 0; offset < kKeyMapSize; offset += kChunk) {
            const uint32_t length = std::min<uint32_t>(kChunk, kKeyMapSize - offset);
            uint8_t request[64];
            MemoryRequest(request, kCodeRead, length, kKeyMapAddress + offset);
            if (!api.Query(request, read.image.data() + offset)) break;
        }
    }
    read.valid = IsValidKeyMap(read.image);
    return read;
}

bool WriteKeyMapDirect(CLumoApi& api, KeyMapImage& edited, KeyMapImage& device) {
    PutSignature(edited);
    device = edited;
    const bool erased = Erase(api);
    const bool written = WriteRange(api, edited, 0, kKeyMapSize);
    api.SendDeviceCommand(kCodeConfigurationChanged);
    return erased && written;
}

bool WriteKeyMapFull(CLumoApi& api, DeviceLock& lock, KeyMapImage& edited, KeyMapImage& device) {
    std::lock_guard hold(lock);
    api.QueryDevice(kCodeAskReady);
    PutSignature(edited);
    device = edited;
    const bool erased = Erase(api);
    std::this_thread::sleep_for(std::chrono::milliseconds(kEraseSettleMs));
    // The header goes last: a body that did not arrive leaves the map without its signature.
    const bool written = WriteRange(api, edited, kKeyMapHeaderSize, kKeyMapSize) &&
                         WriteRange(api, edited, 0, kKeyMapHeaderSize);
    api.SendDeviceCommand(kCodeConfigurationChanged);
    return erased && written;
}

}  // namespace varnel::program
