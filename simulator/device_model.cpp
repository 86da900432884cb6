#include "device_model.h"

#include <algorithm>

#include "firmware_marker.h"
#include "keypad_commands.h"
#include "macro_area.h"

namespace varnel::sim {

namespace {
constexpr uint32_t kMacroMagicBit = 1u << 0;
constexpr int kStepShift = 8;
}  // namespace

DeviceModel::DeviceModel(UsbIdentity applicationIdentity, PersistentState state)
    : m_ApplicationIdentity(applicationIdentity), m_State(std::move(state)) {}

CommandResult DeviceModel::Handle(const Packet& request, CellHealth cells) {
    return m_State.mode == KeypadMode::Application ? HandleApplicationRequest(request)
                                                   : HandleBootLoaderRequest(request, cells);
}

bool DeviceModel::ProgramsApplicationFlash(const Packet& request) const {
    return m_State.mode == KeypadMode::BootLoader && request[0] == command::kWrite &&
           request[2] == command::kAreaApplication;
}

UsbIdentity DeviceModel::Identity() const {
    return m_State.mode == KeypadMode::Application ? m_ApplicationIdentity : kBootLoaderIdentity;
}

std::vector<sockproto::InterfaceRecord> DeviceModel::Interfaces() const {
    return m_State.mode == KeypadMode::Application ? ApplicationInterfaces(m_ApplicationIdentity)
                                                   : BootLoaderInterfaces();
}

uint32_t DeviceModel::StateWord() const {
    uint32_t word = static_cast<uint32_t>(m_State.step) << kStepShift;
    if (SummarizeMacroArea(m_State.dataArea).hasMagic) word |= kMacroMagicBit;
    return word;
}

CommandResult DeviceModel::Restart(uint8_t code, KeypadMode into) {
    if (into == KeypadMode::Application) {
        if (const auto version = FindFirmwareMarker(m_State.applicationFlash.Bytes())) {
            m_State.firmware = *version;
        }
    }
    m_State.mode = into;
    ++m_nRevision;
    return {MakeReply(code, 1), into};
}

Packet DeviceModel::Changed(Packet reply) {
    if (reply[1] != 0) ++m_nRevision;
    return reply;
}

Packet RefusedReply(const Packet& request) {
    Packet reply = MakeReply(request[0], 0);
    if (request[0] == command::kWrite) {
        const size_t length = std::min<size_t>(request[1], command::kMaxTransfer);
        std::copy_n(request.begin() + 8, length, reply.begin() + 2);
    }
    return reply;
}

}  // namespace varnel::sim
