// The short text that tells what a key map entry does: the names of the keys it presses joined
// with "+", the media functions it runs, the keypad macros it plays, or "M-STOP".
#pragma once

#include <string>
#include <vector>

#include "keymap_image.h"
#include "varnel/LumoApi.h"

namespace varnel::program {

// What captions need of the keypad's macro list.
struct KeypadMacroNames {
    bool areaEmpty = true;  // the encoded macro area has no bytes
    std::vector<std::u16string> names;
};

// GetDeviceImageSize and the name of every keypad macro.
KeypadMacroNames ReadKeypadMacroNames(CLumoApi& api);

// The label of an entry (its offsets 3 to 21 are read). With the media marker: the short names
// of the media functions set. Otherwise the names of the cells set, in the join order, then for
// each macro bit the keypad macro's name (a blank while the macro area is empty or when the
// keypad has no such macro); the macro stop bit makes the whole label "M-STOP". Nothing set
// gives the empty text.
std::u16string ComposeKeyLabel(const uint8_t* entry, const KeypadMacroNames& macros);
std::u16string ComposeKeyLabel(CLumoApi& api, const WorkingEntry& entry);

}  // namespace varnel::program
