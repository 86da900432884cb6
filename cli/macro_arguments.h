// Words of the macro commands: the positional ones and the options --into, --yes and --no.
#pragma once

#include <string>
#include <vector>

#include "commands.h"
#include "terminal_answers.h"

namespace varnelctl {

struct MacroArguments {
    std::vector<std::string> positional;
    std::string into;
    Answer answer = Answer::Ask;
};

// Refuses options the command does not take, and --yes together with --no.
MacroArguments ParseMacroArguments(const Arguments& args, bool takesInto, bool takesAnswer);

// File paths cross the library's interface as UTF-16.
std::u16string PathText(const std::string& path);

// The library's settings key of the macro workshop; naming it loads the macro settings.
inline constexpr char16_t kWorkshopSettingsKey[] =
    u"SOFTWARE\\VarnelKeypad\\VARNELKEYPAD\\Initialization";

}  // namespace varnelctl
