// keymap show|set|reset|clear: the keypad's key assignments, changed as the key menus change
// them and written with the full write.
#include "cli_error.h"
#include "commands.h"
#include "key_assignment.h"
#include "key_function_parser.h"
#include "keymap_text.h"
#include "keymap_transfer.h"
#include "keypad_macros.h"
#include "profile_session.h"

namespace varnelctl {

namespace {

namespace program = varnel::program;

int ParseKey(const std::string& word) {
    const program::Parsed<int> key = program::ParseKeypadKey(word);
    if (!key.value) throw UsageError(key.error);
    return *key.value;
}

void Write(CliContext& context, program::DeviceLock& lock, program::KeyMapImage& edited) {
    program::KeyMapImage device{};
    if (!program::WriteKeyMapFull(*context.api, lock, edited, device)) {
        throw DeviceError("The keypad did not take its key map.");
    }
}

}  // namespace

int RunKeymap(CliContext& context, const Arguments& args) {
    const std::string verb = args.empty() ? "" : args[0];
    const Arguments rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    program::DeviceLock lock;
    if (verb == "show") {
        if (!rest.empty()) throw UsageError("keymap show takes no arguments");
        program::KeyMapImage image = ReadKeypadMap(context, lock);
        program::ReadKeypadMacros(*context.api, lock);
        return PrintKeyMap(context, image);
    }
    if (verb == "set" || verb == "reset") {
        const bool set = verb == "set";
        if (rest.size() != (set ? 2u : 1u)) {
            throw UsageError(set ? "keymap set needs KEY FUNCTION" : "keymap reset needs KEY");
        }
        const int key = ParseKey(rest[0]);
        context.RequireApplication();
        program::ReadKeypadMacros(*context.api, lock);
        const program::Parsed<program::WorkingEntry> entry =
            set ? program::ParseKeyFunction(*context.api, rest[1], key)
                : program::Parsed<program::WorkingEntry>{program::ResetEntry(key), {}};
        if (!entry.value) throw UsageError(entry.error);
        program::KeyMapImage edited = ReadKeypadMap(context, lock);
        program::ApplyWorkingEntry(edited, *entry.value);
        Write(context, lock, edited);
        return PrintKeyMap(context, edited);
    }
    if (verb == "clear") {
        if (!rest.empty()) throw UsageError("keymap clear takes no arguments");
        context.RequireApplication();
        ProfileSession session(context, Answer::No, false);
        ThrowUnlessDone(session.profiles->Reset(session.Device()), "keymap clear");
        return PrintKeyMap(context, session.images.edited);
    }
    throw UsageError("keymap needs show, set, reset or clear");
}

}  // namespace varnelctl
