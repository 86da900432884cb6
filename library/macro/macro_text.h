// The display text of macro steps: one line per MacroItem, as the editor, recorder and viewer show
// it, with the words of the library's string table in the given language (1042 Korean, else
// English).
#pragma once

#include <cstdint>
#include <string>

#include "varnel/LumoApi.h"

namespace varnel {

// Keyboard action: 1 "Down", 2 "Up", 0 and 3 (a full press) the empty text, other values "Error".
std::u16string KeyActionName(uint32_t action, uint16_t language);
// Mouse button action: 1 "Down", 2 "Up", 3 "Click", 0 the empty text, other values "Error".
std::u16string ButtonActionName(uint32_t action, uint16_t language);
// The step's line; kinds and delay sub-kinds without a text give the empty text.
std::u16string FormatMacroItem(const MacroItem& item, uint16_t language);

}  // namespace varnel
