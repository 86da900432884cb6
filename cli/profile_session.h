// What the profile, keymap and factory-reset commands share: the program's settings, the
// profile list and the key map images, set up as the window has them, with the keypad's map as
// the edited one.
#pragma once

#include <memory>
#include <string>

#include "cli_context.h"
#include "commands.h"
#include "device_lock.h"
#include "profile_commands.h"
#include "profile_questions.h"
#include "terminal_answers.h"

namespace varnelctl {

// Answers the question about unsaved changes from --save or --discard, else on the terminal.
class TerminalProfileQuestions final : public varnel::program::ProfileQuestions {
  public:
    explicit TerminalProfileQuestions(Answer answer) : m_Answer(answer) {}
    varnel::program::SaveAnswer AskSaveChanges(const std::u16string& text) override;
    void Tell(const std::u16string& text) override;

  private:
    Answer m_Answer;
};

struct ProfileSession {
    // Reads the keypad's key map when a keypad is attached and `readKeypad` asks for it;
    // `answer` decides the save question.
    ProfileSession(CliContext& context, Answer answer, bool readKeypad = true);

    varnel::program::ProfileDevice Device() { return {*api, lock, connected}; }

    CLumoApi* api;
    bool connected = false;
    varnel::program::DeviceLock lock;
    varnel::program::ProgramSettings settings;
    varnel::program::KeyMapImages images;
    TerminalProfileQuestions questions;
    std::unique_ptr<varnel::program::ProfileCommands> profiles;
};

// An exit for every way a profile command can end.
void ThrowUnlessDone(const varnel::program::ProfileResult& result, const std::string& what);

}  // namespace varnelctl
