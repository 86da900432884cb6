// Chunked transfers of a flash area: reads and writes of up to 56 bytes per request.
#pragma once

#include <cstdint>
#include <functional>

namespace varnel {

// One exchange: a 64-byte request, and for reads the buffer that receives the data.
using QueryExchange = std::function<bool(const uint8_t* request, uint8_t* data)>;
using CommandExchange = std::function<bool(const uint8_t* request)>;

// Reads `length` bytes from `address` into `out`, stopping after a failed request or before a
// chunk that would start at or beyond `stopAt` bytes. Returns the result of the last request
// (true when there was none).
bool ReadAreaChunks(const QueryExchange& query, uint8_t area, uint32_t address, uint8_t* out,
                    uint32_t length, uint32_t stopAt = UINT32_MAX);

// How often one chunk is sent before the write gives up. A keypad that is gone fails each
// attempt at once, so a removed keypad ends the write quickly.
inline constexpr int kChunkAttempts = 4;

// Writes `length` bytes to `address`, each chunk sent again until it succeeds or has used up
// kChunkAttempts; `written` is told the bytes done after each chunk. False when a chunk failed.
bool WriteAreaChunks(const CommandExchange& command, uint8_t area, uint32_t address,
                     const uint8_t* data, uint32_t length,
                     const std::function<void(uint32_t done)>& written = {});

}  // namespace varnel
