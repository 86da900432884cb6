// The simulator's socket server: one event loop that accepts clients, answers enumerations and
// opens, carries reports to and from the keypad model on the chosen timing, sends arrival and
// removal events, runs control lines and saves the state file.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device_model.h"
#include "faults.h"
#include "report_schedule.h"

namespace varnel::sim {

struct ServerOptions {
    std::string socketPath;
    std::optional<std::string> statePath;  // without one, nothing is written
    TimingModel timing = TimingModel::Instant;
    std::chrono::milliseconds restartDelay{200};
    std::vector<FaultRule> faults;
    bool startPlugged = true;
};

class SimServer {
  public:
    SimServer(ServerOptions options, DeviceModel model);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Binds and listens; false with the reason when the socket is taken or cannot be made.
    bool Listen(std::string& error);
    // Serves until RequestStop or the `stop` verb, then saves the state file. False when that
    // last save failed (the reason went to stderr).
    bool Run();
    // Safe to call from any thread and from a signal handler.
    void RequestStop();

  private:
    struct Impl;
    std::unique_ptr<Impl> m_Impl;
    int m_StopFd;
};

}  // namespace varnel::sim
