// The answer to the `state` control verb, as text for people or as JSON for scripts.
#pragma once

#include <string>
#include <vector>

#include "device_model.h"
#include "report_schedule.h"

namespace varnel::sim {

struct SimulatorStatus {
    const DeviceModel* model = nullptr;
    bool plugged = false;
    bool present = false;  // its interfaces are on the bus (not unplugged, not restarting)
    TimingModel timing = TimingModel::Instant;
    std::vector<std::string> faults;
};

std::string FormatStatusText(const SimulatorStatus& status);
std::string FormatStatusJson(const SimulatorStatus& status);

}  // namespace varnel::sim
