// The 64-byte request and reply blocks carried in the keypad's 65-byte HID reports.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace varnel::sim {

inline constexpr size_t kPacketSize = 64;
using Packet = std::array<uint8_t, kPacketSize>;

inline uint32_t GetU32(const Packet& packet, size_t offset) {
    return static_cast<uint32_t>(packet[offset]) | static_cast<uint32_t>(packet[offset + 1]) << 8 |
           static_cast<uint32_t>(packet[offset + 2]) << 16 |
           static_cast<uint32_t>(packet[offset + 3]) << 24;
}

inline void PutU32(Packet& packet, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) packet[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Replies echo the request's code in byte 0 and carry a status or value in byte 1.
inline Packet MakeReply(uint8_t code, uint8_t status) {
    Packet reply{};
    reply[0] = code;
    reply[1] = status;
    return reply;
}

}  // namespace varnel::sim
