// macro file show|import|merge: list macros kept in .vmf files, and JITBIT recorder files.
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "cli_error.h"
#include "macro_arguments.h"
#include "macro_commands.h"
#include "text_encoding.h"

namespace varnelctl {

namespace {

using varnel::Utf16ToUtf8;

std::string RepeatText(uint32_t word) {
    const uint32_t count = word >> 16;
    if (word & 0x100) return "endless";
    if (word & 0x200) return "while the key is held";
    return count == 1 ? "once" : std::to_string(count) + " times";
}

// Reads a macro file into the library's list; a file that does not open or is damaged ends the
// command with its reason, with the list (and the file) left as they were.
void LoadFile(CLumoApi* api, const std::string& path) {
    std::u16string reason;
    if (!api->LoadMacroFile(PathText(path).c_str(), &reason)) {
        throw DeviceError(Utf16ToUtf8(reason));
    }
}

void SaveFile(CLumoApi* api, const std::string& path) {
    std::u16string reason;
    if (!api->SaveMacroFile(PathText(path).c_str(), &reason)) {
        throw DeviceError(Utf16ToUtf8(reason));
    }
}

// A file that is not there yet counts as an empty list; anything else must load.
void LoadFileIfPresent(CLumoApi* api, const std::string& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        LoadFile(api, path);
    } else {
        while (api->GetMacroCount() > 0) api->DeleteMacro(0);
    }
}

void Describe(CLumoApi* api, int index, std::string& text, std::vector<JsonObject>& json) {
    const EditorMacro macro = api->GetMacro(index);
    std::string options;
    std::vector<int> optionWords;
    for (size_t i = 0; i < std::size(macro.options); ++i) {
        const uint32_t word = macro.options[i];
        char number[16];
        std::snprintf(number, sizeof number, i == 9 ? "0x%X" : "%u", word);  // 9: repeat word
        options += (options.empty() ? "" : " ") + std::string(number);
        optionWords.push_back(static_cast<int>(word));
    }
    text += "Macro " + std::to_string(index + 1) + ": " + Utf16ToUtf8(macro.name) + "\n";
    text += "  options: " + options + "\n";
    text += "  repeat:  " + RepeatText(macro.options[9]) + "\n";
    text += "  items:   " + std::to_string(macro.items.size()) + "\n";
    std::vector<JsonObject> items;
    for (const MacroItem& item : macro.items) {
        const std::string line = Utf16ToUtf8(api->FormatMacroItem(item));
        text += "  " + line + "\n";
        items.push_back(JsonObject()
                            .Add("kind", static_cast<int64_t>(item.kind))
                            .Add("words", std::vector<int>{static_cast<int>(item.word1),
                                                           static_cast<int>(item.word2),
                                                           static_cast<int>(item.word3)})
                            .Add("text", line));
    }
    json.push_back(JsonObject()
                       .Add("name", Utf16ToUtf8(macro.name))
                       .Add("options", optionWords)
                       .Add("repeat", RepeatText(macro.options[9]))
                       .Add("items", items));
}

void PrintList(CliContext& context, const std::vector<int>& indexes) {
    std::string text;
    std::vector<JsonObject> json;
    for (int index : indexes) Describe(context.api, index, text, json);
    if (!text.empty()) text.pop_back();
    if (indexes.empty()) text = "(no macros)";
    context.Print(text, JsonObject().Add("macros", json));
}

std::vector<int> AllIndexes(CLumoApi* api) {
    std::vector<int> all;
    for (int i = 0; i < api->GetMacroCount(); ++i) all.push_back(i);
    return all;
}

int RunShow(CliContext& context, const MacroArguments& args) {
    if (args.positional.size() != 1) throw UsageError("macro file show needs one FILE.vmf");
    LoadFile(context.api, args.positional[0]);
    PrintList(context, AllIndexes(context.api));
    return kExitSuccess;
}

int RunImport(CliContext& context, const MacroArguments& args) {
    if (args.positional.size() != 1) throw UsageError("macro file import needs one FILE.mcr");
    const std::string& source = args.positional[0];
    CLumoApi* api = context.api;
    if (!args.into.empty()) LoadFileIfPresent(api, args.into);
    std::u16string reason;
    if (!api->ImportMacroText(PathText(source).c_str(), &reason)) {
        throw DeviceError(Utf16ToUtf8(reason));
    }
    // The imported macro carries the file's name, without folder and extension.
    const std::u16string name = PathText(std::filesystem::path(source).stem().string());
    const int index = api->FindMacro(name, -1);
    if (!args.into.empty()) SaveFile(api, args.into);
    PrintList(context, index >= 0 ? std::vector<int>{index} : std::vector<int>{});
    return kExitSuccess;
}

int RunMerge(CliContext& context, const MacroArguments& args) {
    if (args.positional.size() != 1 || args.into.empty()) {
        throw UsageError("macro file merge needs SRC.vmf --into DST.vmf");
    }
    CLumoApi* api = context.api;
    LoadFileIfPresent(api, args.into);
    TerminalQuestions questions(args.answer);
    TerminalWindow owner(questions);
    std::u16string reason;
    const int before = api->GetMacroCount();
    if (!api->MergeMacroFile(&owner, PathText(args.positional[0]).c_str(), &reason)) {
        throw DeviceError(Utf16ToUtf8(reason));
    }
    SaveFile(api, args.into);
    const int added = api->GetMacroCount() - before;
    const int total = api->GetMacroCount();
    context.Print(args.into + ": " + std::to_string(total) +
                      (total == 1 ? " macro (" : " macros (") + std::to_string(added) + " added)",
                  JsonObject().Add("file", args.into).Add("macros", total).Add("added", added));
    return kExitSuccess;
}

}  // namespace

int RunMacro(CliContext& context, const Arguments& args) {
    const std::string group = args.empty() ? "" : args[0];
    const Arguments rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (group == "file") return RunMacroFile(context, rest);
    if (group == "device") return RunMacroDevice(context, rest);
    throw UsageError("macro needs file or device");
}

int RunMacroFile(CliContext& context, const Arguments& args) {
    const std::string verb = args.empty() ? "" : args[0];
    const Arguments rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (verb == "show") return RunShow(context, ParseMacroArguments(rest, false, false));
    if (verb == "import") return RunImport(context, ParseMacroArguments(rest, true, false));
    if (verb == "merge") return RunMerge(context, ParseMacroArguments(rest, true, true));
    throw UsageError("macro file needs show, import or merge");
}

}  // namespace varnelctl
