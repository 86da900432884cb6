// varnel-keypad-sim: simulates the Varnel 21-key macro keypad on a Unix socket.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "control_client.h"
#include "sim_server.h"
#include "state_file.h"

namespace {

using namespace varnel::sim;

constexpr const char* kProgram = "varnel-keypad-sim";
constexpr int kControlTimeoutMs = 5000;

SimServer* g_RunningServer = nullptr;

void StopOnSignal(int) {
    if (g_RunningServer != nullptr) g_RunningServer->RequestStop();
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = StopOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // Writes to clients that went away must fail with EPIPE instead of ending the simulator.
    std::signal(SIGPIPE, SIG_IGN);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    return 1;
}

int Serve(const ServeCommand& command) {
    PersistentState state;
    bool fresh = true;
    if (command.server.statePath) {
        StateFileLoad loaded = LoadStateFile(*command.server.statePath);
        if (loaded.status == StateFileLoad::Status::Failed) {
            return Fail(loaded.error + "; the simulator does not start over a file it cannot read");
        }
        if (loaded.state) {
            state = std::move(*loaded.state);
            fresh = false;
        }
    }
    // A new keypad leaves the factory with its identity in the boot loader's data block.
    if (fresh) PutBootDataIdentity(state.dataArea, command.identity, command.bootDataIdentity);
    if (command.firmware) state.firmware = *command.firmware;

    SimServer server(command.server, DeviceModel(command.identity, std::move(state)));
    // Handlers go in first, so a signal that comes before the server runs still stops it cleanly.
    g_RunningServer = &server;
    InstallSignalHandlers();
    std::string error;
    if (!server.Listen(error)) return Fail(error);
    std::printf("ready %s\n", command.server.socketPath.c_str());
    std::fflush(stdout);
    const bool saved = server.Run();
    g_RunningServer = nullptr;
    return saved ? 0 : 1;
}

int Control(const ControlCommand& command) {
    const ControlOutcome outcome =
        SendControlLine(command.socketPath, command.line, kControlTimeoutMs);
    if (!outcome.reached) {
        return Fail("no simulator is running on " + command.socketPath + " (" + outcome.problem +
                    ")");
    }
    std::fputs(outcome.text.c_str(), outcome.ok ? stdout : stderr);
    return outcome.ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const Command command = ParseCommandLine(arguments);
    if (std::holds_alternative<HelpCommand>(command)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (const auto* usage = std::get_if<UsageError>(&command)) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", kProgram, usage->message.c_str(),
                     kProgram);
        return 2;
    }
    if (const auto* serve = std::get_if<ServeCommand>(&command)) return Serve(*serve);
    return Control(std::get<ControlCommand>(command));
}
