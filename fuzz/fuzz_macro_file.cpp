// Macro files as the library loads and merges them. A damaged file is refused with a reason and
// leaves the editor macro list as it was; a file that loads also merges; merging only appends
// macros or replaces one of the same name, so the macros already listed keep their places and
// names; and a list that loaded is written by the file encoder into a file that reads back.
// Byte 0 of the input answers the merge's questions (bit n for the n-th), the rest is the file.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_host.h"
#include "macro_file.h"
#include "scratch_file.h"
#include "shared_api.h"
#include "varnel/LumoApi.h"

namespace {

using varnel::fuzz::AnswerWindow;
using varnel::fuzz::FuzzHost;
using varnel::fuzz::ScratchFile;

bool SameKeptFields(const EditorMacro& a, const EditorMacro& b) {
    const auto same = [](const MacroItem& x, const MacroItem& y) {
        return x.kind == y.kind && x.word1 == y.word1 && x.word2 == y.word2 && x.word3 == y.word3;
    };
    return a.name == b.name && std::equal(std::begin(a.options), std::end(a.options), b.options) &&
           std::equal(a.items.begin(), a.items.end(), b.items.begin(), b.items.end(), same);
}

bool SameLists(const std::vector<EditorMacro>& a, const std::vector<EditorMacro>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameKeptFields);
}

std::vector<EditorMacro> List(CLumoApi& api) {
    std::vector<EditorMacro> list;
    for (int i = 0; i < api.GetMacroCount(); ++i) list.push_back(api.GetMacro(i));
    return list;
}

// The list every load and merge starts from: names the seed files use too, so that merging meets
// names already listed.
void ResetList(CLumoApi& api) {
    while (api.GetMacroCount() > 0) api.DeleteMacro(api.GetMacroCount() - 1);
    for (const char16_t* name : {u"Copy", u"Paste"}) {
        EditorMacro macro;
        macro.name = name;
        macro.items = {{kMacroItemStart, 0, 0, 0}, {kMacroItemDelay, 50, 0, 0}};
        api.AddMacro(macro);
    }
}

// A refusal names its reason and changes nothing.
void CheckRefusal(CLumoApi& api, const std::u16string& reason,
                  const std::vector<EditorMacro>& before) {
    if (reason.empty() || !SameLists(List(api), before)) __builtin_trap();
}

// The loaded list through the file encoder: the macros with a name come back in order, names
// cut to what a name field holds, everything else the same. Every step also has a display text.
void CheckLoaded(CLumoApi& api) {
    const std::vector<EditorMacro> list = List(api);
    std::string problem;
    const auto again = varnel::ParseMacroFile(varnel::EncodeMacroFile(list), problem);
    if (!again) __builtin_trap();
    size_t next = 0;
    for (const EditorMacro& macro : list) {
        for (const MacroItem& item : macro.items) api.FormatMacroItem(item);
        if (macro.name.empty()) continue;
        if (next == again->size()) __builtin_trap();
        EditorMacro expected = macro;
        expected.name = (*again)[next].name;
        if (!macro.name.starts_with(expected.name) || expected.name.empty() ||
            !SameKeptFields((*again)[next++], expected)) {
            __builtin_trap();
        }
    }
    if (next != again->size()) __builtin_trap();
}

void CheckMerged(CLumoApi& api, const std::vector<EditorMacro>& before) {
    const std::vector<EditorMacro> after = List(api);
    if (after.size() < before.size()) __builtin_trap();
    for (size_t i = 0; i < before.size(); ++i) {
        if (after[i].name != before[i].name) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzHost host;
    static ScratchFile file(".vmf");
    CLumoApi& api = varnel::fuzz::SharedApi();
    if (size == 0) return 0;
    file.Write(data + 1, size - 1);

    ResetList(api);
    const std::vector<EditorMacro> before = List(api);
    std::u16string reason;
    const bool loaded = api.LoadMacroFile(file.Path16().c_str(), &reason);
    if (loaded) {
        CheckLoaded(api);
    } else {
        CheckRefusal(api, reason, before);
    }

    ResetList(api);
    reason.clear();
    AnswerWindow owner(data[0]);
    const bool merged = api.MergeMacroFile(&owner, file.Path16().c_str(), &reason);
    if (merged != loaded) __builtin_trap();
    if (merged) {
        CheckMerged(api, before);
    } else {
        CheckRefusal(api, reason, before);
    }
    return 0;
}
