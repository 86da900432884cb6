#include "cli_context.h"

#include <cstdio>

#include "cli_error.h"

namespace varnelctl {

bool Present(CLumoApi* api, uint16_t vendorId, uint16_t productId) {
    const uint16_t identity[2] = {vendorId, productId};
    return api->IsDevicePresent(identity);
}

void CliContext::Print(const std::string& text, const JsonObject& object) const {
    std::printf("%s\n", json ? object.Text().c_str() : text.c_str());
}

KeypadMode CliContext::RequireKeypad() const {
    if (Present(api, kApplicationVid, kApplicationPid)) return KeypadMode::Application;
    if (Present(api, kBootLoaderVid, kBootLoaderPid)) return KeypadMode::BootLoader;
    throw CliError(kExitNoKeypad, "No keypad found.");
}

void CliContext::RequireApplication() const {
    if (RequireKeypad() != KeypadMode::Application) {
        throw DeviceError("The keypad is in its boot loader; this needs its application firmware.");
    }
}

void CliContext::RequireBootLoader() const {
    if (RequireKeypad() != KeypadMode::BootLoader) {
        throw DeviceError("The keypad runs its application firmware; this needs its boot loader.");
    }
}

std::string IdentityText(uint16_t vendorId, uint16_t productId) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X:%04X", vendorId, productId);
    return text;
}

const char* ModeName(KeypadMode mode) {
    return mode == KeypadMode::Application ? "application" : "boot loader";
}

}  // namespace varnelctl
