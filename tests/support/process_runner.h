// Starting the suite's programs from end-to-end tests: one-shot commands with their output, and
// a keypad simulator that serves on a private socket for the length of a test.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace varnel::e2e {

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end; stdout and stderr are collected.
CommandResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& extraEnvironment = {});

// varnel-keypad-sim serve on a socket in a temporary folder; stopped by the destructor.
class SimulatorProcess {
  public:
    // On a socket in a temporary folder, or on socketPath when one is given.
    explicit SimulatorProcess(const std::vector<std::string>& serveOptions = {},
                              const std::string& socketPath = "");
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    const std::string& SocketPath() const { return m_strSocket; }
    // The simulator's temporary folder, removed with it.
    const std::string& Folder() const { return m_strFolder; }
    std::string HidSpec() const { return "socket:" + m_strSocket; }
    // A control verb against this simulator ("plug", "unplug", "fault", "state", ...).
    CommandResult Control(const std::vector<std::string>& verbAndArgs) const;
    bool Ready() const { return m_bReady; }

  private:
    std::string m_strFolder;
    std::string m_strSocket;
    pid_t m_Pid = -1;
    bool m_bReady = false;
};

// varnelctl against a simulator, with the program's documents folder inside the simulator's
// folder, so that nothing reaches the user's own.
CommandResult RunVarnelctl(const SimulatorProcess& simulator, const std::vector<std::string>& args);

}  // namespace varnel::e2e
