// macro device list|show|upload|delete|clear: the macros stored in the keypad, with the same
// rules and messages as the macro manager, and an upload of the whole macro area after changes.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cli_error.h"
#include "keymap_transfer.h"
#include "keypad_macro_view.h"
#include "keypad_macros.h"
#include "macro_arguments.h"
#include "macro_commands.h"
#include "profile_session.h"
#include "text_encoding.h"

namespace varnelctl {

namespace {

namespace program = varnel::program;
using varnel::Utf16ToUtf8;

std::string RepeatText(int repeat) {
    if (repeat == -1) return "endless";
    if (repeat == -2) return "while the key is held";
    return repeat == 0 ? "once" : std::to_string(repeat + 1) + " times";
}

// Macros are numbered from 1, as `macro device list` shows them.
int ParseMacroNumber(const std::string& word, int count) {
    if (count == 0) throw UsageError("the keypad holds no macros");
    char* end = nullptr;
    const long number = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || number < 1 || number > count) {
        throw UsageError("\"" + word + "\" is not a keypad macro number (1 to " +
                         std::to_string(count) + ")");
    }
    return static_cast<int>(number) - 1;
}

// Reads the keypad's macros into the library's keypad collection.
void ReadKeypad(CliContext& context, program::DeviceLock& lock) {
    context.RequireApplication();
    context.api->SetSettingsKey(kWorkshopSettingsKey);
    program::ReadKeypadMacros(*context.api, lock);
}

uint32_t BytesUsed(CLumoApi* api) {
    const uint32_t size = api->GetDeviceImageSize();
    return size == 0 ? 0 : size + 4;
}

// Uploads the collection, then tells the keypad its configuration changed.
void Upload(CliContext& context, program::DeviceLock& lock) {
    bool uploaded = false;
    {
        ProgressBar bar("Uploading macros");
        uploaded = program::UploadKeypadMacros(*context.api, lock, context.json ? nullptr : &bar);
    }
    if (!uploaded) throw DeviceError("The upload of the macro area failed; run it again.");
    context.api->SendDeviceCommand(program::kCommandConfigurationChanged);
}

// Keypad macros were removed (their indexes as each was removed): the key map's references to
// them go and later macro numbers move down, on the keypad and in every profile.
void ForgetRemovedMacros(CliContext& context, const std::vector<int>& removed) {
    if (removed.empty()) return;
    ProfileSession session(context, Answer::No);
    const program::KeyMapImage before = session.images.edited;
    for (int index : removed) session.profiles->MacroRemoved(index);
    if (session.images.edited == before || !program::IsValidKeyMap(before)) return;
    program::KeyMapImage device{};
    if (!program::WriteKeyMapFull(*context.api, session.lock, session.images.edited, device)) {
        throw DeviceError(
            "The keypad's macros were removed, but its key map could not be updated.");
    }
}

std::string MacroName(CLumoApi* api, int index) {
    return Utf16ToUtf8(program::KeypadMacroName(*api, index));
}

int PrintList(CliContext& context) {
    CLumoApi* api = context.api;
    std::string text;
    std::vector<JsonObject> macros;
    for (int i = 0; i < api->GetDeviceMacroCount(); ++i) {
        const DeviceMacro* macro = api->GetDeviceMacro(i);
        const std::string name = MacroName(api, i);
        char line[128];
        std::snprintf(line, sizeof line, "%2d. %-20s %5zu cells  %s\n", i + 1, name.c_str(),
                      macro->cells.size(), RepeatText(macro->header.repeat).c_str());
        text += line;
        macros.push_back(JsonObject()
                             .Add("number", i + 1)
                             .Add("name", name)
                             .Add("cells", static_cast<int64_t>(macro->cells.size()))
                             .Add("repeat", static_cast<int64_t>(macro->header.repeat)));
    }
    if (macros.empty()) text = "(no macros on the keypad)\n";
    const uint32_t used = BytesUsed(api);
    text += std::to_string(used) + " of " + std::to_string(program::kMacroAreaSize) + " bytes used";
    context.Print(text, JsonObject()
                            .Add("macros", macros)
                            .Add("bytes_used", static_cast<int64_t>(used))
                            .Add("capacity", static_cast<int64_t>(program::kMacroAreaSize)));
    return kExitSuccess;
}

int RunList(CliContext& context, const MacroArguments& args) {
    if (!args.positional.empty()) throw UsageError("macro device list takes no arguments");
    program::DeviceLock lock;
    ReadKeypad(context, lock);
    return PrintList(context);
}

int RunShow(CliContext& context, const MacroArguments& args) {
    if (args.positional.size() != 1) throw UsageError("macro device show needs one number");
    program::DeviceLock lock;
    ReadKeypad(context, lock);
    const int index = ParseMacroNumber(args.positional[0], context.api->GetDeviceMacroCount());
    const program::KeypadMacroView view =
        program::ViewKeypadMacro(*context.api, *context.api->GetDeviceMacro(index));
    std::string text = "Macro " + std::to_string(index + 1) + ": " + Utf16ToUtf8(view.name) +
                       "\n  repeat: " + std::to_string(view.repeat) + " (" +
                       Utf16ToUtf8(view.repeatMode) + ")\n";
    std::vector<JsonObject> rows;
    for (const program::ViewRow& row : view.rows) {
        text += "  " + Utf16ToUtf8(row.text) + "\n";
        rows.push_back(JsonObject()
                           .Add("kind", static_cast<int>(row.kind))
                           .Add("text", Utf16ToUtf8(row.text)));
    }
    text += "  " + Utf16ToUtf8(view.summary);
    context.Print(text, JsonObject()
                            .Add("name", Utf16ToUtf8(view.name))
                            .Add("repeat", view.repeat)
                            .Add("repeat_mode", Utf16ToUtf8(view.repeatMode))
                            .Add("rows", rows)
                            .Add("summary", Utf16ToUtf8(view.summary)));
    return kExitSuccess;
}

int RunUpload(CliContext& context, const MacroArguments& args) {
    if (args.positional.empty()) throw UsageError("macro device upload needs FILE.vmf [NAME...]");
    CLumoApi* api = context.api;
    const std::string& file = args.positional[0];
    std::u16string reason;
    if (!api->LoadMacroFile(PathText(file).c_str(), &reason)) {
        throw DeviceError(Utf16ToUtf8(reason));
    }
    std::vector<EditorMacro> chosen;
    if (args.positional.size() == 1) {
        for (int i = 0; i < api->GetMacroCount(); ++i) chosen.push_back(api->GetMacro(i));
    }
    for (size_t i = 1; i < args.positional.size(); ++i) {
        const int index = api->FindMacro(varnel::Utf8ToUtf16(args.positional[i]), -1);
        if (index < 0)
            throw UsageError(file + " holds no macro named \"" + args.positional[i] + "\"");
        chosen.push_back(api->GetMacro(index));
    }
    if (chosen.empty()) throw UsageError(file + " holds no macros");
    program::DeviceLock lock;
    ReadKeypad(context, lock);
    TerminalQuestions questions(args.answer);
    const program::CopyResult result =
        program::CopyListMacrosToKeypad(*api, lock, questions, chosen);
    if (result.outcome != program::CopyResult::Outcome::Copied) {
        throw DeviceError("Nothing was uploaded; the keypad keeps its macros.");
    }
    Upload(context, lock);
    return PrintList(context);
}

int RunDelete(CliContext& context, const MacroArguments& args) {
    if (args.positional.empty()) throw UsageError("macro device delete needs macro numbers");
    program::DeviceLock lock;
    ReadKeypad(context, lock);
    std::vector<int> rows;
    for (const std::string& word : args.positional) {
        rows.push_back(ParseMacroNumber(word, context.api->GetDeviceMacroCount()));
    }
    std::vector<int> removed;
    program::DeleteKeypadMacros(*context.api, rows, [&](int index) { removed.push_back(index); });
    Upload(context, lock);
    ForgetRemovedMacros(context, removed);
    return PrintList(context);
}

int RunClear(CliContext& context, const MacroArguments& args) {
    if (!args.positional.empty()) throw UsageError("macro device clear takes no arguments");
    program::DeviceLock lock;
    ReadKeypad(context, lock);
    std::vector<int> removed;
    for (int index = context.api->GetDeviceMacroCount() - 1; index >= 0; --index) {
        removed.push_back(index);
    }
    context.api->ClearDeviceMacros();
    Upload(context, lock);
    ForgetRemovedMacros(context, removed);
    return PrintList(context);
}

}  // namespace

int RunMacroDevice(CliContext& context, const Arguments& args) {
    const std::string verb = args.empty() ? "" : args[0];
    const Arguments rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (verb == "list") return RunList(context, ParseMacroArguments(rest, false, false));
    if (verb == "show") return RunShow(context, ParseMacroArguments(rest, false, false));
    if (verb == "upload") return RunUpload(context, ParseMacroArguments(rest, false, true));
    if (verb == "delete") return RunDelete(context, ParseMacroArguments(rest, false, false));
    if (verb == "clear") return RunClear(context, ParseMacroArguments(rest, false, false));
    throw UsageError("macro device needs list, show, upload, delete or clear");
}

}  // namespace varnelctl
