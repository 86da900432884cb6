// CRC-32 (IEEE 802.3, the zlib one): the checksum of the simulator's state file and of keypad
// backups.
#pragma once

#include <cstdint>
#include <span>

namespace varnel {

// Pass the previous result as `crc` to continue over several pieces.
uint32_t Crc32(std::span<const uint8_t> data, uint32_t crc = 0);

}  // namespace varnel
