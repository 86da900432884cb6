// How the simulated keypad learns the version of an application image it was given.
//
// A real keypad's application reports a version compiled into it. The simulator has no
// firmware to run, so it takes the version from the image itself: the application flash carries
// the 8 ASCII bytes "VARNELFW" followed by three version bytes (major, minor, patch), the whole
// 11-byte record inside the first 4096 bytes of the flash; the first such record counts. The
// boot loader looks for it each time it restarts into the application. An image without the
// record leaves the version as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "firmware_version.h"

namespace varnel::sim {

inline constexpr char kFirmwareMarker[] = "VARNELFW";  // compared without its terminator
inline constexpr size_t kFirmwareMarkerSearchLength = 4096;

// The version the record in the first 4096 bytes of `applicationFlash` names, if there is one.
std::optional<FirmwareVersion> FindFirmwareMarker(std::span<const uint8_t> applicationFlash);

}  // namespace varnel::sim
