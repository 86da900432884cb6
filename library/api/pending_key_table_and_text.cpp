// Key table and text-form operations, not built yet. Each does nothing and returns its neutral
// value (false, 0, -1 for a search, an empty text) until its subsystem replaces it.
#include "lumo_api_library.h"

namespace varnel {

int CLumoAPILibrary::GetKeyScanCode(uint32_t /*row*/) {
    return -1;
}

int CLumoAPILibrary::FindKeyByScanCode(int /*scanCode*/) {
    return -1;
}

int CLumoAPILibrary::GetKeyVirtualCode(uint32_t /*row*/) {
    return -1;
}

int CLumoAPILibrary::FindKeyByVirtualCode(int /*virtualKey*/) {
    return -1;
}

std::u16string CLumoAPILibrary::GetKeyName(uint32_t /*row*/) {
    return {};
}

int CLumoAPILibrary::FindKeyByUsage(int /*usage*/) {
    return -1;
}

std::u16string CLumoAPILibrary::GetKeyNameByVirtualCode(int /*virtualKey*/) {
    return {};
}

uint8_t* CLumoAPILibrary::UsageToKeyCodes(uint8_t* pair, int /*usage*/) {
    return pair;
}

int CLumoAPILibrary::FindKeyByCode(uint16_t /*keyCode*/) {
    return -1;
}

int CLumoAPILibrary::KeyToUsage(uint16_t /*keyCode*/) {
    return 0;
}

std::u16string CLumoAPILibrary::UsageToShortName(uint32_t /*usage*/) {
    return {};
}

int CLumoAPILibrary::GetKeyCount() {
    return 0;
}

std::u16string CLumoAPILibrary::GetKeyActionName(uint32_t /*action*/) {
    return {};
}

std::u16string CLumoAPILibrary::GetButtonActionName(uint32_t /*action*/) {
    return {};
}

std::u16string CLumoAPILibrary::FormatMacroItem(const MacroItem& /*item*/) {
    return {};
}

}  // namespace varnel
