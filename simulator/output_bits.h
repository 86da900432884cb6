// What each output bit of a key map entry stands for. Output bytes are entry offsets 3 to 18;
// most bits are keys of a full-size keyboard, a few are mouse buttons, FN, the calculator, and
// the media marker (offset 14, bit 6). With the marker set, bit 0 of offsets 5 to 12 selects a
// media function instead of F1 to F8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel::sim {

enum class OutputRole : uint8_t { Keyboard, Mouse, Fn, Calculator, MediaMarker };

struct OutputBit {
    uint8_t offset;  // entry offset, 3 to 18
    uint8_t bit;
    OutputRole role;
    const char* name;  // "Left Ctrl", "Num 5", "left" for a mouse button
    // The HID keyboard usage of a keyboard bit (0xE0 to 0xE7 for the modifiers), else 0.
    uint8_t usage;
};

// Every bit with a meaning, by offset and then bit; bits not listed have none.
std::span<const OutputBit> OutputBits();

inline constexpr size_t kFirstMediaOffset = 5;
inline constexpr size_t kLastMediaOffset = 12;
inline constexpr size_t kMediaMarkerOffset = 14;
inline constexpr int kMediaMarkerBit = 6;

// The media function of bit 0 at `offset` (5 to 12) under the media marker: "web browser",
// "search", "e-mail", "desktop", "media player", "volume down", "mute", "volume up".
const char* MediaFunctionName(size_t offset);

}  // namespace varnel::sim
