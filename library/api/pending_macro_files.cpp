// Macro file operations, not built yet. Each does nothing and returns its neutral
// value (false, 0, -1 for a search, an empty text) until its subsystem replaces it.
#include "lumo_api_library.h"

namespace varnel {

bool CLumoAPILibrary::LoadMacroFile(const char16_t* /*path*/, std::u16string* /*reason*/) {
    return false;
}

bool CLumoAPILibrary::MergeMacroFile(CLumoWindow* /*owner*/, const char16_t* /*path*/,
                                     std::u16string* /*reason*/) {
    return false;
}

bool CLumoAPILibrary::ImportMacroText(const char16_t* /*path*/, std::u16string* /*reason*/) {
    return false;
}

bool CLumoAPILibrary::SaveMacroFile(const char16_t* /*path*/, std::u16string* /*reason*/) {
    return false;
}

}  // namespace varnel
