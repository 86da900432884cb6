#include "edit_list.h"

namespace varnel {

namespace {
constexpr uint32_t kActionDown = 1;
constexpr uint32_t kActionUp = 2;
constexpr uint32_t kDelayPause = 0;
}  // namespace

bool IsKeyboardPress(const MacroItem& event) {
    return event.kind == kMacroItemKeyboard && (event.word2 == 0 || event.word2 == 3);
}

std::vector<MacroItem> EditItemsForEvent(const MacroItem& event, uint32_t pressDelayMs) {
    if (!IsKeyboardPress(event)) return {event};
    return {
        {kMacroItemKeyboard, event.word1, kActionDown, 0},
        {kMacroItemDelay, pressDelayMs, kDelayPause, 0},
        {kMacroItemKeyboard, event.word1, kActionUp, 0},
    };
}

bool EditMacroHasRoomFor(const MacroItem& event, size_t itemCount) {
    return itemCount < (IsKeyboardPress(event) ? kEditMacroPressLimit : kEditMacroItemLimit);
}

}  // namespace varnel
