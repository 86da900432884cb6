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
// - The boot loader erases (0xF1) and writes (0xF2) the application flash, area 2, from address
//   0, and reads (0xF3) the data area, area 3, where the host finds the data block at 0x1F000
//   (boot_data_block.h). A write's reply carries status 1 and the written bytes as the flash
//   now holds them, so the host can compare them with what it sent.
// - Erasing application flash keeps the keypad busy 40 ms per started 2048-byte page before it
//   replies (1.28 s for the 64 KiB the host erases before programming). The model only states
//   the time; the link spends it in the usb-fs timing and ignores it in the instant one.
// - Restarting (0xF4 01) switches the mode at once; the caller sends the reply, removes the
//   keypad from the bus and brings it back in the new mode. Restarting from the boot loader
//   into the application takes the firmware version from the image's marker
//   (firmware_marker.h).
// - The mode is persistent: a keypad unplugged in its boot loader comes back in it.
#pragma once

#include <chrono>
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
    CommandResult(const Packet& replyPacket, std::optional<KeypadMode> restart = std::nullopt,
                  std::chrono::milliseconds busyFor = {})
        : reply(replyPacket), restartInto(restart), busy(busyFor) {}

    Packet reply;
    // Set when the request made the keypad restart; it comes back in this mode.
    std::optional<KeypadMode> restartInto;
    // How long the keypad works on the request before it can send the reply.
    std::chrono::milliseconds busy{0};
};

class DeviceModel {
  public:
    DeviceModel(UsbIdentity applicationIdentity, PersistentState state);

    // Carries out one request and returns its reply. `cells` says whether the application flash
    // takes what the boot loader writes to it.
    CommandResult Handle(const Packet& request, CellHealth cells = CellHealth::Good);
    // True for a boot-loader write to the application flash, the writes a bad cell can spoil.
    bool ProgramsApplicationFlash(const Packet& request) const;

    KeypadMode Mode() const { return m_State.mode; }
    UsbIdentity Identity() const;
    // The identity the keypad has while its application runs.
    UsbIdentity ApplicationIdentity() const { return m_ApplicationIdentity; }
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
    CommandResult HandleBootLoaderRequest(const Packet& request, CellHealth cells);

    std::optional<FlashWindow> ApplicationFlashWindow(uint8_t area);
    // The window of `area` when it is the one area a boot-loader request of its kind may reach.
    std::optional<FlashWindow> BootLoaderFlashWindow(uint8_t area, uint8_t reachable);
    CommandResult EraseApplicationFlash(const Packet& request);
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
