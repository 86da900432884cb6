// The macro manager's encoder: a list macro into a keypad macro, with the screen size of the
// macro settings and the key usages of the library's key table.
#pragma once

#include "varnel/LumoApi.h"

namespace varnel::program {

// The ANSI code page keypad macro names are kept in: 949 for Korean users, else 1252.
uint32_t KeypadNameCodePage(CLumoApi& api);

DeviceMacro EncodeListMacro(CLumoApi& api, const EditorMacro& macro);

}  // namespace varnel::program
