#include "firmware_marker.h"

#include <algorithm>
#include <string_view>

namespace varnel::sim {

std::optional<FirmwareVersion> FindFirmwareMarker(std::span<const uint8_t> applicationFlash) {
    constexpr std::string_view marker(kFirmwareMarker);
    const auto searched =
        applicationFlash.first(std::min(applicationFlash.size(), kFirmwareMarkerSearchLength));
    const auto found = std::search(searched.begin(), searched.end(), marker.begin(), marker.end(),
                                   [](uint8_t byte, char c) { return byte == uint8_t(c); });
    if (searched.end() - found < static_cast<ptrdiff_t>(marker.size() + 3)) return std::nullopt;
    const auto version = found + static_cast<ptrdiff_t>(marker.size());
    return FirmwareVersion{version[0], version[1], version[2]};
}

}  // namespace varnel::sim
