// Erase, write and read requests against one flash area, shared by both keypad modes. Each mode
// decides which areas a request may reach; these functions only check ranges and lengths.
#pragma once

#include <optional>

#include "flash_area.h"
#include "packet.h"

namespace varnel::sim {

struct FlashWindow {
    FlashArea* area = nullptr;
    uint32_t addressBase = 0;  // the address of the area's first byte in write and read requests
};

// Whether the cells a write reaches take the data. A bad cell leaves the lowest bit of the first
// byte written inverted, so the write's read-back shows a difference.
enum class CellHealth { Good, Bad };

// Each takes the window the request's area number resolves to in the current mode, or nothing
// when that mode has no access; the reply status is 1 only when the operation was carried out.
// Erase: bytes 4..7 size, 8..11 start offset (erases address areas from 0).
Packet EraseRequest(const Packet& request, std::optional<FlashWindow> window);
uint32_t EraseSize(const Packet& request);
// Write: byte 1 length, bytes 4..7 address, data from byte 8; the reply reads the data back.
Packet WriteRequest(const Packet& request, std::optional<FlashWindow> window,
                    CellHealth cells = CellHealth::Good);
// Read: byte 1 length, bytes 4..7 address.
Packet ReadRequest(const Packet& request, std::optional<FlashWindow> window);

}  // namespace varnel::sim
