#include "command_line.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "keypad_keys.h"
#include "number_parsing.h"

namespace varnel::sim {

const char* const kUsage =
    "Usage:\n"
    "  varnel-keypad-sim serve --socket PATH [--state FILE] [--timing instant|usb-fs]\n"
    "                          [--fault FAULT]... [--firmware-version X.Y.Z]\n"
    "                          [--vid HEX] [--pid HEX] [--restart-delay MS] [--unplugged]\n"
    "                          [--boot-data-identity head|tail|none]\n"
    "  varnel-keypad-sim plug --socket PATH\n"
    "  varnel-keypad-sim unplug --socket PATH\n"
    "  varnel-keypad-sim state --socket PATH [--json]\n"
    "  varnel-keypad-sim press KEY --socket PATH [--json]\n"
    "  varnel-keypad-sim fault FAULT --socket PATH\n"
    "  varnel-keypad-sim stop --socket PATH\n"
    "  varnel-keypad-sim --help\n"
    "\n"
    "serve simulates the keypad on a Unix socket and prints 'ready PATH' once it accepts\n"
    "connections; SIGTERM or SIGINT stop it. The other verbs talk to a running simulator.\n"
    "--boot-data-identity places the keypad identity in the boot loader's data block of a\n"
    "fresh keypad (no state file yet): at offsets 2044/2046 (tail, the default, clear of the\n"
    "key map), 0/2 (head) or nowhere. An application image programmed through the boot loader sets "
    "the version\n"
    "the keypad reports when it holds \"VARNELFW\" and three version bytes in its first 4 KiB.\n"
    "\n"
    "press plays KEY through the key map and macros stored in the keypad's flash and prints\n"
    "what the keypad sends: a keyboard combination, mouse buttons, a media function, the\n"
    "calculator, FN, macros with their cells, macro stop, or the key's default. KEY is F1 F2 F3\n"
    "F4 NumLock / * - + ENTER 0-9 DEL (any case; Num/, Num5, NumEnter, NumDel also do), or\n"
    "#N (or index:N) for the key at index N (0 to 20, F1 first, DEL last).\n"
    "\n"
    "Faults:\n"
    "  drop:N          swallow the next N replies (the requests are still carried out)\n"
    "  stale:N         send a stale report before each of the next N replies\n"
    "  status0:N       refuse the next N requests with status 0\n"
    "  unplug-after:N  unplug on the Nth request from now, without replying to it\n"
    "  verify-mismatch:N  the Nth boot-loader write of application flash from now meets a\n"
    "                  bad flash cell: its reply differs from the data sent\n"
    "  delay:MS[:N]    delay the next N replies (all of them without N) by MS milliseconds\n"
    "  clear           remove all faults\n";

namespace {

constexpr uint64_t kMaxRestartDelayMs = 600'000;

struct OptionInfo {
    std::string_view name;
    bool takesValue;
};

struct ParsedOption {
    std::string name;
    std::string value;
};

struct SplitArguments {
    std::vector<ParsedOption> options;
    std::vector<std::string> positional;
    std::string error;
};

// Separates "--name value", "--name=value" and flags from positional words.
SplitArguments Split(std::span<const std::string> arguments, std::span<const OptionInfo> known) {
    SplitArguments split;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--")) {
            split.positional.push_back(argument);
            continue;
        }
        const size_t equals = argument.find('=');
        ParsedOption option{argument.substr(0, equals), {}};
        const OptionInfo* rule = nullptr;
        for (const OptionInfo& candidate : known) {
            if (candidate.name == option.name) rule = &candidate;
        }
        if (rule == nullptr) {
            split.error = "unknown option " + option.name;
            return split;
        }
        if (!rule->takesValue && equals != std::string::npos) {
            split.error = option.name + " takes no value";
            return split;
        }
        if (rule->takesValue) {
            if (equals != std::string::npos) {
                option.value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                option.value = arguments[++i];
            } else {
                split.error = option.name + " needs a value";
                return split;
            }
        }
        split.options.push_back(std::move(option));
    }
    return split;
}

UsageError BadValue(const ParsedOption& option, const std::string& expected) {
    return {"bad value '" + option.value + "' for " + option.name + ": expected " + expected};
}

// Applies one serve option; a usage error when its value is bad.
std::optional<UsageError> ApplyServeOption(const ParsedOption& option, ServeCommand& serve) {
    ServerOptions& server = serve.server;
    if (option.name == "--socket") {
        server.socketPath = option.value;
    } else if (option.name == "--state") {
        server.statePath = option.value;
    } else if (option.name == "--timing") {
        const auto timing = ParseTimingModel(option.value);
        if (!timing) return BadValue(option, "instant or usb-fs");
        server.timing = *timing;
    } else if (option.name == "--fault") {
        const FaultParseResult fault = ParseFaultRule(option.value);
        if (!fault.rule) return UsageError{fault.error};
        server.faults.push_back(*fault.rule);
    } else if (option.name == "--firmware-version") {
        serve.firmware = ParseFirmwareVersion(option.value);
        if (!serve.firmware) return BadValue(option, "X.Y.Z with bytes in decimal or 0x-hex");
    } else if (option.name == "--vid" || option.name == "--pid") {
        const auto id = ParseHex(option.value, 0xFFFF);
        if (!id) return BadValue(option, "a hex number up to FFFF");
        uint16_t& field =
            option.name == "--vid" ? serve.identity.vendorId : serve.identity.productId;
        field = static_cast<uint16_t>(*id);
    } else if (option.name == "--restart-delay") {
        const auto ms = ParseUnsigned(option.value, kMaxRestartDelayMs);
        if (!ms) return BadValue(option, "milliseconds from 0 to 600000");
        server.restartDelay = std::chrono::milliseconds(*ms);
    } else if (option.name == "--boot-data-identity") {
        const auto layout = ParseBootDataLayout(option.value);
        if (!layout) return BadValue(option, "head, tail or none");
        serve.bootDataIdentity = *layout;
    } else if (option.name == "--unplugged") {
        server.startPlugged = false;
    }
    return std::nullopt;
}

Command ParseServe(std::span<const std::string> arguments) {
    static constexpr OptionInfo kOptions[] = {
        {"--socket", true},
        {"--state", true},
        {"--timing", true},
        {"--fault", true},
        {"--firmware-version", true},
        {"--vid", true},
        {"--pid", true},
        {"--restart-delay", true},
        {"--unplugged", false},
        {"--boot-data-identity", true},
    };
    const SplitArguments split = Split(arguments, kOptions);
    if (!split.error.empty()) return UsageError{split.error};
    if (!split.positional.empty()) {
        return UsageError{"serve takes no argument '" + split.positional[0] + "'"};
    }
    ServeCommand serve;
    for (const ParsedOption& option : split.options) {
        if (auto error = ApplyServeOption(option, serve)) return *error;
    }
    if (serve.server.socketPath.empty()) return UsageError{"serve needs --socket PATH"};
    return serve;
}

Command ParseControl(const std::string& verb, std::span<const std::string> arguments) {
    static constexpr OptionInfo kOptions[] = {{"--socket", true}, {"--json", false}};
    const SplitArguments split = Split(arguments, kOptions);
    if (!split.error.empty()) return UsageError{split.error};
    ControlCommand control;
    control.line = verb;
    for (const ParsedOption& option : split.options) {
        if (option.name == "--socket") control.socketPath = option.value;
        if (option.name == "--json" && verb != "state" && verb != "press") {
            return UsageError{"--json belongs to the state and press verbs"};
        }
    }
    const bool json = std::ranges::any_of(
        split.options, [](const ParsedOption& option) { return option.name == "--json"; });
    const size_t wanted = verb == "fault" || verb == "press" ? 1 : 0;
    if (split.positional.size() != wanted) {
        if (verb == "fault") return UsageError{"fault needs exactly one FAULT"};
        if (verb == "press") return UsageError{"press needs exactly one KEY"};
        return UsageError{verb + " takes no argument"};
    }
    if (verb == "press" && !ParseKeypadKey(split.positional[0])) {
        return UsageError{"unknown key '" + split.positional[0] + "': " + kKeypadKeyHelp};
    }
    if (verb == "fault") {
        const FaultParseResult fault = ParseFaultRule(split.positional[0]);
        if (!fault.rule) return UsageError{fault.error};
    }
    for (const std::string& word : split.positional) control.line += " " + word;
    if (json) control.line += " --json";
    if (control.socketPath.empty()) return UsageError{verb + " needs --socket PATH"};
    return control;
}

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") return HelpCommand{};
    }
    if (arguments.empty()) return UsageError{"no command given"};
    const std::string& verb = arguments[0];
    const auto rest = std::span<const std::string>(arguments).subspan(1);
    if (verb == "help") return HelpCommand{};
    if (verb == "serve") return ParseServe(rest);
    if (verb == "plug" || verb == "unplug" || verb == "state" || verb == "press" ||
        verb == "fault" || verb == "stop") {
        return ParseControl(verb, rest);
    }
    return UsageError{"unknown command '" + verb + "'"};
}

}  // namespace varnel::sim
