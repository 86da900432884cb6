#include "flash_commands.h"

#include <span>

#include "keypad_commands.h"

namespace varnel::sim {

namespace {

constexpr size_t kTransferLength = 1;
constexpr size_t kTransferAddress = 4;
constexpr size_t kWriteData = 8;
constexpr size_t kEraseSize = 4;
constexpr size_t kEraseStart = 8;
constexpr size_t kReplyData = 2;

// The area offset a write or read addresses, or nothing when its length or range is invalid.
std::optional<uint64_t> TransferOffset(const Packet& request, const FlashWindow& window) {
    const uint8_t length = request[kTransferLength];
    const uint32_t address = GetU32(request, kTransferAddress);
    if (length == 0 || length > command::kMaxTransfer || address < window.addressBase) {
        return std::nullopt;
    }
    const uint64_t offset = address - window.addressBase;
    if (!window.area->Contains(offset, length)) return std::nullopt;
    return offset;
}

std::span<uint8_t> ReplyData(Packet& reply, uint8_t length) {
    return std::span<uint8_t>(reply).subspan(kReplyData, length);
}

}  // namespace

Packet EraseRequest(const Packet& request, std::optional<FlashWindow> window) {
    const bool erased =
        window && window->area->Erase(GetU32(request, kEraseStart), EraseSize(request));
    return MakeReply(request[0], erased ? 1 : 0);
}

uint32_t EraseSize(const Packet& request) {
    return GetU32(request, kEraseSize);
}

Packet WriteRequest(const Packet& request, std::optional<FlashWindow> window, CellHealth cells) {
    const auto offset = window ? TransferOffset(request, *window) : std::nullopt;
    if (!offset) return MakeReply(request[0], 0);
    const uint8_t length = request[kTransferLength];
    window->area->Program(*offset, std::span<const uint8_t>(request).subspan(kWriteData, length));
    if (cells == CellHealth::Bad) window->area->Damage(*offset, 0x01);
    Packet reply = MakeReply(request[0], 1);
    window->area->Read(*offset, ReplyData(reply, length));
    return reply;
}

Packet ReadRequest(const Packet& request, std::optional<FlashWindow> window) {
    const auto offset = window ? TransferOffset(request, *window) : std::nullopt;
    if (!offset) return MakeReply(request[0], 0);
    Packet reply = MakeReply(request[0], 1);
    window->area->Read(*offset, ReplyData(reply, request[kTransferLength]));
    return reply;
}

}  // namespace varnel::sim
