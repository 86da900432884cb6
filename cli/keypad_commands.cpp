// numlock-sync, backup, restore and factory-reset: the keypad's whole configuration at once.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "cli_error.h"
#include "commands.h"
#include "factory_reset.h"
#include "file_output.h"
#include "keymap_text.h"
#include "keymap_transfer.h"
#include "keypad_backup.h"
#include "keypad_macros.h"
#include "macro_arguments.h"
#include "terminal_answers.h"

namespace varnelctl {

namespace {

namespace program = varnel::program;

std::string BackupSummary(const program::KeypadBackup& backup) {
    return std::to_string(program::EntryCount(backup.keyMap)) + " key assignments, " +
           std::to_string(backup.macros.size()) + " macros, step " +
           std::to_string(backup.step + 1) + ", NumLock sync " +
           (program::NumLockSyncOn(backup.keyMap) ? "on" : "off");
}

}  // namespace

int RunNumLockSync(CliContext& context, const Arguments& args) {
    if (args.size() > 1 || (args.size() == 1 && args[0] != "on" && args[0] != "off")) {
        throw UsageError("numlock-sync takes on, off or nothing");
    }
    program::DeviceLock lock;
    program::KeyMapImage edited = ReadKeypadMap(context, lock);
    const bool wanted = args.empty() ? program::NumLockSyncOn(edited) : args[0] == "on";
    if (!args.empty() && program::NumLockSyncOn(edited) != wanted) {
        program::SwitchNumLockSync(edited);
        program::KeyMapImage device{};
        if (!program::WriteKeyMapFull(*context.api, lock, edited, device)) {
            throw DeviceError("The keypad did not take its key map.");
        }
    }
    context.Print(std::string("NumLock sync ") + (wanted ? "on" : "off"),
                  JsonObject().Add("numlock_sync", wanted));
    return kExitSuccess;
}

int RunBackup(CliContext& context, const Arguments& args) {
    if (args.size() != 1) throw UsageError("backup needs one FILE");
    context.RequireApplication();
    program::DeviceLock lock;
    std::string problem;
    const auto backup = program::ReadKeypadBackup(*context.api, lock, problem);
    if (!backup) throw DeviceError("Nothing was backed up: " + problem + ".");
    WriteFileAtomically(args[0], program::EncodeKeypadBackup(*backup));
    context.Print(args[0] + ": " + BackupSummary(*backup),
                  JsonObject().Add("file", args[0]).Add("summary", BackupSummary(*backup)));
    return kExitSuccess;
}

int RunRestore(CliContext& context, const Arguments& args) {
    if (args.size() != 1) throw UsageError("restore needs one FILE");
    std::ifstream in(args[0], std::ios::binary);
    if (!in) throw DeviceError("Cannot read " + args[0] + ": " + std::strerror(errno));
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::string problem;
    const auto backup = program::DecodeKeypadBackup(bytes, problem);
    if (!backup)
        throw DeviceError(args[0] + " is refused: " + problem + ". The keypad is unchanged.");
    context.RequireApplication();
    program::DeviceLock lock;
    if (!program::RestoreKeypadBackup(*context.api, lock, *backup, problem)) {
        throw DeviceError("The restore did not complete: " + problem + ".");
    }
    context.Print("Restored and read back: " + BackupSummary(*backup),
                  JsonObject().Add("restored", true).Add("summary", BackupSummary(*backup)));
    return kExitSuccess;
}

int RunFactoryReset(CliContext& context, const Arguments& args) {
    const MacroArguments parsed = ParseMacroArguments(args, false, true);
    if (!parsed.positional.empty()) throw UsageError("factory-reset takes only --yes or --no");
    context.RequireApplication();
    program::DeviceLock lock;
    program::ReadKeypadMacros(*context.api, lock);
    program::KeyMapImage edited = program::EmptyKeyMap();
    program::KeyMapImage device{};
    TerminalQuestions questions(parsed.answer);
    const program::FactoryResetOutcome outcome = program::FactoryReset(
        *context.api, lock, questions, edited, device, [&] { return DeleteAllProfiles(context); });
    if (outcome == program::FactoryResetOutcome::Declined) {
        throw DeviceError("Factory reset cancelled; nothing was changed.");
    }
    if (outcome == program::FactoryResetOutcome::Failed) {
        throw DeviceError("The factory reset did not complete.");
    }
    context.Print("The keypad is back to its factory state.", JsonObject().Add("reset", true));
    return kExitSuccess;
}

}  // namespace varnelctl
