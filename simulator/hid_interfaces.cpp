#include "hid_interfaces.h"

#include <cstdio>
#include <string>

namespace varnel::sim {

namespace {

// Windows device interface paths: the GUID is the HID device interface class.
constexpr const char* kHidInterfaceClass = "{4d1e55b2-f16f-11cf-88cb-001111000030}";
// Fixed instance ids, one per interface, so paths stay the same across plug cycles like they do
// for a keypad that stays on the same port.
constexpr const char* kApplicationInstanceIds[] = {"7&2a7c1f3&0&0000", "7&3b8d204&0&0000",
                                                   "7&c91e6a5&0&0000", "7&1f04b86&0&0000"};
constexpr const char* kBootLoaderInstanceId = "7&2f1a9c4&0&0000";

std::string DevicePath(UsbIdentity identity, int interfaceNumber, const char* instanceId) {
    char ids[32];
    std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X", identity.vendorId, identity.productId);
    std::string path = std::string("\\\\?\\HID#") + ids;
    if (interfaceNumber >= 0) {
        char mi[16];
        std::snprintf(mi, sizeof mi, "&MI_%02d", interfaceNumber);
        path += mi;
    }
    return path + "#" + instanceId + "#" + kHidInterfaceClass;
}

}  // namespace

std::vector<sockproto::InterfaceRecord> ApplicationInterfaces(UsbIdentity identity) {
    struct Collection {
        uint16_t usagePage;
        uint16_t usage;
    };
    constexpr Collection kCollections[] = {
        {0x0001, 0x0006},            // keyboard
        {0x0001, 0x0002},            // mouse
        {0x000C, 0x0001},            // consumer control
        {kVendorUsagePage, 0x0000},  // vendor commands; last, as on the real keypad
    };
    std::vector<sockproto::InterfaceRecord> interfaces;
    for (int16_t number = 0; number < 4; ++number) {
        sockproto::InterfaceRecord record;
        record.vendorId = identity.vendorId;
        record.productId = identity.productId;
        record.usagePage = kCollections[number].usagePage;
        record.usage = kCollections[number].usage;
        record.interfaceNumber = number;
        record.path = DevicePath(identity, number, kApplicationInstanceIds[number]);
        interfaces.push_back(std::move(record));
    }
    return interfaces;
}

std::vector<sockproto::InterfaceRecord> BootLoaderInterfaces() {
    sockproto::InterfaceRecord record;
    record.vendorId = kBootLoaderIdentity.vendorId;
    record.productId = kBootLoaderIdentity.productId;
    record.usagePage = kVendorUsagePage;
    record.usage = 0x0000;
    record.interfaceNumber = 0;
    // A single-interface device has no MI_ part in its path.
    record.path = DevicePath(kBootLoaderIdentity, -1, kBootLoaderInstanceId);
    return {record};
}

}  // namespace varnel::sim
