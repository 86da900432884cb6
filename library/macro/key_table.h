// The key table: 105 keys in a fixed order linking Windows virtual-key codes, scan codes, USB HID
// keyboard usages and names. Row numbers are part of the interface. Every search visits the rows
// in order and stops at the first match.
#pragma once

#include <cstdint>
#include <string_view>

namespace varnel {

struct KeyRow {
    uint8_t virtualKey;
    uint16_t scanCode;  // set 1, without the extended-key prefix (the import variant has one)
    uint8_t usage;      // Keyboard/Keypad page
    std::u16string_view shortName;
    std::u16string_view longName;
};

inline constexpr int kKeyRowCount = 105;

// The table, and the copy the text import reads (it differs in the scan codes of rows 3 and 72).
const KeyRow* KeyTable();
const KeyRow* ImportKeyTable();

// Key codes name a key by its virtual-key code (bits 0-7) and, where needed, the low byte of its
// scan code (bits 8-15, 0 otherwise). With a zero scan byte the first row of that virtual-key
// code matches; otherwise the first row with both.
int FindKeyRowByCode(uint16_t keyCode);
// The usage of the row FindKeyRowByCode finds, else 0.
uint8_t KeyCodeToUsage(uint16_t keyCode);
int FindKeyRowByVirtualKey(int virtualKey);
int FindKeyRowByScanCode(int scanCode);
int FindKeyRowByUsage(int usage);
// The long name of a row, "(Unknown)" for any row outside the table.
std::u16string_view KeyLongName(uint32_t row);

}  // namespace varnel
