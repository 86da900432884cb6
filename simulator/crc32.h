// CRC-32 (IEEE 802.3, the zlib one) used for the state file checksum and the area summaries.
#pragma once

#include <cstdint>
#include <span>

namespace varnel::sim {

// Pass the previous result as `crc` to continue over several pieces.
uint32_t Crc32(std::span<const uint8_t> data, uint32_t crc = 0);

}  // namespace varnel::sim
