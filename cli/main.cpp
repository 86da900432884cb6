// varnelctl: the keypad's jobs from the command line, over the same library as the program.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "cli_error.h"
#include "commands.h"
#include "hidraw_access.h"
#include "macro_commands.h"

namespace varnelctl {
namespace {

constexpr const char kUsage[] =
    "Usage: varnelctl [--json] [--hid SPEC] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  list                       keypads attached and their mode\n"
    "  info                       mode, firmware version and current step\n"
    "  step [1-8]                 show the active step, or select one\n"
    "  raw KIND HEX...            one exchange with a request given in hexadecimal;\n"
    "                             KIND is query, command, send, boot-query or boot-command\n"
    "  macro file show FILE.vmf   the macros of a macro file, step by step\n"
    "  macro file import FILE.mcr [--into FILE.vmf]\n"
    "                             a JITBIT macro recorder file as one macro\n"
    "  macro file merge SRC.vmf --into DST.vmf [--yes|--no]\n"
    "                             adds SRC's macros to DST, asking before replacing one\n"
    "  macro device list          the keypad's macros and the bytes they use\n"
    "  macro device show N        keypad macro N, cell by cell\n"
    "  macro device upload FILE.vmf [NAME...] [--yes|--no]\n"
    "                             copies macros onto the keypad (all without NAME)\n"
    "  macro device delete N...   removes keypad macros\n"
    "  macro device clear         removes every keypad macro\n"
    "  firmware inspect FILE.quf  an update file: its keypad, its image, whether it fits\n"
    "  firmware flash FILE.quf [--yes]\n"
    "                             updates the keypad's firmware from the file\n"
    "  firmware pack IMAGE --vid V --pid P -o FILE.quf\n"
    "                             builds an update file for an application image\n"
    "  keymap show                each key: its label, its function, whether it is reassigned\n"
    "  keymap set KEY FUNCTION    KEY: F1..F4 NumLock / * - + ENTER 0..9 DEL or #0..#20;\n"
    "                             FUNCTION: keys joined by + (Ctrl+Alt+Del), mouse:left|middle|\n"
    "                             right, media:web|search|email|desktop|media|volume-down|mute|\n"
    "                             volume-up, calculator, macro:N or macro:NAME, macro-stop, "
    "default\n"
    "  keymap reset KEY           the key as printed on it again\n"
    "  keymap clear               every key as printed on it, step 4 (profile files untouched)\n"
    "  numlock-sync [on|off]      shows or switches NumLock synchronisation\n"
    "  factory-reset [--yes]      erases macros, key assignments and profiles\n"
    "  backup FILE                the keypad's key map, step and macros into FILE\n"
    "  restore FILE               puts a backup back into the keypad and reads it back\n"
    "  profile list|show NAME|add|rm NAME|rename NAME NEW|copy NAME|save NAME\n"
    "  profile apply NAME [--save|--discard]|export FILE|import FILE [NAME]\n"
    "                             the program's profiles (apply asks about unsaved changes)\n"
    "\n"
    "Options:\n"
    "  --json                     print results (and errors) as JSON\n"
    "  --hid SPEC                 HID transport: hidapi (default) or socket:PATH for the\n"
    "                             keypad simulator; also taken from VARNEL_HID\n"
    "  -h, --help                 this text\n"
    "  --version                  the suite's version\n"
    "\n"
    "Exit codes: 0 success, 1 device error, 2 usage error, 3 no keypad.\n";

using Handler = int (*)(CliContext&, const Arguments&);

const std::map<std::string, Handler> kCommands = {
    {"list", RunList},     {"info", RunInfo},       {"step", RunStep},
    {"raw", RunRaw},       {"macro", RunMacro},     {"firmware", RunFirmware},
    {"keymap", RunKeymap}, {"profile", RunProfile}, {"numlock-sync", RunNumLockSync},
    {"backup", RunBackup}, {"restore", RunRestore}, {"factory-reset", RunFactoryReset},
};

struct CommandLine {
    bool json = false;
    bool help = false;
    bool version = false;
    std::string hidSpec;
    std::string command;
    Arguments args;
};

CommandLine ParseCommandLine(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--json") {
            line.json = true;
        } else if (word == "-h" || word == "--help") {
            line.help = true;
        } else if (word == "--version") {
            line.version = true;
        } else if (word == "--hid") {
            if (i + 1 >= argc) throw UsageError("--hid needs a SPEC (hidapi or socket:PATH)");
            line.hidSpec = argv[++i];
        } else if (word.rfind("--hid=", 0) == 0) {
            line.hidSpec = word.substr(6);
        } else if (word.size() > 1 && word[0] == '-' && line.command.empty()) {
            throw UsageError("unknown option " + word);
        } else if (line.command.empty()) {
            line.command = word;
        } else {
            line.args.push_back(word);
        }
    }
    return line;
}

// The transport is chosen before any exchange; with hidapi, permission problems can be explained.
bool SelectTransport(const std::string& spec) {
    const char* chosen = spec.empty() ? std::getenv("VARNEL_HID") : spec.c_str();
    if (chosen && *chosen && !SelectLumoTransport(chosen)) {
        throw UsageError("unknown HID spec \"" + std::string(chosen) +
                         "\" (use hidapi or socket:PATH)");
    }
    return !chosen || !*chosen || std::string(chosen) == "hidapi";
}

int ReportError(const CliError& error, bool json, bool usesHidraw) {
    ExitCode code = error.Code();
    std::string message = error.what();
    if (usesHidraw && (code == kExitDeviceError || code == kExitNoKeypad)) {
        const std::string hint = HidrawPermissionHint();
        if (!hint.empty()) {
            message = hint;
            code = kExitDeviceError;
        }
    }
    if (json) {
        std::printf("%s\n",
                    JsonObject().Add("error", message).Add("exit_code", code).Text().c_str());
    } else {
        std::fprintf(stderr, "varnelctl: %s\n", message.c_str());
        if (code == kExitUsage) std::fprintf(stderr, "Run varnelctl --help for the usage.\n");
    }
    return code;
}

int Run(int argc, char** argv) {
    bool json = false;
    bool usesHidraw = false;
    CLumoApi* api = nullptr;
    try {
        const CommandLine line = ParseCommandLine(argc, argv);
        json = line.json;
        if (line.version) {
            std::printf("varnelctl %s\n", VARNEL_VERSION);
            return kExitSuccess;
        }
        if (line.help || line.command.empty()) {
            std::fputs(kUsage, line.help ? stdout : stderr);
            return line.help ? kExitSuccess : kExitUsage;
        }
        const auto handler = kCommands.find(line.command);
        if (handler == kCommands.end()) throw UsageError("unknown command " + line.command);
        usesHidraw = SelectTransport(line.hidSpec);
        long error = 0;
        if (!CreateLumoApi(&api, &error)) {
            throw DeviceError("the keypad library could not start (error " + std::to_string(error) +
                              ")");
        }
        CliContext context;
        context.api = api;
        context.json = json;
        context.api->SetDeviceId(kApplicationVid, kApplicationPid);
        const int code = handler->second(context, line.args);
        DestroyLumoApi(api);
        return code;
    } catch (const CliError& error) {
        DestroyLumoApi(api);
        return ReportError(error, json, usesHidraw);
    }
}

}  // namespace
}  // namespace varnelctl

int main(int argc, char** argv) {
    return varnelctl::Run(argc, argv);
}
