// What a key of the keypad sends when it is pressed, found the way the keypad finds it: through
// the key map in its data area and, for macros, the macro area. End-to-end tests read with this
// what the host wrote, independently of the host's own code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "flash_area.h"
#include "macro_area.h"

namespace varnel::sim {

// Why a key behaves as printed on it.
enum class AsPrintedReason {
    NoSignature,     // the key map's signature bytes are erased
    BadSignature,    // something else stands where the signature belongs
    TooManyEntries,  // the map counts more than 21 entries, so none applies
    NoEntry,         // the map is valid but holds no entry for the key
};

struct KeyboardCombination {
    std::vector<std::string> names;  // modifiers first, in HID order, then the other keys
    uint8_t modifiers = 0;           // the HID report's modifier byte
    std::vector<uint8_t> usages;     // the HID usages of the other keys
};

struct MacroRun {
    uint32_t bit = 0;  // macro bit k runs keypad macro k, the (k + 1)th of the macro area
    StoredMacroReading macro;
};

struct KeyPressOutcome {
    int keyIndex = 0;
    uint16_t entryCount = 0;  // as stored in the key map
    // Set when the key sends what is printed on it; the rest below is then empty.
    std::optional<AsPrintedReason> asPrinted;
    size_t entrySlot = 0;  // the entry that decides, when one does
    KeyboardCombination keyboard;
    std::vector<std::string> mouseButtons;    // "left", "middle", "right"
    std::vector<std::string> mediaFunctions;  // "volume up", ...; one in a well-formed entry
    bool calculator = false;
    bool fn = false;
    std::vector<MacroRun> macros;
    bool macroStop = false;

    // What the key does, in this order: "default", or any of "keyboard", "mouse", "media",
    // "calculator", "fn", "macro", "macro-stop", or "nothing" for an entry without outputs.
    std::vector<std::string> Kinds() const;
};

// `keyIndex` from 0 to 20 (keypad_keys.h).
KeyPressOutcome PressKey(const FlashArea& dataArea, int keyIndex);

}  // namespace varnel::sim
