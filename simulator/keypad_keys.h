// The keypad's 21 keys in their own order (F1, F2, F3, F4, NumLock, /, *, -, +, ENTER, 1 to 9,
// 0, DEL = indexes 0 to 20), the names people type for them, and the trigger bit that names
// each key in a key map entry.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace varnel::sim {

inline constexpr int kKeypadKeyCount = 21;

// The key's caption as printed on it: "F1", "NumLock", "/", "ENTER", "5", "DEL".
const char* KeypadKeyName(int keyIndex);

// The three trigger bytes of an entry that reassigns the key: exactly one bit set.
std::array<uint8_t, 3> KeypadKeyTrigger(int keyIndex);

// A key by its caption, case-insensitive ("f1", "numlock", "enter", "del", "5"), by a
// numeric-keypad alias ("Num/", "Num5", "NumEnter", "NumDel", "Num"), or by its index written
// "index:N" with N from 0 to 20. A bare digit names the digit key, never an index.
std::optional<int> ParseKeypadKey(std::string_view text);

// What ParseKeypadKey takes, for messages.
extern const char* const kKeypadKeyHelp;

}  // namespace varnel::sim
