// What the keypad's macro area holds, read the way the keypad's firmware finds its macros: the
// "KRAM" magic at 0x10000 of the data area, the macro count, the offset table and each macro's
// header (cell count, repeat, 20-byte name).
#pragma once

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

// Bytes outside printable ASCII as \xNN, so that any name prints on one line.
std::string PrintableName(const std::string& name);

}  // namespace varnel::sim
