// Cost of programming the keypad's application flash through its boot loader, against the
// simulator's full-speed bus timing.
//
// ProgramApplicationUsbFs: a 126976-byte image (the whole application flash) programmed as the
// firmware update does it: the erase of the first 64 KiB with its 1720 ms of pauses, the erase of
// the rest with its pause, then 2268 verified writes of 56 bytes. Reported as a ratio to its
// floor: two 1 ms frames for every request the library actually wrote, plus the pauses it
// actually took. The simulated keypad erases within those pauses, as the real one does.
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "protocol_floor.h"

namespace {

using varnel::bench::MillisecondsSince;
using varnel::bench::ProtocolFloorMeter;
using varnel::bench::ReportRatios;
using varnel::bench::Session;

constexpr uint32_t kApplicationFlash = 126976;

// Restarts the simulated keypad into its boot loader; false when it does not arrive there.
bool RestartIntoBootLoader(CLumoApi& api) {
    const uint8_t restart[64] = {0xF4, 0x01};
    api.Command(restart);
    const uint16_t bootLoader[] = {0x060B, 0x2320};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!api.IsDevicePresent(bootLoader)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void ProgramApplicationUsbFs(benchmark::State& state) {
    Session session({"--timing", "usb-fs"});
    if (!session.simulator->Ready()) return state.SkipWithError("simulator did not start");
    if (!RestartIntoBootLoader(*session.api)) return state.SkipWithError("no boot loader");
    std::vector<uint8_t> image(kApplicationFlash);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 31 + 7);

    ProtocolFloorMeter meter;
    std::vector<double> runMs;
    double floorMs = 0;
    for (auto _ : state) {
        meter.Reset();
        const auto start = std::chrono::steady_clock::now();
        if (!session.api->ProgramAprom(image.data(), kApplicationFlash)) {
            return state.SkipWithError("programming failed");
        }
        runMs.push_back(MillisecondsSince(start));
        floorMs = meter.FloorMs();
    }
    state.counters["floor_ms"] = floorMs;
    state.counters["requests"] = static_cast<double>(meter.Requests());
    state.counters["pause_ms"] = static_cast<double>(meter.PauseMs());
    ReportRatios(state, runMs, floorMs);
}
BENCHMARK(ProgramApplicationUsbFs)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
