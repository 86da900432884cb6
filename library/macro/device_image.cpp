#include "device_image.h"

#include <algorithm>
#include <cstring>

#include "macro_encoding.h"

namespace varnel {

namespace {

constexpr uint32_t kHeaderSize = sizeof(MacroHeader);
constexpr uint16_t kNoCells = 0xFFFF;

uint32_t GetU32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void PutU32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t MacroSize(const DeviceMacro& macro) {
    uint32_t size = kHeaderSize;
    for (const MacroCell& cell : macro.cells) size += StoredCellSize(cell.code);
    return size;
}

size_t StoredCount(const std::vector<DeviceMacro>& macros) {
    return std::min<size_t>(macros.size(), kMaxDeviceMacros);
}

}  // namespace

uint32_t DeviceImageSize(const std::vector<DeviceMacro>& macros) {
    if (macros.empty()) return 0;
    uint32_t size = kImageHeaderSize - 4;
    for (size_t i = 0; i < StoredCount(macros); ++i) size += MacroSize(macros[i]);
    return size;
}

bool DeviceImageFits(const std::vector<DeviceMacro>& macros) {
    return DeviceImageSize(macros) + 4 <= kMacroAreaSize;
}

std::vector<uint8_t> BuildDeviceImage(const std::vector<DeviceMacro>& macros) {
    if (macros.empty()) return {};
    std::vector<uint8_t> image(4 + DeviceImageSize(macros), 0);
    std::memcpy(image.data(), kImageMagic, 4);
    const size_t count = StoredCount(macros);
    PutU32(image.data() + 4, static_cast<uint32_t>(count));
    uint32_t at = kImageHeaderSize;
    PutU32(image.data() + 8, at);
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(image.data() + at, &macros[i].header, kHeaderSize);
        at += kHeaderSize;
        for (const MacroCell& cell : macros[i].cells) {
            // A short cell keeps its code, its delay and the first two data bytes.
            const uint32_t stored = StoredCellSize(cell.code);
            std::memcpy(image.data() + at, &cell, stored);
            at += stored;
        }
        if (i + 1 < kMaxDeviceMacros) PutU32(image.data() + 8 + 4 * (i + 1), at);
    }
    return image;
}

uint32_t DeviceImageHead::DataSize() const {
    return offsets[std::min<uint32_t>(count, kMaxDeviceMacros - 1)];
}

DeviceImageHead ParseDeviceImageHead(std::span<const uint8_t> head) {
    DeviceImageHead out;
    if (head.size() < kImageHeaderSize) return out;
    out.magic = std::memcmp(head.data(), kImageMagic, 4) == 0;
    out.count = GetU32(head.data() + 4);
    for (uint32_t i = 0; i < kMaxDeviceMacros; ++i)
        out.offsets[i] = GetU32(head.data() + 8 + 4 * i);
    return out;
}

bool ParseDeviceImage(std::span<const uint8_t> image, const DeviceImageHead& head,
                      std::vector<DeviceMacro>& macros) {
    if (image.size() < kImageHeaderSize || std::memcmp(image.data(), kImageMagic, 4) != 0 ||
        GetU32(image.data() + 4) > kMaxDeviceMacros) {
        return false;
    }
    const uint32_t count = std::min(head.count, kMaxDeviceMacros);
    macros.resize(count);
    const auto end = static_cast<uint32_t>(std::min<size_t>(image.size(), kMacroAreaSize));
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t at = head.offsets[i];
        if (at >= kMacroAreaSize || at + kHeaderSize > end) break;
        DeviceMacro macro;
        std::memcpy(&macro.header, image.data() + at, kHeaderSize);
        at += kHeaderSize;
        bool complete = true;
        const uint16_t cells = macro.header.cellCount == kNoCells ? 0 : macro.header.cellCount;
        for (uint16_t c = 0; c < cells; ++c) {
            MacroCell cell;
            if (at + 2 > end) {
                complete = false;
                break;
            }
            std::memcpy(&cell.code, image.data() + at, 2);
            const uint32_t stored = StoredCellSize(cell.code);
            if (at + stored > end) {
                complete = false;
                break;
            }
            std::memcpy(&cell, image.data() + at, stored == 12 ? 12 : 6);  // short: no data
            macro.cells.push_back(cell);
            at += stored;
        }
        macros[i] = std::move(macro);
        if (!complete) break;
    }
    return true;
}

}  // namespace varnel
