// The keypad's macro area as the library reads it back: the head from the first 128 bytes, then
// the macros out of the read buffer. The input is parsed twice: as the read buffer itself, with no
// byte after it, so that any read past the buffer shows; and as the reading does it, the head's
// stated size copied into a zeroed buffer of the area's size. A refused buffer leaves the list
// alone; an accepted one gives as many macros as the head counts (30 at most); and any list whose
// cell counts match its cells and that fits the area builds an image that reads back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "device_image.h"

namespace {

using varnel::kMacroAreaSize;
using varnel::kMaxDeviceMacros;

constexpr uint16_t kNoCells = 0xFFFF;

bool SameMacro(const DeviceMacro& a, const DeviceMacro& b) {
    const auto same = [](const MacroCell& x, const MacroCell& y) {
        return std::memcmp(&x, &y, sizeof x) == 0;
    };
    return std::memcmp(&a.header, &b.header, sizeof a.header) == 0 &&
           std::equal(a.cells.begin(), a.cells.end(), b.cells.begin(), b.cells.end(), same);
}

bool SameList(const std::vector<DeviceMacro>& a, const std::vector<DeviceMacro>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameMacro);
}

// What the list held before the read: one macro with one cell.
std::vector<DeviceMacro> StaleList() {
    DeviceMacro macro;
    std::memcpy(macro.header.name, "stale", 5);
    macro.header.cellCount = 1;
    macro.cells.push_back({0x8001, 33, {4, 0, 0, 0, 0, 0}});
    return {macro};
}

bool CellCountsMatch(const std::vector<DeviceMacro>& list) {
    return std::all_of(list.begin(), list.end(), [](const DeviceMacro& macro) {
        const size_t stated = macro.header.cellCount == kNoCells ? 0 : macro.header.cellCount;
        return macro.cells.size() == stated;
    });
}

void CheckRoundTrip(const std::vector<DeviceMacro>& list) {
    if (list.empty() || !CellCountsMatch(list) || !varnel::DeviceImageFits(list)) return;
    const std::vector<uint8_t> image = varnel::BuildDeviceImage(list);
    std::vector<DeviceMacro> again;
    if (!varnel::ParseDeviceImage(image, varnel::ParseDeviceImageHead(image), again)) {
        __builtin_trap();
    }
    if (!SameList(again, list)) __builtin_trap();
}

void CheckParse(std::span<const uint8_t> buffer, const varnel::DeviceImageHead& head) {
    const std::vector<DeviceMacro> stale = StaleList();
    std::vector<DeviceMacro> list = stale;
    if (!varnel::ParseDeviceImage(buffer, head, list)) {
        if (!SameList(list, stale)) __builtin_trap();
        return;
    }
    if (list.size() != std::min(head.count, kMaxDeviceMacros)) __builtin_trap();
    CheckRoundTrip(list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    CheckParse(input, varnel::ParseDeviceImageHead(input));

    // memset and memcpy rather than loops, which the instrumentation would check byte by byte.
    static uint8_t area[kMacroAreaSize];
    std::memset(area, 0, sizeof area);
    std::memcpy(area, data, std::min<size_t>(size, varnel::kImageHeaderSize));
    const varnel::DeviceImageHead head =
        varnel::ParseDeviceImageHead({area, varnel::kImageHeaderSize});
    if (!head.magic) return 0;
    std::memset(area, 0, sizeof area);
    const size_t stated = std::min<size_t>(head.DataSize(), kMacroAreaSize);
    std::memcpy(area, data, std::min(size, stated));
    CheckParse(area, head);
    return 0;
}
