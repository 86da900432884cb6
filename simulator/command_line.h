// The simulator's command line: `serve` runs a keypad, the other verbs control a running one.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "boot_data_block.h"
#include "firmware_version.h"
#include "hid_interfaces.h"
#include "sim_server.h"

namespace varnel::sim {

struct ServeCommand {
    ServerOptions server;
    UsbIdentity identity = kDefaultApplicationIdentity;
    // When given, replaces the version kept in the state file.
    std::optional<FirmwareVersion> firmware;
    // Where a fresh keypad (no state file yet) keeps its identity in the boot loader's data
    // block; a keypad loaded from its state file has its data area as it was left.
    BootDataLayout bootDataIdentity = BootDataLayout::Tail;
};

struct ControlCommand {
    std::string socketPath;
    std::string line;  // the control line to send, e.g. "state --json"
};

struct HelpCommand {};

struct UsageError {
    std::string message;
};

using Command = std::variant<HelpCommand, UsageError, ServeCommand, ControlCommand>;

// `arguments` excludes the program name.
Command ParseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;

}  // namespace varnel::sim
