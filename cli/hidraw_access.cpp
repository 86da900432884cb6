#include "hidraw_access.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli_context.h"

namespace varnelctl {

namespace {

// The HID_ID line of a hidraw node's parent device names bus, vendor and product.
bool IsKeypad(const std::filesystem::path& uevent) {
    std::ifstream in(uevent);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("HID_ID=", 0) != 0) continue;
        unsigned bus = 0, vendor = 0, product = 0;
        if (std::sscanf(line.c_str() + 7, "%x:%x:%x", &bus, &vendor, &product) != 3) return false;
        return (vendor == kApplicationVid && product == kApplicationPid) ||
               (vendor == kBootLoaderVid && product == kBootLoaderPid);
    }
    return false;
}

}  // namespace

std::string HidrawPermissionHint() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/hidraw", ec)) {
        if (!IsKeypad(entry.path() / "device" / "uevent")) continue;
        const std::string node = "/dev/" + entry.path().filename().string();
        if (::access(node.c_str(), R_OK | W_OK) == 0 || errno != EACCES) continue;
        return "Permission denied on " + node +
               ": the keypad is attached but this user may not open it.\n"
               "Install the udev rule that gives the logged-in user access, then replug the "
               "keypad:\n"
               "  sudo install -m 0644 packaging/udev/70-varnel-keypad.rules /etc/udev/rules.d/\n"
               "  sudo udevadm control --reload-rules && sudo udevadm trigger";
    }
    return {};
}

}  // namespace varnelctl
