// The HID interfaces the keypad shows the host in each mode.
#pragma once

#include <cstdint>
#include <vector>

#include "socket_protocol.h"

namespace varnel::sim {

struct UsbIdentity {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

inline constexpr UsbIdentity kDefaultApplicationIdentity{0x1C6C, 0xC008};
inline constexpr UsbIdentity kBootLoaderIdentity{0x060B, 0x2320};
// The vendor interface is the only one that carries the keypad's command reports.
inline constexpr uint16_t kVendorUsagePage = 0xFF00;

// Keyboard (MI_00), mouse (MI_01), consumer control (MI_02), vendor (MI_03), in that order.
std::vector<sockproto::InterfaceRecord> ApplicationInterfaces(UsbIdentity identity);
// The boot loader's single vendor interface.
std::vector<sockproto::InterfaceRecord> BootLoaderInterfaces();

}  // namespace varnel::sim
