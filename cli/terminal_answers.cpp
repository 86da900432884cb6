#include "terminal_answers.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "text_encoding.h"

namespace varnelctl {

bool TerminalQuestions::AskYesNo(const std::u16string& text, const std::u16string& caption) {
    if (m_Answer != Answer::Ask) return m_Answer == Answer::Yes;
    const std::string question = varnel::Utf16ToUtf8(caption) + ": " + varnel::Utf16ToUtf8(text);
    if (!::isatty(STDIN_FILENO)) {
        std::fprintf(stderr, "%s\n(no terminal to ask: answered No; use --yes or --no)\n",
                     question.c_str());
        return false;
    }
    std::fprintf(stderr, "%s [y/N] ", question.c_str());
    std::string line;
    if (!std::getline(std::cin, line)) return false;
    return line == "y" || line == "Y" || line == "yes" || line == "Yes";
}

void TerminalQuestions::Tell(const std::u16string& text) {
    std::fprintf(stderr, "varnelctl: %s\n", varnel::Utf16ToUtf8(text).c_str());
}

int TerminalWindow::ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                                   uint32_t type) {
    if ((type & 0xF) != kLumoMbYesNo) {
        m_Questions.Tell(text);
        return kLumoIdOk;
    }
    return m_Questions.AskYesNo(text, caption) ? kLumoIdYes : kLumoIdNo;
}

ProgressBar::~ProgressBar() {
    if (m_bShown) std::fputc('\n', stderr);
}

intptr_t ProgressBar::SendWindowMessage(uint32_t message, uintptr_t wParam, intptr_t) {
    if (message != kLumoProgressMessage) return 0;
    constexpr int kWidth = 30;
    const int percent = static_cast<int>(wParam > 100 ? 100 : wParam);
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", m_strLabel.c_str(), filled,
                 "##############################", kWidth - filled, "", percent);
    std::fflush(stderr);
    m_bShown = true;
    return 0;
}

}  // namespace varnelctl
