#include "command_line.h"

#include <gtest/gtest.h>

namespace varnel::sim {
namespace {

Command Parse(std::initializer_list<const char*> words) {
    return ParseCommandLine(std::vector<std::string>(words.begin(), words.end()));
}

TEST(CommandLine, ServeTakesEveryOption) {
    const Command command = Parse({"serve",
                                   "--socket",
                                   "/tmp/k.sock",
                                   "--state=/tmp/k.state",
                                   "--timing",
                                   "usb-fs",
                                   "--fault",
                                   "drop:1",
                                   "--fault",
                                   "delay:5",
                                   "--firmware-version",
                                   "2.0x1A.7",
                                   "--vid",
                                   "0x0abc",
                                   "--pid",
                                   "D1",
                                   "--restart-delay",
                                   "50",
                                   "--unplugged",
                                   "--boot-data-identity",
                                   "tail"});
    const auto* serve = std::get_if<ServeCommand>(&command);
    ASSERT_NE(serve, nullptr);
    EXPECT_EQ(serve->server.socketPath, "/tmp/k.sock");
    EXPECT_EQ(serve->server.statePath, "/tmp/k.state");
    EXPECT_EQ(serve->server.timing, TimingModel::UsbFullSpeed);
    EXPECT_EQ(serve->server.faults,
              (std::vector<FaultRule>{{FaultKind::Drop, 1, 0}, {FaultKind::Delay, 0, 5}}));
    EXPECT_EQ(serve->firmware, (FirmwareVersion{2, 0x1A, 7}));
    EXPECT_EQ(serve->identity.vendorId, 0x0ABC);
    EXPECT_EQ(serve->identity.productId, 0x00D1);
    EXPECT_EQ(serve->server.restartDelay, std::chrono::milliseconds(50));
    EXPECT_FALSE(serve->server.startPlugged);
    EXPECT_EQ(serve->bootDataIdentity, BootDataLayout::Tail);
}

TEST(CommandLine, ServeDefaults) {
    const auto serve = std::get<ServeCommand>(Parse({"serve", "--socket", "s"}));
    EXPECT_FALSE(serve.server.statePath);
    EXPECT_EQ(serve.server.timing, TimingModel::Instant);
    EXPECT_EQ(serve.server.restartDelay, std::chrono::milliseconds(200));
    EXPECT_TRUE(serve.server.startPlugged);
    EXPECT_FALSE(serve.firmware);
    EXPECT_EQ(serve.identity.vendorId, 0x1C6C);
    EXPECT_EQ(serve.identity.productId, 0xC008);
    EXPECT_EQ(serve.bootDataIdentity, BootDataLayout::Tail);
}

TEST(CommandLine, ControlVerbsBecomeControlLines) {
    struct Case {
        std::initializer_list<const char*> words;
        const char* line;
    };
    const Case cases[] = {
        {{"plug", "--socket", "s"}, "plug"},
        {{"unplug", "--socket=s"}, "unplug"},
        {{"state", "--json", "--socket", "s"}, "state --json"},
        {{"fault", "stale:2", "--socket", "s"}, "fault stale:2"},
        {{"fault", "verify-mismatch:3", "--socket", "s"}, "fault verify-mismatch:3"},
        {{"stop", "--socket", "s"}, "stop"},
        {{"press", "Num/", "--socket", "s"}, "press Num/"},
        {{"press", "--json", "index:14", "--socket", "s"}, "press index:14 --json"},
        {{"press", "-", "--socket", "s"}, "press -"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto control = std::get<ControlCommand>(Parse(c.words));
        EXPECT_EQ(control.socketPath, "s");
        EXPECT_EQ(control.line, c.line);
    }
}

TEST(CommandLine, UsageErrors) {
    const std::initializer_list<const char*> cases[] = {
        {},
        {"dance"},
        {"serve"},
        {"serve", "--socket"},
        {"serve", "--socket", "s", "--timing", "usb-hs"},
        {"serve", "--socket", "s", "--fault", "drop"},
        {"serve", "--socket", "s", "--firmware-version", "1.0"},
        {"serve", "--socket", "s", "--firmware-version", "1.0.256"},
        {"serve", "--socket", "s", "--vid", "10000"},
        {"serve", "--socket", "s", "--restart-delay", "-5"},
        {"serve", "--socket", "s", "--unplugged=yes"},
        {"serve", "--socket", "s", "--boot-data-identity", "middle"},
        {"serve", "--socket", "s", "extra"},
        {"plug"},
        {"plug", "--socket", "s", "--json"},
        {"fault", "--socket", "s"},
        {"fault", "bogus:1", "--socket", "s"},
        {"state", "--socket", "s", "--verbose"},
        {"press", "--socket", "s"},
        {"press", "F1", "F2", "--socket", "s"},
        {"press", "F13", "--socket", "s"},
        {"press", "F1"},
    };
    for (const auto& words : cases) {
        std::string joined;
        for (const char* word : words) joined += std::string(word) + " ";
        SCOPED_TRACE(joined);
        const Command command = Parse(words);
        const auto* error = std::get_if<UsageError>(&command);
        ASSERT_NE(error, nullptr);
        EXPECT_FALSE(error->message.empty());
    }
    EXPECT_TRUE(std::holds_alternative<HelpCommand>(Parse({"serve", "--help"})));
}

}  // namespace
}  // namespace varnel::sim
