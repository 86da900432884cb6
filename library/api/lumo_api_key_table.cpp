// The key table and step-text operations of the object: lookups over the 105 keys, and the
// display words and step texts in the user-interface language.
#include "key_table.h"
#include "lumo_api_library.h"
#include "macro_text.h"

namespace varnel {

namespace {

const KeyRow* RowAt(uint32_t row) {
    return row < static_cast<uint32_t>(kKeyRowCount) ? &KeyTable()[row] : nullptr;
}

}  // namespace

int CLumoAPILibrary::GetKeyScanCode(uint32_t row) {
    const KeyRow* key = RowAt(row);
    return key ? key->scanCode : -1;
}

int CLumoAPILibrary::FindKeyByScanCode(int scanCode) {
    return FindKeyRowByScanCode(scanCode);
}

int CLumoAPILibrary::GetKeyVirtualCode(uint32_t row) {
    const KeyRow* key = RowAt(row);
    return key ? key->virtualKey : -1;
}

int CLumoAPILibrary::FindKeyByVirtualCode(int virtualKey) {
    return FindKeyRowByVirtualKey(virtualKey);
}

std::u16string CLumoAPILibrary::GetKeyName(uint32_t row) {
    return std::u16string(KeyLongName(row));
}

int CLumoAPILibrary::FindKeyByUsage(int usage) {
    return FindKeyRowByUsage(usage);
}

std::u16string CLumoAPILibrary::GetKeyNameByVirtualCode(int virtualKey) {
    return std::u16string(KeyLongName(static_cast<uint32_t>(FindKeyRowByVirtualKey(virtualKey))));
}

// Byte 0 the virtual-key code, byte 1 the low byte of the scan code; unchanged when no key has
// the usage.
uint8_t* CLumoAPILibrary::UsageToKeyCodes(uint8_t* pair, int usage) {
    const int row = FindKeyRowByUsage(usage);
    if (pair && row >= 0) {
        pair[0] = KeyTable()[row].virtualKey;
        pair[1] = static_cast<uint8_t>(KeyTable()[row].scanCode & 0xFF);
    }
    return pair;
}

int CLumoAPILibrary::FindKeyByCode(uint16_t keyCode) {
    return FindKeyRowByCode(keyCode);
}

int CLumoAPILibrary::KeyToUsage(uint16_t keyCode) {
    return KeyCodeToUsage(keyCode);
}

std::u16string CLumoAPILibrary::UsageToShortName(uint32_t usage) {
    const int row = FindKeyRowByUsage(static_cast<int>(usage & 0xFF));
    return row < 0 ? std::u16string() : std::u16string(KeyTable()[row].shortName);
}

int CLumoAPILibrary::GetKeyCount() {
    return kKeyRowCount;
}

std::u16string CLumoAPILibrary::GetKeyActionName(uint32_t action) {
    return KeyActionName(action, GetUiLanguage());
}

std::u16string CLumoAPILibrary::GetButtonActionName(uint32_t action) {
    return ButtonActionName(action, GetUiLanguage());
}

std::u16string CLumoAPILibrary::FormatMacroItem(const MacroItem& item) {
    return varnel::FormatMacroItem(item, GetUiLanguage());
}

}  // namespace varnel
