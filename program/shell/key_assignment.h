// The working entry each command of a key's menu builds, how it goes into the edited map, and
// the OK button's test for changes that are worth saving.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "keymap_image.h"

namespace varnel::program {

// Command ids of the key menu. Keypad macro k is kMenuFirstMacro + k.
enum KeyMenuCommand : int {
    kMenuKeyboard = 32784,
    kMenuMouseLeft = 32786,
    kMenuMouseRight = 32787,
    kMenuMouseMiddle = 32789,
    kMenuVolumeUp = 32794,
    kMenuVolumeDown = 32795,
    kMenuMute = 32796,
    kMenuCalculator = 32800,
    kMenuWeb = 32801,
    kMenuSearch = 32802,
    kMenuEmail = 32803,
    kMenuMedia = 32805,
    kMenuMacroStop = 32808,
    kMenuFirstMacro = 32809,
    kMenuReset = 32840,
};

enum class MouseButton { Left, Middle, Right };

// Each gives keypad key `keyIndex` (0 to 20) one function and nothing else.
WorkingEntry MouseButtonEntry(int keyIndex, MouseButton button);
WorkingEntry MediaEntry(int keyIndex, MediaFunction function);
WorkingEntry CalculatorEntry(int keyIndex);
WorkingEntry KeypadMacroEntry(int keyIndex, int macro);  // macro 0 to 22, else out_of_range
WorkingEntry MacroStopEntry(int keyIndex);
// The keyboard picker's 16 output bytes; with none of them set the key goes back to its default.
WorkingEntry KeyboardEntry(int keyIndex, const std::array<uint8_t, kOutputsSize>& outputs);
// Back to the default function: the trigger alone.
WorkingEntry ResetEntry(int keyIndex);

// The working entry of a menu command with a fixed function, Reset and keypad macro 0 to 22
// included; none for KEYBOARD (the picker decides) and ids of no command.
std::optional<WorkingEntry> MenuCommandEntry(int command, int keyIndex);

// A working entry that does something replaces or joins the key's entry; one that does nothing
// takes the key's entry out, so the key behaves as printed again.
void ApplyWorkingEntry(KeyMapImage& edited, const WorkingEntry& entry);
bool WorkingEntryDoesNothing(const WorkingEntry& entry);

// OK: the edited map differs from the one last read or saved, in any of its 497 bytes (the
// same assignments in another order count as a change).
bool KeyMapChanged(const KeyMapImage& edited, const KeyMapImage& saved);
// The question OK asks before saving into the selected profile.
std::u16string SaveToProfileQuestion(const std::u16string& profileName, uint16_t language);

}  // namespace varnel::program
