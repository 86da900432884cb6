// What every varnelctl command works with: the library object and the output mode.
#pragma once

#include <cstdint>
#include <string>

#include "json_writer.h"
#include "varnel/LumoApi.h"

namespace varnelctl {

// The keypad's identities: its application firmware and its boot loader.
inline constexpr uint16_t kApplicationVid = 0x1C6C;
inline constexpr uint16_t kApplicationPid = 0xC008;
inline constexpr uint16_t kBootLoaderVid = 0x060B;
inline constexpr uint16_t kBootLoaderPid = 0x2320;

enum class KeypadMode { Application, BootLoader };

struct CliContext {
    CLumoApi* api = nullptr;
    bool json = false;

    // Prints the result of a command in the chosen form.
    void Print(const std::string& text, const JsonObject& json) const;

    // The mode of the attached keypad; a CliError with kExitNoKeypad when there is none.
    KeypadMode RequireKeypad() const;
    void RequireApplication() const;
    void RequireBootLoader() const;
};

// Whether the identity is attached; no report is exchanged.
bool Present(CLumoApi* api, uint16_t vendorId, uint16_t productId);

std::string IdentityText(uint16_t vendorId, uint16_t productId);
const char* ModeName(KeypadMode mode);

}  // namespace varnelctl
