// Editing the macro named by SetEditMacro while a list view shows one text row per item, in the
// item's text form. Rows and items share their indexes; the macro is the reference.
#include <algorithm>

#include "edit_list.h"
#include "host.h"
#include "lumo_api_library.h"
#include "string_table.h"

namespace varnel {

namespace {

constexpr uint16_t kTextMacroTooLarge = 206;
constexpr uint32_t kMouseAbsolute = 0x8000;

// A row outside the macro's items appends.
size_t InsertionPoint(int row, size_t itemCount) {
    return row < 0 || static_cast<size_t>(row) > itemCount ? itemCount : static_cast<size_t>(row);
}

void ShowRow(CLumoListView& list, size_t row) {
    list.SelectItem(static_cast<int>(row));
    list.EnsureVisible(static_cast<int>(row));
}

}  // namespace

// Every event is inserted here, after the mouse dispatch of the public operations.
void CLumoAPILibrary::InsertEditEvent(CLumoListView* list, int row, const MacroItem& event) {
    if (!m_pEditMacro || !list) return;
    std::vector<MacroItem>& items = m_pEditMacro->items;
    if (!EditMacroHasRoomFor(event, items.size())) {
        ShowLibraryMessage(LibraryText(kTextMacroTooLarge));
        return;
    }
    size_t at = InsertionPoint(row, items.size());
    for (const MacroItem& item : EditItemsForEvent(event, GetDefaultDelay())) {
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), item);
        list->InsertItem(static_cast<int>(at), FormatMacroItem(item));
        ++at;
    }
    ShowRow(*list, at - 1);
}

void CLumoAPILibrary::EditListInsertEvent(CLumoListView* list, int row, const MacroItem& event,
                                          int flag) {
    if (event.kind != kMacroItemMouse) return InsertEditEvent(list, row, event);
    if (event.word3 & kMouseAbsolute) return EditListInsertMouseAbsolute(list, row, event, flag);
    EditListInsertMouseRelative(list, row, event, flag);
}

void CLumoAPILibrary::EditListInsertMouseAbsolute(CLumoListView* list, int row,
                                                  const MacroItem& event, int /*flag*/) {
    MacroItem absolute = event;
    absolute.word3 |= kMouseAbsolute;
    InsertEditEvent(list, row, absolute);
}

void CLumoAPILibrary::EditListInsertMouseRelative(CLumoListView* list, int row,
                                                  const MacroItem& event, int /*flag*/) {
    MacroItem relative = event;
    relative.word3 &= ~kMouseAbsolute;
    InsertEditEvent(list, row, relative);
}

// The row that moves up into the deleted one's place is selected and shown, where the next
// inserted event will go.
void CLumoAPILibrary::EditListDeleteRow(CLumoListView* list, int row) {
    if (!m_pEditMacro || !list || row < 0) return;
    std::vector<MacroItem>& items = m_pEditMacro->items;
    if (static_cast<size_t>(row) >= items.size()) return;
    items.erase(items.begin() + row);
    list->DeleteItem(row);
    if (!items.empty()) ShowRow(*list, std::min(static_cast<size_t>(row), items.size() - 1));
}

void CLumoAPILibrary::EditListRefreshRow(CLumoListView* list, int row) {
    if (!m_pEditMacro || !list || row < 0) return;
    const std::vector<MacroItem>& items = m_pEditMacro->items;
    if (static_cast<size_t>(row) >= items.size()) return;
    list->SetItemText(row, FormatMacroItem(items[static_cast<size_t>(row)]));
}

}  // namespace varnel
