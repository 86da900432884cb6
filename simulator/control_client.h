// Sends one control line to a running simulator and waits for its answer.
#pragma once

#include <string>

namespace varnel::sim {

struct ControlOutcome {
    bool reached = false;  // false: nothing listens there, or it did not answer
    std::string problem;   // why it was not reached
    bool ok = false;       // the simulator's verdict
    std::string text;
};

ControlOutcome SendControlLine(const std::string& socketPath, const std::string& line,
                               int timeoutMs);

}  // namespace varnel::sim
