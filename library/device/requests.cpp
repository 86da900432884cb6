#include <cstring>

#include "requests.h"

namespace varnel {

namespace {

constexpr uint8_t kCodeErase = 0xF1;
constexpr uint8_t kCodeWrite = 0xF2;
constexpr uint8_t kCodeRead = 0xF3;

void PutU32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

void BuildWriteRequest(uint8_t* request, uint8_t area, uint32_t address, const uint8_t* data,
                       uint32_t length) {
    std::memset(request, 0, kRequestSize);
    length = std::min(length, kChunkSize);
    request[0] = kCodeWrite;
    request[1] = static_cast<uint8_t>(length);
    request[2] = area;
    PutU32(request + 4, address);
    std::memcpy(request + 8, data, length);
}

void BuildReadRequest(uint8_t* request, uint8_t area, uint32_t address, uint32_t length) {
    std::memset(request, 0, kRequestSize);
    request[0] = kCodeRead;
    request[1] = static_cast<uint8_t>(std::min(length, kChunkSize));
    request[2] = area;
    PutU32(request + 4, address);
}

void BuildEraseRequest(uint8_t* request, uint8_t area, uint32_t start, uint32_t size) {
    std::memset(request, 0, kRequestSize);
    request[0] = kCodeErase;
    request[1] = area;
    PutU32(request + 4, size);
    PutU32(request + 8, start);
}

}  // namespace varnel
