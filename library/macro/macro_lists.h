// The library-wide macro lists: editor macros (list macros) and device macros (keypad macros).
// One of each per process, shared by every CLumoApi object, empty when the library loads.
// Records are held by value; the library's callers serialise all access.
#pragma once

#include <string>
#include <vector>

#include "varnel/LumoApi.h"

namespace varnel {

std::vector<EditorMacro>& EditorMacros();
std::vector<DeviceMacro>& DeviceMacros();

// The option words every new macro gets: 113, 114, seven zeros, repeat word 0x10424 (played once).
void SetDefaultMacroOptions(EditorMacro& macro);

// First editor macro other than skipIndex whose name equals `name` exactly; -1 when none.
int FindEditorMacro(const std::u16string& name, int skipIndex);

}  // namespace varnel
