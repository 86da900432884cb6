// The key map the keypad keeps at 0x1F000 of its data area, read as the keypad's firmware reads
// it. 497 bytes, little-endian:
//   0   11  signature "REPROGRAM01"
//   11  1   NumLock sync: 2 on, 3 off
//   12  2   entry count, 0 to 21
//   14  483 21 entry slots of 23 bytes: trigger (3 bytes, one bit naming the key), outputs
//           (16 bytes, entry offsets 3 to 18, one bit per key, button or function), macro bits
//           (3 bytes: bit k runs keypad macro k for k = 0 to 22, bit 23 stops the running
//           macro), one reserved byte.
// A map with another signature or a count above 21 is not applied at all: every key behaves as
// printed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "flash_area.h"

namespace varnel::sim {

inline constexpr uint32_t kKeyMapAddress = 0x1F000;
inline constexpr size_t kKeyMapSize = 497;
inline constexpr size_t kKeyMapSlots = 21;
inline constexpr size_t kKeyMapHeaderSize = 14;
inline constexpr size_t kKeyMapEntrySize = 23;
// Entry offset of the first output byte; output byte n is outputs[n - kFirstOutputOffset].
inline constexpr size_t kFirstOutputOffset = 3;
inline constexpr uint32_t kMacroStopBit = 23;

struct KeyMapEntry {
    std::array<uint8_t, 3> trigger{};
    std::array<uint8_t, 16> outputs{};
    uint32_t macroBits = 0;  // bits 0 to 23

    // Whether the bit of entry offset `offset` (3 to 18) is set.
    bool Output(size_t offset, int bit) const {
        return (outputs[offset - kFirstOutputOffset] >> bit & 1) != 0;
    }
};

enum class KeyMapCondition {
    Valid,
    NoSignature,   // the signature's bytes are erased, as after an erase or a cut-short write
    BadSignature,  // something else than the signature stands there
    TooManyEntries,
};

struct KeyMapImage {
    KeyMapCondition condition = KeyMapCondition::NoSignature;
    uint8_t numLockSync = 0;
    uint16_t count = 0;                // as stored
    std::vector<KeyMapEntry> entries;  // the `count` entries in use, only for a valid map
};

KeyMapImage ReadKeyMapImage(const FlashArea& dataArea);

// The slot of the entry that decides what the key does: entries apply in order, and an entry
// whose trigger names no key, or a key an earlier entry already handled, is ignored. Nothing
// for a key without an entry or a map that is not valid.
std::optional<size_t> EntryForKey(const KeyMapImage& image, int keyIndex);

}  // namespace varnel::sim
