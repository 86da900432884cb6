#include "area_transfer.h"

#include "requests.h"

namespace varnel {

bool ReadAreaChunks(const QueryExchange& query, uint8_t area, uint32_t address, uint8_t* out,
                    uint32_t length, uint32_t stopAt) {
    bool result = true;
    ForEachChunk(length, [&](Chunk chunk) {
        if (chunk.offset >= stopAt) return false;
        uint8_t request[kRequestSize];
        BuildReadRequest(request, area, address + chunk.offset, chunk.length);
        result = query(request, out + chunk.offset);
        return result;
    });
    return result;
}

bool WriteAreaChunks(const CommandExchange& command, uint8_t area, uint32_t address,
                     const uint8_t* data, uint32_t length,
                     const std::function<void(uint32_t done)>& written) {
    return ForEachChunk(length, [&](Chunk chunk) {
        uint8_t request[kRequestSize];
        BuildWriteRequest(request, area, address + chunk.offset, data + chunk.offset, chunk.length);
        for (int attempt = 0; attempt < kChunkAttempts; ++attempt) {
            if (!command(request)) continue;
            if (written) written(chunk.offset + chunk.length);
            return true;
        }
        return false;
    });
}

}  // namespace varnel
