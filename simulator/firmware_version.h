// The firmware version the keypad reports, as three bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel::sim {

struct FirmwareVersion {
    uint8_t major = 1;
    uint8_t minor = 0;
    uint8_t patch = 3;
    bool operator==(const FirmwareVersion&) const = default;
};

// "X.Y.Z" with each part a byte in decimal or 0x-hex; nothing when malformed.
std::optional<FirmwareVersion> ParseFirmwareVersion(std::string_view text);
// The form the host shows: "%X.%X%X", so 1.0.3 is "1.03".
std::string DisplayFirmwareVersion(FirmwareVersion version);

}  // namespace varnel::sim
