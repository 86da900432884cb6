// Macro recorder text files as the library imports them, in both code pages a host may use. Every
// file becomes exactly one macro named after the file: its start step first, then only steps of
// the kinds the editor knows, at most three for each line of the file, each with a display text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_host.h"
#include "scratch_file.h"
#include "shared_api.h"
#include "varnel/LumoApi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static varnel::fuzz::FuzzHost host;
    static varnel::fuzz::ScratchFile file(".mcr");
    CLumoApi& api = varnel::fuzz::SharedApi();
    file.Write(data, size);
    const size_t lines = 1 + static_cast<size_t>(std::count(data, data + size, '\n'));

    for (const uint32_t codePage : {1252u, 949u}) {
        host.codePage = codePage;
        while (api.GetMacroCount() > 0) api.DeleteMacro(0);
        std::u16string reason;
        if (!api.ImportMacroText(file.Path16().c_str(), &reason)) __builtin_trap();
        if (api.GetMacroCount() != 1) __builtin_trap();
        const EditorMacro macro = api.GetMacro(0);
        if (macro.name != file.Stem16()) __builtin_trap();
        if (macro.items.empty() || macro.items[0].kind != kMacroItemStart) __builtin_trap();
        if (macro.items.size() > 1 + 3 * lines) __builtin_trap();
        for (size_t i = 1; i < macro.items.size(); ++i) {
            const uint32_t kind = macro.items[i].kind;
            if (kind != kMacroItemKeyboard && kind != kMacroItemMouse && kind != kMacroItemDelay) {
                __builtin_trap();
            }
            api.FormatMacroItem(macro.items[i]);
        }
    }
    return 0;
}
