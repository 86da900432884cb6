// varnelctl and the library against a running keypad simulator.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "process_runner.h"
#include "varnel/LumoApi.h"

namespace varnel::e2e {
namespace {

class VarnelctlTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_Sim.Ready()) << "simulator did not start"; }

    CommandResult Ctl(const std::vector<std::string>& args) { return RunVarnelctl(m_Sim, args); }

    // The keypad still answers: nothing left it in a state the test did not ask for.
    void ExpectKeypadUntouched() {
        const CommandResult list = Ctl({"list"});
        EXPECT_EQ(list.exitCode, 0) << list.err;
        EXPECT_EQ(list.out, "1C6C:C008  application\n");
    }

    SimulatorProcess m_Sim;
};

TEST_F(VarnelctlTest, InfoShowsModeVersionAndStep) {
    const CommandResult text = Ctl({"info"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "Mode:     application (1C6C:C008)\nFirmware: 1.03\nStep:     1\n");
    const CommandResult json = Ctl({"--json", "info"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, R"({"mode":"application","identity":"1C6C:C008","firmware":"1.03",)"
                        R"("firmware_bytes":[1,0,3],"step":1})"
                        "\n");
}

TEST_F(VarnelctlTest, StepFiveSendsStepValueFourAndReadsBack) {
    const CommandResult select = Ctl({"step", "5"});
    ASSERT_EQ(select.exitCode, 0) << select.err;
    EXPECT_EQ(select.out, "Step 5 selected.\n");

    ASSERT_TRUE(SelectLumoTransport(m_Sim.HidSpec().c_str()));
    CLumoApi* api = nullptr;
    long error = 0;
    ASSERT_TRUE(CreateLumoApi(&api, &error));
    api->SetDeviceId(0x1C6C, 0xC008);
    EXPECT_EQ(api->QueryDevice2(0x09, 0xFF), 4) << "steps travel as 0 to 7";
    DestroyLumoApi(api);

    const CommandResult ask = Ctl({"--json", "step"});
    EXPECT_EQ(ask.out, "{\"step\":5}\n");
}

TEST_F(VarnelctlTest, RawExchangesWriteAndReadTheDataArea) {
    struct Step {
        std::vector<std::string> args;
        std::string out;
    };
    const Step steps[] = {
        {{"raw", "command", "F1", "03", "00", "00", "00", "08", "00", "00", "00", "00", "01", "00"},
         "ok\n"},
        {{"raw", "command", "F2040300", "00000100", "4B52414D"}, "ok\n"},
        {{"raw", "query", "F3", "06", "03", "00", "00", "00", "01", "00"}, "4B 52 41 4D FF FF\n"},
        {{"--json", "raw", "send", "07"}, "{\"ok\":true}\n"},
    };
    for (const Step& step : steps) {
        const CommandResult r = Ctl(step.args);
        EXPECT_EQ(r.exitCode, 0) << step.args[1] << ": " << r.err;
        EXPECT_EQ(r.out, step.out) << step.args[1];
    }
}

TEST_F(VarnelctlTest, RefusedCommandIsADeviceError) {
    // Erasing outside the data area: the keypad answers with status 0.
    const CommandResult r = Ctl({"raw", "command", "F1", "03", "00", "00", "00", "00", "00", "10"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("refused"), std::string::npos) << r.err;
}

TEST_F(VarnelctlTest, BadInputIsAUsageErrorAndSendsNothing) {
    // Any report that reached the keypad now would unplug it.
    ASSERT_EQ(m_Sim.Control({"fault", "unplug-after:1"}).exitCode, 0);
    const std::vector<std::vector<std::string>> cases = {
        {"--hid", "usb:0", "info"},
        {"raw", "query", "F3", "XY"},
        {"raw", "query", "123"},
        {"raw", "poke", "F3"},
        {"raw", "command"},
        {"step", "0"},
        {"step", "9"},
        {"step", "five"},
        {"step", "1", "2"},
        {"info", "extra"},
        {"frobnicate"},
        {"--bogus", "info"},
        {},
    };
    for (const auto& args : cases) {
        const CommandResult r = Ctl(args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(r.err.empty());
    }
    const CommandResult tooLong = Ctl({"raw", "command", std::string(130, 'A')});
    EXPECT_EQ(tooLong.exitCode, 2);
    ASSERT_EQ(m_Sim.Control({"fault", "clear"}).exitCode, 0);
    ExpectKeypadUntouched();
}

TEST_F(VarnelctlTest, UnpluggedDuringAnExchangeFailsAndIsFoundAgainAfterPlug) {
    ASSERT_EQ(m_Sim.Control({"fault", "unplug-after:1"}).exitCode, 0);
    const CommandResult during = Ctl({"info"});
    EXPECT_EQ(during.exitCode, 1) << during.out;
    const CommandResult gone = Ctl({"info"});
    EXPECT_EQ(gone.exitCode, 3);
    EXPECT_NE(gone.err.find("No keypad found."), std::string::npos);
    ASSERT_EQ(m_Sim.Control({"plug"}).exitCode, 0);
    const CommandResult again = Ctl({"info"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
}

TEST_F(VarnelctlTest, BootLoaderIsListedAndReachedByTheBootProcedures) {
    // F4 01 restarts the application into its boot loader.
    ASSERT_EQ(Ctl({"raw", "command", "F4", "01"}).exitCode, 0);
    CommandResult list;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        list = Ctl({"list"});
        if (list.out == "060B:2320  boot loader\n") break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(list.out, "060B:2320  boot loader\n");
    const CommandResult info = Ctl({"--json", "info"});
    EXPECT_EQ(info.out, "{\"mode\":\"boot loader\",\"identity\":\"060B:2320\"}\n");
    EXPECT_EQ(Ctl({"step"}).exitCode, 1) << "the boot loader has no steps";
    const CommandResult back = Ctl({"raw", "boot-command", "F4", "01"});
    EXPECT_EQ(back.out, "result 1\n");
}

TEST(VarnelctlWithoutKeypad, ReportsNoKeypadThroughEitherTransport) {
    const CommandResult hidraw = RunProgram(VARNELCTL_PATH, {"--hid", "hidapi", "list"});
    EXPECT_EQ(hidraw.exitCode, 3) << hidraw.err;

    const CommandResult r =
        RunProgram(VARNELCTL_PATH, {"--hid", "socket:/nonexistent/keypad.sock", "info"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "varnelctl: No keypad found.\n");
    const CommandResult json =
        RunProgram(VARNELCTL_PATH, {"--json", "--hid=socket:/nonexistent/keypad.sock", "list"});
    EXPECT_EQ(json.exitCode, 3);
    EXPECT_EQ(json.out, "{\"error\":\"No keypad found.\",\"exit_code\":3}\n");
}

}  // namespace
}  // namespace varnel::e2e
