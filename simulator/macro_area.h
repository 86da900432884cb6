// What the keypad's macro area holds, read the way the keypad's firmware finds its macros: the
// "KRAM" magic at 0x10000 of the data area, the macro count, the offset table (from the area's
// start: where each macro begins, then where the data ends), each macro's 24-byte header (cell
// count, repeat, 20-byte name) and its cells. A cell is its code, delay and six data bytes in 12
// bytes, except mouse button steps without a position (code & 0x7000 == 0x4000) and the code
// 0x8000, stored in 8 bytes without their data.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "flash_area.h"

namespace varnel::sim {

inline constexpr uint32_t kMacroAreaOffset = 0x10000;
inline constexpr uint32_t kMacroAreaSize = 61440;

struct StoredMacro {
    std::string name;  // the name field's bytes up to the first zero (at most 20)
    uint16_t cellCount = 0;
    int16_t repeat = 0;
};

struct MacroAreaSummary {
    bool hasMagic = false;
    uint32_t count = 0;      // as stored; macros are listed only for a count of 1 to 30
    uint32_t usedBytes = 0;  // magic, table and macros: where the last macro ends
    std::vector<StoredMacro> macros;
};

MacroAreaSummary SummarizeMacroArea(const FlashArea& dataArea);

struct StoredCell {
    uint16_t code = 0;
    uint32_t delayMs = 0;
    std::array<uint8_t, 6> data{};  // zero for the cells stored without data
};

// One macro, cells included, or why the keypad would not find it.
struct StoredMacroReading {
    bool found = false;
    std::string problem;  // when not found: "the macro area has no magic", ...
    StoredMacro header;
    std::vector<StoredCell> cells;  // as many as fit in the area; none for a count of 0xFFFF
};

// Macro `index` (0 for the first) of the macro area.
StoredMacroReading ReadStoredMacro(const FlashArea& dataArea, uint32_t index);

// Bytes outside printable ASCII as \xNN, so that any name prints on one line.
std::string PrintableName(const std::string& name);
// A name's bytes as JSON string characters, each byte outside printable ASCII as \u00NN.
std::string JsonName(const std::string& name);

}  // namespace varnel::sim
