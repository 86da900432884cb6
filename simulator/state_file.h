// The state file that keeps the keypad's persistent state between simulator runs.
//
// Layout, little-endian:
//   "VARNELKP"           8-byte magic
//   u32 format version   1
//   u32 body length
//   body: u8 mode, u8 step, u8 firmware major, minor, patch, 3 reserved bytes, u32 area count,
//         then per area: u8 area number, 3 reserved bytes, u32 size, the area's bytes
//   u32 CRC-32 of everything before it
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "persistent_state.h"

namespace varnel::sim {

std::vector<uint8_t> EncodeState(const PersistentState& state);
// Nothing, with the reason in `error`, when the bytes are not a valid state file.
std::optional<PersistentState> DecodeState(std::span<const uint8_t> bytes, std::string& error);

struct StateFileLoad {
    enum class Status { Loaded, Missing, Failed } status = Status::Failed;
    std::optional<PersistentState> state;
    std::string error;
};

StateFileLoad LoadStateFile(const std::string& path);
// Replaces the file atomically: writes a file beside it, syncs it and renames it over the old one.
bool SaveStateFile(const std::string& path, const PersistentState& state, std::string& error);

}  // namespace varnel::sim
