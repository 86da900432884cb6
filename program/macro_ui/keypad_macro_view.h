// What the macro viewer shows of one keypad macro: its name, repeat mode and one row per cell
// (plus a delay row after each cell that waits), in words.
#pragma once

#include <string>
#include <vector>

#include "varnel/LumoApi.h"

namespace varnel::program {

enum class RowKind { Keyboard = 1, Mouse = 2, Delay = 3, Other = 0 };

struct ViewRow {
    RowKind kind;
    std::u16string text;
};

struct KeypadMacroView {
    std::u16string name;
    int repeat = 0;             // the raw value: -1 endless, -2 while held, else plays + 1
    std::u16string repeatMode;  // "Infinite", "When Pressed" or "Set loop count"
    std::vector<ViewRow> rows;
    double seconds = 0;  // all cells' delays together
    std::u16string summary;
};

KeypadMacroView ViewKeypadMacro(CLumoApi& api, const DeviceMacro& macro);

// The name of keypad macro `index`: its 20 bytes up to the first zero, from the ANSI code page.
std::u16string KeypadMacroName(CLumoApi& api, int index);

}  // namespace varnel::program
