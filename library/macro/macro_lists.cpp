#include "macro_lists.h"

namespace varnel {

namespace {

constexpr uint32_t kDefaultOptions[10] = {113, 114, 0, 0, 0, 0, 0, 0, 0, 0x10424};

}  // namespace

std::vector<EditorMacro>& EditorMacros() {
    static std::vector<EditorMacro> macros;
    return macros;
}

std::vector<DeviceMacro>& DeviceMacros() {
    static std::vector<DeviceMacro> macros;
    return macros;
}

void SetDefaultMacroOptions(EditorMacro& macro) {
    std::copy(std::begin(kDefaultOptions), std::end(kDefaultOptions), macro.options);
}

int FindEditorMacro(const std::u16string& name, int skipIndex) {
    const auto& macros = EditorMacros();
    for (size_t i = 0; i < macros.size(); ++i) {
        if (static_cast<int>(i) != skipIndex && macros[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace varnel
