// What the keypad keeps across power cycles: its flash areas, the active step, the firmware
// version and whether it starts in the application or the boot loader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "firmware_version.h"
#include "flash_area.h"

namespace varnel::sim {

enum class KeypadMode : uint8_t { Application = 0, BootLoader = 1 };

// "application" or "boot-loader".
const char* ModeName(KeypadMode mode);

inline constexpr size_t kBootLoaderFlashSize = 0x1000;
inline constexpr size_t kApplicationFlashSize = 0x1F000;
inline constexpr size_t kDataAreaSize = 0x20000;
inline constexpr uint8_t kStepCount = 8;

struct PersistentState {
    KeypadMode mode = KeypadMode::Application;
    uint8_t step = 0;
    FirmwareVersion firmware;
    FlashArea bootLoaderFlash{kBootLoaderFlashSize};    // area 1
    FlashArea applicationFlash{kApplicationFlashSize};  // area 2
    FlashArea dataArea{kDataAreaSize};                  // area 3
};

}  // namespace varnel::sim
