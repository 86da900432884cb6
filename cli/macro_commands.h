// The macro commands: `macro file ...` on macro files, `macro device ...` on the keypad.
#pragma once

#include "commands.h"

namespace varnelctl {

int RunMacroFile(CliContext& context, const Arguments& args);
int RunMacroDevice(CliContext& context, const Arguments& args);

}  // namespace varnelctl
