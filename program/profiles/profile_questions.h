// How the profile commands ask and tell the user: the window answers with message boxes, the
// command line from its options (--save, --discard) or the terminal.
#pragma once

#include <string>

namespace varnel::program {

enum class SaveAnswer { Yes, No, Cancel };

class ProfileQuestions {
  public:
    virtual ~ProfileQuestions() = default;
    // Unsaved changes before another profile is applied: Yes saves them into the profile that
    // was applied before, No drops them, Cancel keeps that profile.
    virtual SaveAnswer AskSaveChanges(const std::u16string& text) = 0;
    virtual void Tell(const std::u16string& text) = 0;
};

}  // namespace varnel::program
