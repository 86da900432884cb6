#include "firmware_marker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::sim {
namespace {

// An erased 8 KiB flash with the given records written at their offsets.
std::vector<uint8_t> Flash(std::initializer_list<std::pair<size_t, std::string>> records) {
    std::vector<uint8_t> flash(0x2000, 0xFF);
    for (const auto& [offset, record] : records) {
        std::copy(record.begin(), record.end(), flash.begin() + static_cast<ptrdiff_t>(offset));
    }
    return flash;
}

const std::string kRecord125 = std::string("VARNELFW") + '\x01' + '\x02' + '\x05';
const std::string kRecord300 = std::string("VARNELFW") + '\x03' + '\x00' + '\x00';

TEST(FirmwareMarker, FoundOnlyWhollyInsideTheFirstFourKilobytes) {
    struct Case {
        const char* name;
        std::vector<uint8_t> flash;
        std::optional<FirmwareVersion> version;
    };
    const Case cases[] = {
        {"at the start", Flash({{0, kRecord125}}), FirmwareVersion{1, 2, 5}},
        {"ending on byte 4095", Flash({{4085, kRecord125}}), FirmwareVersion{1, 2, 5}},
        {"version bytes past 4 KiB", Flash({{4086, kRecord125}}), std::nullopt},
        {"past 4 KiB", Flash({{5000, kRecord125}}), std::nullopt},
        {"first of two", Flash({{900, kRecord300}, {1200, kRecord125}}), FirmwareVersion{3, 0, 0}},
        {"misspelt", Flash({{0, "VARNELFX\x01\x02\x05"}}), std::nullopt},
        {"erased", Flash({}), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindFirmwareMarker(c.flash), c.version);
    }
    EXPECT_EQ(FindFirmwareMarker(std::vector<uint8_t>(kRecord125.begin(), kRecord125.end())),
              (FirmwareVersion{1, 2, 5}));
    EXPECT_EQ(FindFirmwareMarker(std::vector<uint8_t>(kRecord125.begin(), kRecord125.end() - 1)),
              std::nullopt);
}

}  // namespace
}  // namespace varnel::sim
