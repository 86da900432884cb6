// The items that a captured input event becomes when it is inserted into the macro being
// edited, and the size limit that insertion keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "varnel/LumoApi.h"

namespace varnel {

// Most items a macro may reach through insertion; a keyboard press adds three at once.
inline constexpr size_t kEditMacroItemLimit = 5001;
inline constexpr size_t kEditMacroPressLimit = 4998;

// A keyboard item whose action is a full press (0 or 3) rather than a down or an up.
bool IsKeyboardPress(const MacroItem& event);

// A keyboard press becomes its key going down, a pause of `pressDelayMs` and its key going up,
// so that the keypad plays a press it can hold for a moment; every other event is one item.
std::vector<MacroItem> EditItemsForEvent(const MacroItem& event, uint32_t pressDelayMs);

// Whether a macro of `itemCount` items may take the event: a press while it has fewer than
// 4998 items, anything else while it has fewer than 5001.
bool EditMacroHasRoomFor(const MacroItem& event, size_t itemCount);

}  // namespace varnel
