// The simulated keypad itself: flash, modes and command handling, without any I/O.
//
// Conventions of this simulator:
// - Application mode enumerates with the configured identity (default 1C6C:C008) as four HID
//   interfaces in this order: MI_00 keyboard (0x0001/0x0006), MI_01 mouse (0x0001/0x0002),
//   MI_02 consumer control (0x000C/0x0001), MI_03 vendor (0xFF00/0x0000). Only the vendor
//   interface carries command reports; the others accept opens and ignore reports.
// - Boot-loader mode enumerates as 060B:2320 with one vendor interface, number 0.
// - The 32-bit word of the 0xF5 07 04 state query:
//     bit 0      the macro store holds its magic "KRAM" at data-area offset 0x10000
//     bits 8..10 the active step (0..7)
//     all other bits 0.
// - Restarting (0xF4 01) switches the mode at once; the caller sends the reply, removes the
//   keypad from the bus and brings it back in the new mode.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "flash_commands.h"
#include "hid_interfaces.h"
#include "packet.h"
#include "persistent_state.h"

namespace varnel::sim {

struct CommandResult {
    // Implicit, so a handler can return just the reply.
    CommandResult(const Packet& replyPacket, std::optional<KeypadMode> restart = std::nullopt)
        : reply(replyPacket), restartInto(restart) {}

    Packet reply;
    // Set when the request made the keypad restart; it comes back in this mode.
    std::optional<KeypadMode> restartInto;
};

class DeviceModel {
  public:
    DeviceModel(UsbIdentity applicationIdentity, PersistentState state);

    // Carries out one request and returns its reply.
    CommandResult Handle(const Packet& request);

    KeypadMode Mode() const { return m_State.mode; }
    UsbIdentity Identity() const;
    // The interfaces the keypad shows in its current mode.
    std::vector<sockproto::InterfaceRecord> Interfaces() const;

    const PersistentState& State() const { return m_State; }
    // Changes whenever the persistent state changes, so callers can tell when to save it.
    uint64_t Revision() const { return m_nRevision; }
    // How many "stored configuration rewritten" notices arrived since the simulator started.
    uint64_t ConfigurationNoticeCount() const { return m_nConfigurationNotices; }
    uint32_t StateWord() const;

  private:
    CommandResult HandleApplicationRequest(const Packet& request);
    CommandResult HandleBootLoaderRequest(const Packet& request);

    std::optional<FlashWindow> ApplicationFlashWindow(uint8_t area);
    Packet StepRequest(const Packet& request);
    CommandResult Restart(uint8_t code, KeypadMode into);
    // Returns the reply after noting a change to the persistent state when it succeeded.
    Packet Changed(Packet reply);

    UsbIdentity m_ApplicationIdentity;
    PersistentState m_State;
    uint64_t m_nRevision = 0;
    uint64_t m_nConfigurationNotices = 0;
};

// The reply a keypad gives to a request it refuses without carrying it out: status 0, and for a
// write the request's data echoed as if it had been read back.
Packet RefusedReply(const Packet& request);

}  // namespace varnel::sim
