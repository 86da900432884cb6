// Request packets as the host builds them, for the simulator's tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "packet.h"

namespace varnel::sim::testing_requests {

inline Packet Bytes(std::initializer_list<uint8_t> bytes) {
    Packet packet{};
    std::copy(bytes.begin(), bytes.end(), packet.begin());
    return packet;
}

inline Packet MakeErase(uint8_t area, uint32_t start, uint32_t size) {
    Packet request = Bytes({0xF1, area});
    PutU32(request, 4, size);
    PutU32(request, 8, start);
    return request;
}

inline Packet MakeWrite(uint8_t area, uint32_t address, std::span<const uint8_t> data) {
    Packet request = Bytes({0xF2, static_cast<uint8_t>(data.size()), area});
    PutU32(request, 4, address);
    std::copy(data.begin(), data.end(), request.begin() + 8);
    return request;
}

inline Packet MakeWrite(uint8_t area, uint32_t address, std::initializer_list<uint8_t> data) {
    return MakeWrite(area, address, std::span<const uint8_t>(data.begin(), data.size()));
}

inline Packet MakeRead(uint8_t area, uint32_t address, uint8_t length) {
    Packet request = Bytes({0xF3, length, area});
    PutU32(request, 4, address);
    return request;
}

inline std::vector<uint8_t> ReplyData(const Packet& reply, size_t length) {
    return {reply.begin() + 2, reply.begin() + 2 + static_cast<ptrdiff_t>(length)};
}

}  // namespace varnel::sim::testing_requests
