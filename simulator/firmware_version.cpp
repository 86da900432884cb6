#include "firmware_version.h"

#include <cstdio>

#include "number_parsing.h"

namespace varnel::sim {

std::optional<FirmwareVersion> ParseFirmwareVersion(std::string_view text) {
    uint8_t parts[3];
    for (int i = 0; i < 3; ++i) {
        const size_t dot = text.find('.');
        const bool last = i == 2;
        if (last != (dot == std::string_view::npos)) return std::nullopt;
        const auto value = ParseUnsigned(text.substr(0, dot), 0xFF);
        if (!value) return std::nullopt;
        parts[i] = static_cast<uint8_t>(*value);
        if (!last) text.remove_prefix(dot + 1);
    }
    return FirmwareVersion{parts[0], parts[1], parts[2]};
}

std::string DisplayFirmwareVersion(FirmwareVersion version) {
    char text[16];
    std::snprintf(text, sizeof text, "%X.%X%X", version.major, version.minor, version.patch);
    return text;
}

}  // namespace varnel::sim
