// Cost of the keypad's macro area against the simulator's full-speed bus timing.
//
// MacroUploadUsbFs: the program's upload of a nearly full macro area (23 macros of 220 keyboard
// cells, 61400 bytes with the magic): the one-byte query 0x10, an erase of every 2048-byte page
// the image covers, the image in 56-byte chunks with the magic last, then command 0x07.
// MacroReadUsbFs: reading that area back as the program does (ReadDeviceMacros at 0x10000 for at
// most 61440 bytes): the 128-byte head, then the data.
// Both are reported as a ratio to their floor: two 1 ms frames for every request the library
// actually wrote, plus the fixed pauses it actually took (40 ms after the query, 80 ms after
// each page's erase, 500 ms after the command).
// EncodeAndBuildImage: the macro manager's encoding of a 5001-item list macro, then the image
// size and the whole image, as a copy to the keypad computes them before the upload.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "bench_support.h"
#include "device_image.h"
#include "device_lock.h"
#include "keypad_macros.h"
#include "list_macro_encoder.h"
#include "macro_lists.h"
#include "protocol_floor.h"

namespace {

using varnel::bench::MillisecondsSince;
using varnel::bench::ProtocolFloorMeter;
using varnel::bench::ReportRatios;
using varnel::bench::Session;

constexpr int kKeypadMacros = 23;
constexpr int kPressesPerMacro = 110;  // a press and a release each: 220 cells of 12 bytes
constexpr uint32_t kLeastImageBytes = 61000;
constexpr int kLongMacroSteps = 5000;  // after its start item: 5001 items

// A list macro that types `presses` letters, each pressed and released, after its start item.
EditorMacro TypingMacro(const std::u16string& name, int presses) {
    constexpr uint32_t kDown = 1;
    constexpr uint32_t kUp = 2;
    EditorMacro macro;
    macro.name = name;
    macro.options[9] = 1;  // played once
    macro.items.push_back({kMacroItemStart, 0, 0, 0});
    for (int i = 0; i < presses; ++i) {
        const uint32_t key = 'A' + static_cast<uint32_t>(i % 26);
        macro.items.push_back({kMacroItemKeyboard, key, kDown, 0});
        macro.items.push_back({kMacroItemKeyboard, key, kUp, 0});
    }
    return macro;
}

// Fills the keypad collection with 23 typing macros, as many copies to the keypad would. Says
// why the benchmark cannot run, or returns null.
const char* FillKeypadCollection(const Session& session) {
    if (!session.simulator->Ready()) return "simulator did not start";
    CLumoApi& api = *session.api;
    api.ClearDeviceMacros();
    for (int i = 0; i < kKeypadMacros; ++i) {
        const std::u16string name = u"Typing " + std::u16string(1, u'A' + i);
        api.AddDeviceMacro(
            varnel::program::EncodeListMacro(api, TypingMacro(name, kPressesPerMacro)));
    }
    const uint32_t withMagic = api.GetDeviceImageSize() + 4;
    if (!varnel::program::KeypadImageFits(api) || withMagic < kLeastImageBytes) {
        return "macros do not fill the area";
    }
    return nullptr;
}

void ReportFloor(benchmark::State& state, const ProtocolFloorMeter& meter, uint32_t imageBytes) {
    state.counters["image_bytes"] = imageBytes;
    state.counters["requests"] = static_cast<double>(meter.Requests());
    state.counters["pauses_ms"] = static_cast<double>(meter.PauseMs());
    state.counters["floor_ms"] = meter.FloorMs();
}

void MacroUploadUsbFs(benchmark::State& state) {
    Session session({"--timing", "usb-fs"});
    if (const char* problem = FillKeypadCollection(session)) return state.SkipWithError(problem);
    CLumoApi& api = *session.api;
    varnel::program::DeviceLock lock;
    ProtocolFloorMeter meter;
    std::vector<double> uploadMs;
    for (auto _ : state) {
        meter.Reset();
        const auto start = std::chrono::steady_clock::now();
        if (!varnel::program::UploadKeypadMacros(api, lock, nullptr)) {
            return state.SkipWithError("upload failed");
        }
        api.SendDeviceCommand(varnel::program::kCommandConfigurationChanged);
        uploadMs.push_back(MillisecondsSince(start));
    }
    ReportFloor(state, meter, api.GetDeviceImageSize() + 4);
    ReportRatios(state, uploadMs, meter.FloorMs());
}
BENCHMARK(MacroUploadUsbFs)->Unit(benchmark::kMillisecond)->Iterations(7)->UseRealTime();

void MacroReadUsbFs(benchmark::State& state) {
    Session session({"--timing", "usb-fs"});
    if (const char* problem = FillKeypadCollection(session)) return state.SkipWithError(problem);
    CLumoApi& api = *session.api;
    varnel::program::DeviceLock lock;
    if (!varnel::program::UploadKeypadMacros(api, lock, nullptr)) {
        return state.SkipWithError("upload failed");
    }
    const uint32_t imageBytes = api.GetDeviceImageSize() + 4;
    ProtocolFloorMeter meter;
    std::vector<double> readMs;
    for (auto _ : state) {
        api.ClearDeviceMacros();
        meter.Reset();
        const auto start = std::chrono::steady_clock::now();
        const int result = api.ReadDeviceMacros(varnel::program::kMacroAreaAddress,
                                                varnel::program::kMacroAreaSize);
        readMs.push_back(MillisecondsSince(start));
        if (result == 0 || api.GetDeviceMacroCount() != kKeypadMacros) {
            return state.SkipWithError("read-back failed");
        }
    }
    ReportFloor(state, meter, imageBytes);
    ReportRatios(state, readMs, meter.FloorMs());
}
BENCHMARK(MacroReadUsbFs)->Unit(benchmark::kMillisecond)->Iterations(9)->UseRealTime();

void EncodeAndBuildImage(benchmark::State& state) {
    CLumoApi* api = nullptr;
    long error = 0;
    CreateLumoApi(&api, &error);
    const EditorMacro macro = TypingMacro(u"Long", kLongMacroSteps / 2);
    uint32_t imageBytes = 0;
    for (auto _ : state) {
        api->ClearDeviceMacros();
        api->AddDeviceMacro(varnel::program::EncodeListMacro(*api, macro));
        const uint32_t size = api->GetDeviceImageSize();
        const std::vector<uint8_t> image = varnel::BuildDeviceImage(varnel::DeviceMacros());
        benchmark::DoNotOptimize(image.data());
        imageBytes = size + 4;
    }
    api->ClearDeviceMacros();
    DestroyLumoApi(api);
    state.counters["items"] = static_cast<double>(macro.items.size());
    state.counters["image_bytes"] = imageBytes;
    state.SetLabel("us per macro, encoded and imaged");
}
BENCHMARK(EncodeAndBuildImage)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
