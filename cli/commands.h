// The varnelctl commands. Each takes the words after its name and returns the exit code, or
// throws a CliError.
#pragma once

#include <string>
#include <vector>

#include "cli_context.h"

namespace varnelctl {

using Arguments = std::vector<std::string>;

int RunList(CliContext& context, const Arguments& args);
int RunInfo(CliContext& context, const Arguments& args);
int RunStep(CliContext& context, const Arguments& args);
int RunRaw(CliContext& context, const Arguments& args);
int RunMacro(CliContext& context, const Arguments& args);
int RunFirmware(CliContext& context, const Arguments& args);
int RunKeymap(CliContext& context, const Arguments& args);
int RunProfile(CliContext& context, const Arguments& args);
int RunNumLockSync(CliContext& context, const Arguments& args);
int RunBackup(CliContext& context, const Arguments& args);
int RunRestore(CliContext& context, const Arguments& args);
int RunFactoryReset(CliContext& context, const Arguments& args);
// Deletes every profile of the program's profile folder; false when a file stayed.
bool DeleteAllProfiles(CliContext& context);

}  // namespace varnelctl
