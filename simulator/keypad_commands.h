// Command codes (request byte 0) and the fixed argument bytes some commands require.
#pragma once

#include <cstdint>

namespace varnel::sim::command {

inline constexpr uint8_t kConfigurationRewritten = 0x07;  // notice after the host rewrote settings
inline constexpr uint8_t kStep = 0x09;                    // select (0..7) or ask (0xFF) the step
inline constexpr uint8_t kAcknowledge = 0x10;             // always acknowledged with 1
inline constexpr uint8_t kFirmwareVersion = 0xF0;
inline constexpr uint8_t kErase = 0xF1;
inline constexpr uint8_t kWrite = 0xF2;
inline constexpr uint8_t kRead = 0xF3;
inline constexpr uint8_t kRestart = 0xF4;
inline constexpr uint8_t kStateQuery = 0xF5;
inline constexpr uint8_t kIndexedSelect = 0xF6;

inline constexpr uint8_t kStepQuery = 0xFF;
inline constexpr uint8_t kRestartSwitchMode = 0x01;
inline constexpr uint8_t kStateQueryArgs[] = {0x07, 0x04};
inline constexpr uint8_t kIndexedSelectArgs[] = {0x1C, 0x04};

// Flash area numbers in erase, write and read requests.
inline constexpr uint8_t kAreaBootLoader = 1;
inline constexpr uint8_t kAreaApplication = 2;
inline constexpr uint8_t kAreaData = 3;
// Write and read requests address the boot-loader flash from this base; erases use offsets.
inline constexpr uint32_t kBootLoaderFlashBase = 0x100000;
// The most data one write or read carries.
inline constexpr uint8_t kMaxTransfer = 56;

}  // namespace varnel::sim::command
