#include "status_report.h"

#include <gtest/gtest.h>

#include <string>

#include "boot_data_block.h"

namespace varnel::sim {
namespace {

std::string Record(uint8_t major, uint8_t minor, uint8_t patch) {
    return std::string("VARNELFW") + char(major) + char(minor) + char(patch);
}

PersistentState WithApplication(const std::string& bytes) {
    PersistentState state;
    state.mode = KeypadMode::BootLoader;
    state.applicationFlash.Program(
        0x40, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    return state;
}

TEST(StatusReport, ShowsTheModeWhatTheApplicationFlashHoldsAndTheBootDataIdentity) {
    struct Case {
        const char* name;
        PersistentState state;
        const char* textLine;
        const char* jsonPart;
    };
    PersistentState tail;
    PutBootDataIdentity(tail.dataArea, kDefaultApplicationIdentity, BootDataLayout::Tail);
    const Case cases[] = {
        {"erased", PersistentState{}, "application image: none (erased)\n",
         "\"applicationImage\":{\"erased\":true,\"marker\":null}"},
        {"without marker", WithApplication("firmware"), "application image: no version marker\n",
         "\"applicationImage\":{\"erased\":false,\"marker\":null}"},
        {"with marker", WithApplication(Record(1, 0x10, 4)),
         "application image: version 1.104 (1.16.4)\n",
         "\"marker\":{\"firmware\":\"1.104\",\"firmwareBytes\":[1,16,4]}"},
        {"boot data identity", std::move(tail), "boot data identity: tail\n",
         "\"bootDataIdentity\":\"tail\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DeviceModel model(kDefaultApplicationIdentity, c.state);
        const SimulatorStatus status{&model, true, true, TimingModel::Instant, {}};
        const std::string text = FormatStatusText(status);
        const std::string json = FormatStatusJson(status);
        EXPECT_NE(text.find(c.textLine), std::string::npos) << text;
        EXPECT_NE(json.find(c.jsonPart), std::string::npos) << json;
        const char* mode = ModeName(c.state.mode);
        EXPECT_NE(text.find(std::string("mode: ") + mode + "\n"), std::string::npos) << text;
        EXPECT_NE(json.find(std::string("\"mode\":\"") + mode + "\""), std::string::npos) << json;
    }
}

}  // namespace
}  // namespace varnel::sim
