#include "process_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace varnel::e2e {

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string MakeTempFolder() {
    char pattern[] = "/tmp/varnel-e2e-XXXXXX";
    return ::mkdtemp(pattern);
}

// This process's environment without VARNEL_HID and without the variables `extra` sets, then
// `extra` ("NAME=value" each).
std::vector<std::string> Environment(const std::vector<std::string>& extra) {
    const auto replaced = [&extra](const char* entry) {
        if (std::strncmp(entry, "VARNEL_HID=", 11) == 0) return true;
        for (const std::string& e : extra) {
            const size_t name = e.find('=') + 1;
            if (std::strncmp(entry, e.c_str(), name) == 0) return true;
        }
        return false;
    };
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (!replaced(*e)) env.emplace_back(*e);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char*> CStrings(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

pid_t Spawn(const std::string& program, const std::vector<std::string>& args,
            const std::vector<std::string>& extraEnvironment, const std::string& outPath,
            const std::string& errPath) {
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env = Environment(extraEnvironment);
    auto cargv = CStrings(argv);
    auto cenv = CStrings(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, cargv.data(), cenv.data()) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

}  // namespace

CommandResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnvironment) {
    const std::string folder = MakeTempFolder();
    CommandResult result;
    const pid_t pid = Spawn(program, args, extraEnvironment, folder + "/out", folder + "/err");
    if (pid > 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        result.out = ReadFile(folder + "/out");
        result.err = ReadFile(folder + "/err");
    }
    std::filesystem::remove_all(folder);
    return result;
}

SimulatorProcess::SimulatorProcess(const std::vector<std::string>& serveOptions,
                                   const std::string& socketPath)
    : m_strFolder(MakeTempFolder()),
      m_strSocket(socketPath.empty() ? m_strFolder + "/keypad.sock" : socketPath) {
    std::vector<std::string> args{"serve", "--socket", m_strSocket};
    args.insert(args.end(), serveOptions.begin(), serveOptions.end());
    m_Pid = Spawn(VARNEL_SIM_PATH, args, {}, m_strFolder + "/sim.out", m_strFolder + "/sim.err");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (m_Pid > 0 && std::chrono::steady_clock::now() < deadline) {
        if (ReadFile(m_strFolder + "/sim.out").rfind("ready", 0) == 0) {
            m_bReady = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

SimulatorProcess::~SimulatorProcess() {
    if (m_Pid > 0) {
        ::kill(m_Pid, SIGTERM);
        int status = 0;
        ::waitpid(m_Pid, &status, 0);
    }
    std::error_code ec;
    std::filesystem::remove_all(m_strFolder, ec);
}

CommandResult SimulatorProcess::Control(const std::vector<std::string>& verbAndArgs) const {
    std::vector<std::string> args = verbAndArgs;
    args.insert(args.begin() + 1, {"--socket", m_strSocket});
    return RunProgram(VARNEL_SIM_PATH, args);
}

CommandResult RunVarnelctl(const SimulatorProcess& simulator,
                           const std::vector<std::string>& args) {
    return RunProgram(VARNELCTL_PATH, args,
                      {"VARNEL_HID=" + simulator.HidSpec(),
                       "XDG_DOCUMENTS_DIR=" + simulator.Folder() + "/documents"});
}

}  // namespace varnel::e2e
