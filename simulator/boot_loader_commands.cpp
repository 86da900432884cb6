// Command handling while the keypad runs its boot loader.
#include "device_model.h"
#include "keypad_commands.h"

namespace varnel::sim {

CommandResult DeviceModel::HandleBootLoaderRequest(const Packet& request) {
    const uint8_t code = request[0];
    switch (code) {
        case command::kRead: {
            // The boot loader can read the data area, nothing else yet.
            std::optional<FlashWindow> window;
            if (request[2] == command::kAreaData) window = FlashWindow{&m_State.dataArea, 0};
            return {ReadRequest(request, window)};
        }
        case command::kRestart:
            if (request[1] != command::kRestartSwitchMode) return {MakeReply(code, 0)};
            return Restart(code, KeypadMode::Application);
        default:
            return {MakeReply(code, 0)};
    }
}

}  // namespace varnel::sim
