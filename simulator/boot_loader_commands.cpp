// Command handling while the keypad runs its boot loader.
#include "device_model.h"
#include "keypad_commands.h"

namespace varnel::sim {

namespace {

constexpr uint32_t kErasePage = 2048;
constexpr std::chrono::milliseconds kPageEraseTime{40};

}  // namespace

// The boot loader erases and writes the application flash and reads the data area, where the
// host finds the data block; it touches nothing else.
CommandResult DeviceModel::HandleBootLoaderRequest(const Packet& request, CellHealth cells) {
    const uint8_t code = request[0];
    switch (code) {
        case command::kErase:
            return EraseApplicationFlash(request);
        case command::kWrite:
            return {Changed(WriteRequest(
                request, BootLoaderFlashWindow(request[2], command::kAreaApplication), cells))};
        case command::kRead:
            return {ReadRequest(request, BootLoaderFlashWindow(request[2], command::kAreaData))};
        case command::kRestart:
            if (request[1] != command::kRestartSwitchMode) return {MakeReply(code, 0)};
            return Restart(code, KeypadMode::Application);
        default:
            return {MakeReply(code, 0)};
    }
}

std::optional<FlashWindow> DeviceModel::BootLoaderFlashWindow(uint8_t area, uint8_t reachable) {
    if (area != reachable) return std::nullopt;
    if (area == command::kAreaApplication) return FlashWindow{&m_State.applicationFlash, 0};
    return FlashWindow{&m_State.dataArea, 0};
}

CommandResult DeviceModel::EraseApplicationFlash(const Packet& request) {
    const Packet reply = Changed(
        EraseRequest(request, BootLoaderFlashWindow(request[1], command::kAreaApplication)));
    if (reply[1] == 0) return {reply};
    const uint32_t size = EraseSize(request);
    const uint32_t pages = size / kErasePage + (size % kErasePage != 0 ? 1 : 0);
    return {reply, std::nullopt, pages * kPageEraseTime};
}

}  // namespace varnel::sim
