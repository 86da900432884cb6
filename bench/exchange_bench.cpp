// Cost of the device link against the keypad simulator.
//
// QueryInstant: one Query exchange (discovery, open, write, read, close) with a simulator that
// answers at once, so the figure is what the library and its transport add to an exchange. An
// exchange over the simulator's socket takes two round trips between the processes (discovery,
// then the request with its reply). Run with argument 1, the simulator and the benchmark share
// one CPU; with 0 they run where the scheduler puts them, and on a virtual machine every wake-up
// across CPUs then costs far more than the library does. SocketRoundTrip measures that bare cost
// (two processes, one socket, one 65-byte message each way) under the same placement.
// KeyMapReadUsbFs: the 497-byte key map read in nine Query exchanges on the simulated full-speed
// bus, reported as a ratio to its floor of nine round trips of two 1 ms frames each.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "bench_support.h"

namespace {

using varnel::bench::MillisecondsSince;
using varnel::bench::ReportRatios;
using varnel::bench::Session;

constexpr uint32_t kKeyMapAddress = 0x1F000;
constexpr uint32_t kKeyMapSize = 497;
constexpr uint32_t kChunk = 56;
constexpr double kFrameMs = 1.0;

// Keeps this process, and the processes it starts, on one CPU while it lives.
class CpuPlacement {
  public:
    explicit CpuPlacement(bool oneCpu) {
        sched_getaffinity(0, sizeof m_Saved, &m_Saved);
        if (!oneCpu) return;
        cpu_set_t one;
        CPU_ZERO(&one);
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
            if (CPU_ISSET(cpu, &m_Saved)) {
                CPU_SET(cpu, &one);
                break;
            }
        }
        sched_setaffinity(0, sizeof one, &one);
    }
    ~CpuPlacement() { sched_setaffinity(0, sizeof m_Saved, &m_Saved); }

  private:
    cpu_set_t m_Saved;
};

void ReadRequest(uint8_t* request, uint32_t address, uint32_t length) {
    std::memset(request, 0, 64);
    request[0] = 0xF3;
    request[1] = static_cast<uint8_t>(length);
    request[2] = 3;
    std::memcpy(request + 4, &address, 4);
}

void SocketRoundTrip(benchmark::State& state) {
    CpuPlacement placement(state.range(0) != 0);
    int pair[2];
    socketpair(AF_UNIX, SOCK_STREAM, 0, pair);
    const pid_t echo = fork();
    if (echo == 0) {
        close(pair[0]);
        char buffer[65];
        for (pollfd p{pair[1], POLLIN, 0}; poll(&p, 1, -1) > 0;) {
            if (read(pair[1], buffer, sizeof buffer) <= 0) _exit(0);
            if (write(pair[1], buffer, sizeof buffer) < 0) _exit(0);
        }
        _exit(0);
    }
    close(pair[1]);
    char buffer[65] = {};
    for (auto _ : state) {
        if (write(pair[0], buffer, sizeof buffer) < 0) break;
        pollfd p{pair[0], POLLIN, 0};
        poll(&p, 1, -1);
        if (read(pair[0], buffer, sizeof buffer) <= 0) break;
    }
    close(pair[0]);
    waitpid(echo, nullptr, 0);
}
BENCHMARK(SocketRoundTrip)
    ->ArgName("one_cpu")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void QueryInstant(benchmark::State& state) {
    CpuPlacement placement(state.range(0) != 0);
    Session session({"--timing", "instant"});
    if (!session.simulator->Ready()) return state.SkipWithError("simulator did not start");
    uint8_t request[64];
    uint8_t reply[64];
    ReadRequest(request, kKeyMapAddress, 8);
    for (auto _ : state) {
        std::memset(reply, 0, sizeof reply);
        if (!session.api->Query(request, reply)) return state.SkipWithError("query failed");
        benchmark::DoNotOptimize(reply);
    }
    state.SetLabel("us per exchange");
}
BENCHMARK(QueryInstant)
    ->ArgName("one_cpu")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0)
    ->UseRealTime();

void KeyMapReadUsbFs(benchmark::State& state) {
    Session session({"--timing", "usb-fs"});
    if (!session.simulator->Ready()) return state.SkipWithError("simulator did not start");
    uint8_t request[64];
    uint8_t map[kKeyMapSize + kChunk];
    int exchanges = 0;
    std::vector<double> readMs;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        exchanges = 0;
        for (uint32_t offset = 0; offset < kKeyMapSize; offset += kChunk) {
            const uint32_t length = std::min(kChunk, kKeyMapSize - offset);
            ReadRequest(request, kKeyMapAddress + offset, length);
            session.api->Query(request, map + offset);
            ++exchanges;
        }
        benchmark::DoNotOptimize(map);
        readMs.push_back(MillisecondsSince(start));
    }
    const double floorMs = exchanges * 2 * kFrameMs;
    state.counters["floor_ms"] = floorMs;
    ReportRatios(state, readMs, floorMs);
}
BENCHMARK(KeyMapReadUsbFs)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
