// A backup of the keypad's whole configuration in one file of our own: the key map image (with
// its NumLock sync byte), the step and the keypad macros. Taken before a firmware update or a
// factory reset, it puts the same keypad back.
//
// File layout, little-endian: "VARNELBK", u16 version (1), u8 step (0 to 7), u8 0, the 497-byte
// key map image, u32 macro count (at most 30), then per macro its 24-byte header, u32 cell count
// and the cells of 12 bytes each; last a CRC-32 of everything before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device_lock.h"
#include "keymap_image.h"
#include "varnel/LumoApi.h"

namespace varnel::program {

struct KeypadBackup {
    KeyMapImage keyMap{};
    uint8_t step = 0;  // as the keypad counts them, 0 to 7
    std::vector<DeviceMacro> macros;
};

std::vector<uint8_t> EncodeKeypadBackup(const KeypadBackup& backup);
// The backup in `bytes`, or nothing with `problem` set to why the file is refused.
std::optional<KeypadBackup> DecodeKeypadBackup(const std::vector<uint8_t>& bytes,
                                               std::string& problem);

// Reads the keypad's key map, step and macros. Nothing with `problem` set when the keypad does
// not answer or its key map is not valid.
std::optional<KeypadBackup> ReadKeypadBackup(CLumoApi& api, DeviceLock& lock, std::string& problem);

// Writes the backup into the keypad (key map, step, macro area, then the configuration notice)
// and reads everything back; false with `problem` set when what arrived differs.
bool RestoreKeypadBackup(CLumoApi& api, DeviceLock& lock, const KeypadBackup& backup,
                         std::string& problem);

}  // namespace varnel::program
