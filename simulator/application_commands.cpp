// Command handling while the keypad runs its application firmware.
#include <algorithm>

#include "device_model.h"
#include "keypad_commands.h"

namespace varnel::sim {

namespace {

bool HasArgs(const Packet& request, const uint8_t (&args)[2]) {
    return request[1] == args[0] && request[2] == args[1];
}

}  // namespace

CommandResult DeviceModel::HandleApplicationRequest(const Packet& request) {
    const uint8_t code = request[0];
    switch (code) {
        case command::kConfigurationRewritten:
            ++m_nConfigurationNotices;
            return {MakeReply(code, 1)};
        case command::kStep:
            return {StepRequest(request)};
        case command::kAcknowledge:
            return {MakeReply(code, 1)};
        case command::kFirmwareVersion: {
            Packet reply = MakeReply(code, m_State.firmware.major);
            reply[2] = m_State.firmware.minor;
            reply[3] = m_State.firmware.patch;
            return {reply};
        }
        case command::kErase:
            return {Changed(EraseRequest(request, ApplicationFlashWindow(request[1])))};
        case command::kWrite:
            return {Changed(WriteRequest(request, ApplicationFlashWindow(request[2])))};
        case command::kRead:
            return {ReadRequest(request, ApplicationFlashWindow(request[2]))};
        case command::kRestart:
            if (request[1] != command::kRestartSwitchMode) return {MakeReply(code, 0)};
            return Restart(code, KeypadMode::BootLoader);
        case command::kStateQuery: {
            if (!HasArgs(request, command::kStateQueryArgs)) return {MakeReply(code, 0)};
            Packet reply = MakeReply(code, request[1]);
            reply[2] = request[2];
            PutU32(reply, 3, StateWord());
            return {reply};
        }
        case command::kIndexedSelect:
            return {MakeReply(code, HasArgs(request, command::kIndexedSelectArgs) ? 1 : 0)};
        default:
            return {MakeReply(code, 0)};
    }
}

// The application may touch the boot-loader flash and the data area, never its own flash.
std::optional<FlashWindow> DeviceModel::ApplicationFlashWindow(uint8_t area) {
    switch (area) {
        case command::kAreaBootLoader:
            return FlashWindow{&m_State.bootLoaderFlash, command::kBootLoaderFlashBase};
        case command::kAreaData:
            return FlashWindow{&m_State.dataArea, 0};
        default:
            return std::nullopt;
    }
}

Packet DeviceModel::StepRequest(const Packet& request) {
    const uint8_t value = request[1];
    if (value == command::kStepQuery) return MakeReply(request[0], m_State.step);
    if (value >= kStepCount) return MakeReply(request[0], 0);
    m_State.step = value;
    ++m_nRevision;
    return MakeReply(request[0], 1);
}

}  // namespace varnel::sim
