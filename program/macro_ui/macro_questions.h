// How the macro workshop asks and tells the user: the window answers with message boxes, the
// command line from its options or the terminal.
#pragma once

#include <string>

namespace varnel::program {

class MacroQuestions {
  public:
    virtual ~MacroQuestions() = default;
    // A Yes/No question; true only for Yes.
    virtual bool AskYesNo(const std::u16string& text, const std::u16string& caption) = 0;
    virtual void Tell(const std::u16string& text) = 0;
};

}  // namespace varnel::program
