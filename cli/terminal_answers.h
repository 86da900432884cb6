// How varnelctl answers the workshop's questions and shows progress: --yes or --no decide, else
// the terminal is asked when there is one, else the answer is No. Messages go to stderr.
#pragma once

#include <string>

#include "macro_questions.h"
#include "varnel/LumoApi.h"

namespace varnelctl {

enum class Answer { Ask, Yes, No };

class TerminalQuestions final : public varnel::program::MacroQuestions {
  public:
    explicit TerminalQuestions(Answer answer) : m_Answer(answer) {}
    bool AskYesNo(const std::u16string& text, const std::u16string& caption) override;
    void Tell(const std::u16string& text) override;

  private:
    Answer m_Answer;
};

// The owner window the library asks its questions through (merging macro files).
class TerminalWindow final : public CLumoWindow {
  public:
    explicit TerminalWindow(TerminalQuestions& questions) : m_Questions(questions) {}
    intptr_t SendWindowMessage(uint32_t, uintptr_t, intptr_t) override { return 0; }
    int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                       uint32_t type) override;

  private:
    TerminalQuestions& m_Questions;
};

// A progress bar on stderr, moved by the library's progress messages.
class ProgressBar final : public CLumoMessageReceiver {
  public:
    explicit ProgressBar(std::string label) : m_strLabel(std::move(label)) {}
    ~ProgressBar() override;
    intptr_t SendWindowMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

  private:
    std::string m_strLabel;
    bool m_bShown = false;
};

}  // namespace varnelctl
