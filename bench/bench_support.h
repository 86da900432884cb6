// What every benchmark against the keypad simulator needs: a simulator with an API object
// talking to it, and the report of a transfer's times as ratios to its floor.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "process_runner.h"
#include "varnel/LumoApi.h"

namespace varnel::bench {

// A simulator serving with the given options, and an API object for the keypad's application
// identity on its socket.
struct Session {
    std::unique_ptr<e2e::SimulatorProcess> simulator;
    CLumoApi* api = nullptr;

    explicit Session(const std::vector<std::string>& options)
        : simulator(std::make_unique<e2e::SimulatorProcess>(options)) {
        SelectLumoTransport(simulator->HidSpec().c_str());
        long error = 0;
        CreateLumoApi(&api, &error);
        api->SetDeviceId(0x1C6C, 0xC008);
    }
    ~Session() { DestroyLumoApi(api); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

inline double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The mean ratio carries every stall of the machine (a virtual machine here loses the CPU for
// tens of milliseconds now and then); the median ratio is what a transfer costs when the
// machine is not interrupted. Both are reported.
inline void ReportRatios(benchmark::State& state, std::vector<double> runMs, double floorMs) {
    if (runMs.empty()) return;
    double total = 0;
    for (double ms : runMs) total += ms;
    std::nth_element(runMs.begin(), runMs.begin() + runMs.size() / 2, runMs.end());
    state.counters["ratio"] = total / static_cast<double>(runMs.size()) / floorMs;
    state.counters["ratio_median"] = runMs[runMs.size() / 2] / floorMs;
    state.SetLabel("ratio = time / floor");
}

}  // namespace varnel::bench
