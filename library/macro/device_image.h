// The keypad's macro area as one byte image: "KRAM", the macro count, 30 offsets, then each
// macro's header and cells back to back (cells in their stored sizes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "varnel/LumoApi.h"

namespace varnel {

inline constexpr uint32_t kMacroAreaSize = 61440;
inline constexpr uint32_t kImageHeaderSize = 128;  // magic, count, offset table
inline constexpr uint32_t kMaxDeviceMacros = 30;
inline constexpr uint8_t kImageMagic[4] = {'K', 'R', 'A', 'M'};

// Bytes of the image without its 4-byte magic; 0 for an empty list.
uint32_t DeviceImageSize(const std::vector<DeviceMacro>& macros);
// Whether the image with its magic fits the macro area.
bool DeviceImageFits(const std::vector<DeviceMacro>& macros);
// The whole image, magic included (empty for an empty list).
std::vector<uint8_t> BuildDeviceImage(const std::vector<DeviceMacro>& macros);

// The first 128 bytes of an image as read from the keypad: magic, count and offsets.
struct DeviceImageHead {
    bool magic = false;
    uint32_t count = 0;
    uint32_t offsets[kMaxDeviceMacros] = {};
    // Where the data ends: offset entry `count` (entry 29 when count is 30 or more).
    uint32_t DataSize() const;
};
DeviceImageHead ParseDeviceImageHead(std::span<const uint8_t> head);

// Parses macros out of an image read into `image` (the read buffer) into `macros`, which is
// resized to the head's count first; a macro whose start or cells run past the buffer ends the
// parse, and macros not reached keep what they held. False when the buffer's own magic or count
// is not valid; then `macros` is unchanged.
bool ParseDeviceImage(std::span<const uint8_t> image, const DeviceImageHead& head,
                      std::vector<DeviceMacro>& macros);

}  // namespace varnel
