// The two macro lists as operations of the object. Records go in and out by value; indexes
// outside a list are ignored, and reads past the end give the neutral record.
#include <cstring>

#include "ansi_code_page.h"
#include "lumo_api_library.h"
#include "macro_lists.h"

namespace varnel {

namespace {

bool InRange(int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) < size;
}

// The one library-owned buffer GetDeviceMacroInfo hands out.
char g_DeviceMacroName[20] = {};

// A device name as UTF-16: its 20 bytes up to the first zero, in the ANSI code page.
std::u16string DeviceNameText(const MacroHeader& header) {
    return AnsiToUtf16(std::string_view(header.name, strnlen(header.name, sizeof header.name)));
}

}  // namespace

const char* CLumoAPILibrary::GetDeviceMacroInfo(int index) {
    const auto& macros = DeviceMacros();
    if (InRange(index, macros.size())) {
        std::memcpy(g_DeviceMacroName, macros[index].header.name, sizeof g_DeviceMacroName);
    }
    return g_DeviceMacroName;
}

void CLumoAPILibrary::ClearDeviceMacros() {
    DeviceMacros().clear();
}

int CLumoAPILibrary::GetDeviceMacroCount() {
    return static_cast<int>(DeviceMacros().size());
}

void CLumoAPILibrary::SetDeviceMacro(int index, MacroHeader header, std::vector<MacroCell> cells) {
    auto& macros = DeviceMacros();
    if (InRange(index, macros.size())) macros[index] = DeviceMacro{header, std::move(cells)};
}

void CLumoAPILibrary::DeleteDeviceMacro(int index) {
    auto& macros = DeviceMacros();
    if (InRange(index, macros.size())) macros.erase(macros.begin() + index);
}

void CLumoAPILibrary::DeleteLastDeviceMacro() {
    if (!DeviceMacros().empty()) DeviceMacros().pop_back();
}

void CLumoAPILibrary::AddDeviceMacro(DeviceMacro macro) {
    DeviceMacros().push_back(std::move(macro));
}

int CLumoAPILibrary::FindMacro(const std::u16string& name, int skipIndex) {
    return FindEditorMacro(name, skipIndex);
}

EditorMacro CLumoAPILibrary::GetMacro(int index) {
    const auto& macros = EditorMacros();
    return InRange(index, macros.size()) ? macros[index] : EditorMacro{};
}

void CLumoAPILibrary::SetMacro(int index, EditorMacro macro) {
    auto& macros = EditorMacros();
    if (InRange(index, macros.size())) macros[index] = std::move(macro);
}

int CLumoAPILibrary::GetMacroCount() {
    return static_cast<int>(EditorMacros().size());
}

std::u16string CLumoAPILibrary::GetMacroName(int index) {
    const auto& macros = EditorMacros();
    return InRange(index, macros.size()) ? macros[index].name : std::u16string();
}

// Names are compared after conversion from the ANSI code page; an empty name is compared
// without conversion and matches the first macro other than the skipped one.
int CLumoAPILibrary::FindDeviceMacro(const std::u16string& name, int skipIndex) {
    const auto& macros = DeviceMacros();
    for (size_t i = 0; i < macros.size(); ++i) {
        if (static_cast<int>(i) == skipIndex) continue;
        if (name.empty() || DeviceNameText(macros[i].header) == name) return static_cast<int>(i);
    }
    return -1;
}

const DeviceMacro* CLumoAPILibrary::GetDeviceMacro(int index) {
    const auto& macros = DeviceMacros();
    return InRange(index, macros.size()) ? &macros[index] : nullptr;
}

void CLumoAPILibrary::AddMacro(EditorMacro macro) {
    EditorMacros().push_back(std::move(macro));
}

void CLumoAPILibrary::DeleteMacro(int index) {
    auto& macros = EditorMacros();
    if (InRange(index, macros.size())) macros.erase(macros.begin() + index);
}

}  // namespace varnel
