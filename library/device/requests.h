// Memory requests (erase, write, read) and the splitting of long transfers into chunks of at
// most 56 data bytes.
#pragma once

#include <algorithm>
#include <cstdint>

#include "hid_cmd.h"

namespace varnel {

struct Chunk {
    uint32_t offset = 0;
    uint32_t length = 0;
};

// Calls visit(chunk) for consecutive chunks covering [0, total), the last one shorter; stops
// early and returns false as soon as visit returns false.
template <typename Visit>
bool ForEachChunk(uint32_t total, Visit visit) {
    for (uint32_t offset = 0; offset < total; offset += kChunkSize) {
        if (!visit(Chunk{offset, std::min(kChunkSize, total - offset)})) return false;
    }
    return true;
}

// Write (0xF2) and read (0xF3) requests: length, area, 32-bit address, then the data.
void BuildWriteRequest(uint8_t* request, uint8_t area, uint32_t address, const uint8_t* data,
                       uint32_t length);
void BuildReadRequest(uint8_t* request, uint8_t area, uint32_t address, uint32_t length);
// Erase (0xF1): area, 32-bit size, 32-bit start.
void BuildEraseRequest(uint8_t* request, uint8_t area, uint32_t start, uint32_t size);

}  // namespace varnel
