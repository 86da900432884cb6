#include "profile_session.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "cli_error.h"
#include "data_folder.h"
#include "keymap_transfer.h"
#include "text_encoding.h"

namespace varnelctl {

namespace program = varnel::program;

program::SaveAnswer TerminalProfileQuestions::AskSaveChanges(const std::u16string& text) {
    if (m_Answer == Answer::Yes) return program::SaveAnswer::Yes;
    if (m_Answer == Answer::No) return program::SaveAnswer::No;
    const std::string question = varnel::Utf16ToUtf8(text);
    if (!::isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "%s\n(no terminal to ask: cancelled; use --save or --discard)\n",
                     question.c_str());
        return program::SaveAnswer::Cancel;
    }
    std::fprintf(stderr, "%s [y]es / [n]o / [c]ancel ", question.c_str());
    std::string line;
    if (!std::getline(std::cin, line) || line.empty()) return program::SaveAnswer::Cancel;
    if (line[0] == 'y' || line[0] == 'Y') return program::SaveAnswer::Yes;
    if (line[0] == 'n' || line[0] == 'N') return program::SaveAnswer::No;
    return program::SaveAnswer::Cancel;
}

void TerminalProfileQuestions::Tell(const std::u16string& text) {
    std::fprintf(stderr, "varnelctl: %s\n", varnel::Utf16ToUtf8(text).c_str());
}

ProfileSession::ProfileSession(CliContext& context, Answer answer, bool readKeypad)
    : api(context.api), questions(answer) {
    connected = Present(api, kApplicationVid, kApplicationPid);
    profiles = std::make_unique<program::ProfileCommands>(settings, program::UserDocumentsFolder(),
                                                          images, questions, api->GetUiLanguage());
    profiles->Start();
    if (!connected || !readKeypad) return;
    const program::KeyMapRead read = program::ReadKeyMap(*api, lock);
    profiles->TakeKeypadMap(read.valid ? read.image : program::EmptyKeyMap());
}

void ThrowUnlessDone(const program::ProfileResult& result, const std::string& what) {
    using program::ProfileOutcome;
    switch (result.outcome) {
        case ProfileOutcome::Done:
        case ProfileOutcome::Unchanged:
            return;
        case ProfileOutcome::NotConnected:
            throw CliError(kExitNoKeypad, "No keypad found.");
        case ProfileOutcome::NoSelection:
        case ProfileOutcome::Missing:
            throw UsageError(what + ": no such profile");
        case ProfileOutcome::BadName:
            throw UsageError(what + ": not a usable profile name");
        case ProfileOutcome::NameTaken:
            throw DeviceError(what + ": a profile of that name exists already");
        case ProfileOutcome::Cancelled:
            throw DeviceError(what + ": cancelled; the keypad keeps its key map");
        case ProfileOutcome::NotApplied:
            throw DeviceError(what +
                              ": the profile holds more than 21 entries and was not applied");
        case ProfileOutcome::FileFailed:
            throw DeviceError(what + ": a profile file could not be read or written");
        case ProfileOutcome::DeviceFailed:
            throw DeviceError(what + ": the keypad did not take the whole key map");
        case ProfileOutcome::Busy:
            throw DeviceError(what + ": another refresh is running");
    }
}

}  // namespace varnelctl
