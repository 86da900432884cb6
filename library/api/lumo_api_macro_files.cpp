// Macro files on disk: loading, merging and saving the editor macro list, and importing a macro
// recorder text file as one new editor macro. A file is read whole and checked before the list
// changes, so a file that cannot be read or is damaged leaves the list as it was; a save
// replaces the file atomically, so a failed save leaves the previous file whole.
#include <optional>
#include <string>
#include <vector>

#include "file_io.h"
#include "host.h"
#include "lumo_api_library.h"
#include "macro_file.h"
#include "macro_lists.h"
#include "mcr_import.h"
#include "string_table.h"

namespace varnel {

namespace {

// The question merging asks before a held macro replaces one of the same name.
constexpr uint16_t kReplaceMacroQuestion = 282;

void SetReason(std::u16string* reason, const std::string& text) {
    if (reason) *reason = Utf8ToUtf16(text);
}

// The macros of the macro file at `path`, or nothing with the reason set.
std::optional<std::vector<EditorMacro>> ReadMacroFile(const char16_t* path,
                                                      std::u16string* reason) {
    if (!path) {
        SetReason(reason, "No macro file was named");
        return std::nullopt;
    }
    const std::string file = Utf16ToUtf8(path);
    const FileBytes read = ReadWholeFile(file);
    if (read.error != 0) {
        SetReason(reason, "Cannot read the macro file " + file + ": " + SystemError(read.error));
        return std::nullopt;
    }
    std::string problem;
    auto macros = ParseMacroFile(
        {reinterpret_cast<const uint8_t*>(read.bytes.data()), read.bytes.size()}, problem);
    if (!macros) SetReason(reason, "The macro file " + file + " is damaged: " + problem);
    return macros;
}

// Asks whether `held` is to replace the macro of the same name; through the owner window when
// one is given, else through the host. The caption is the macro's name.
bool ConfirmReplace(CLumoWindow* owner, const EditorMacro& held) {
    const std::u16string question = LibraryText(kReplaceMacroQuestion);
    const int answer = owner ? owner->ShowMessageBox(question, held.name, kLumoMbYesNo)
                             : Host().ShowMessageBox(question, held.name, kLumoMbYesNo);
    return answer == kLumoIdYes;
}

}  // namespace

// The list takes the file's length; entries that existed keep their working fields.
bool CLumoAPILibrary::LoadMacroFile(const char16_t* path, std::u16string* reason) {
    auto loaded = ReadMacroFile(path, reason);
    if (!loaded) return false;
    std::vector<EditorMacro>& macros = EditorMacros();
    macros.resize(loaded->size());
    for (size_t i = 0; i < loaded->size(); ++i) {
        EditorMacro& entry = macros[i];
        EditorMacro& file = (*loaded)[i];
        entry.name = std::move(file.name);
        std::copy(std::begin(file.options), std::end(file.options), entry.options);
        entry.items = std::move(file.items);
    }
    return true;
}

// New names are appended; a name already in the list is replaced only when the user agrees.
bool CLumoAPILibrary::MergeMacroFile(CLumoWindow* owner, const char16_t* path,
                                     std::u16string* reason) {
    const auto held = ReadMacroFile(path, reason);
    if (!held) return false;
    for (const EditorMacro& macro : *held) {
        if (macro.name.empty()) continue;
        const int found = FindEditorMacro(macro.name, -1);
        if (found < 0) {
            EditorMacros().push_back(macro);
        } else if (ConfirmReplace(owner, macro)) {
            EditorMacros()[static_cast<size_t>(found)] = macro;
        }
    }
    return true;
}

// The file becomes one new macro named after it, replacing a macro of that name without asking.
bool CLumoAPILibrary::ImportMacroText(const char16_t* path, std::u16string* reason) {
    if (!path) {
        SetReason(reason, "No macro recorder file was named");
        return false;
    }
    const std::string file = Utf16ToUtf8(path);
    const FileBytes read = ReadWholeFile(file);
    if (read.error != 0) {
        SetReason(reason,
                  "Cannot read the macro recorder file " + file + ": " + SystemError(read.error));
        return false;
    }
    EditorMacro macro =
        ImportRecorderLines(SplitRecorderLines(read.bytes), RecorderMacroName(path));
    const int found = FindEditorMacro(macro.name, -1);
    if (found < 0) {
        EditorMacros().push_back(std::move(macro));
    } else {
        EditorMacros()[static_cast<size_t>(found)] = std::move(macro);
    }
    return true;
}

// Macros without a name are not written (see EncodeMacroFile); a failure is shown to the user.
bool CLumoAPILibrary::SaveMacroFile(const char16_t* path, std::u16string* reason) {
    std::string problem;
    if (!path) {
        problem = "No macro file was named";
    } else {
        const std::string file = Utf16ToUtf8(path);
        const int error = ReplaceFileAtomically(file, EncodeMacroFile(EditorMacros()));
        if (error == 0) return true;
        problem = "Cannot save the macro file " + file + ": " + SystemError(error);
    }
    SetReason(reason, problem);
    ShowLibraryMessage(Utf8ToUtf16(problem), kLumoMbOk | kLumoMbIconError);
    return false;
}

}  // namespace varnel
