// Firmware updates with varnelctl against a running keypad simulator: the whole cycle, an update
// cut short by unplugging and completed by running it again, a failed verification, and files
// refused before the keypad is touched.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "process_runner.h"

namespace varnel::e2e {
namespace {

namespace fs = std::filesystem;

class VarnelctlFirmwareTest : public ::testing::Test {
  protected:
    VarnelctlFirmwareTest() {
        m_Folder = fs::temp_directory_path() /
                   ("varnelctl-firmware-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_Folder);
    }
    ~VarnelctlFirmwareTest() override { fs::remove_all(m_Folder); }
    void SetUp() override { ASSERT_TRUE(m_Sim.Ready()) << "simulator did not start"; }

    CommandResult Ctl(const std::vector<std::string>& args) { return RunVarnelctl(m_Sim, args); }
    std::string Path(const std::string& name) const { return (m_Folder / name).string(); }

    // An application image of `size` bytes that the simulated keypad reports as `version`,
    // packed into an update file for `productId`.
    std::string UpdateFile(const std::string& name, size_t size, std::vector<char> version,
                           const std::string& productId = "C008") {
        std::string image(size, '\0');
        for (size_t i = 0; i < size; ++i) image[i] = static_cast<char>(i * 13 + 5);
        image.replace(64, 11, "VARNELFW" + std::string(version.begin(), version.end()));
        std::ofstream(Path(name + ".bin"), std::ios::binary) << image;
        const CommandResult pack = Ctl({"firmware", "pack", Path(name + ".bin"), "--vid", "1C6C",
                                        "--pid", productId, "-o", Path(name + ".quf")});
        EXPECT_EQ(pack.exitCode, 0) << pack.err;
        return Path(name + ".quf");
    }

    std::string State() { return m_Sim.Control({"state"}).out; }

    void WaitForBootLoader() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (Ctl({"list"}).out != "060B:2320  boot loader\n") {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no boot loader";
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    SimulatorProcess m_Sim;
    fs::path m_Folder;
};

TEST_F(VarnelctlFirmwareTest, AnUpdateEndsWithTheKeypadRunningTheNewVersion) {
    const std::string file = UpdateFile("v125", 3000, {1, 2, 5});
    const CommandResult inspect = Ctl({"firmware", "inspect", file});
    EXPECT_NE(inspect.out.find("Keypad:   1C6C:C008\nImage:    3000 bytes\nFits:     yes"),
              std::string::npos)
        << inspect.out;

    const CommandResult flash = Ctl({"firmware", "flash", file, "--yes"});
    ASSERT_EQ(flash.exitCode, 0) << flash.err;
    EXPECT_EQ(flash.out, "Firmware updated; the keypad runs version 1.25.\n");
    EXPECT_NE(flash.err.find("100%"), std::string::npos) << "progress is shown";
    EXPECT_EQ(Ctl({"--json", "info"}).out,
              R"({"mode":"application","identity":"1C6C:C008","firmware":"1.25",)"
              R"("firmware_bytes":[1,2,5],"step":1})"
              "\n");
}

TEST_F(VarnelctlFirmwareTest, AnUpdateCutShortByUnpluggingIsCompletedByRunningItAgain) {
    const std::string file = UpdateFile("v200", 6000, {2, 0, 0});
    ASSERT_EQ(Ctl({"raw", "command", "F4", "01"}).exitCode, 0);
    WaitForBootLoader();
    // The three reads of the data block take 222 reports; programming starts after them.
    ASSERT_EQ(m_Sim.Control({"fault", "unplug-after:260"}).exitCode, 0);
    const CommandResult cut = Ctl({"firmware", "flash", file, "--yes"});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_NE(cut.err.find("Error Update("), std::string::npos) << cut.err;
    EXPECT_NE(cut.err.find("Run firmware flash again"), std::string::npos) << cut.err;

    ASSERT_EQ(m_Sim.Control({"plug"}).exitCode, 0);
    EXPECT_NE(State().find("mode: boot-loader"), std::string::npos);
    const CommandResult again = Ctl({"firmware", "flash", file, "--yes"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "Firmware updated; the keypad runs version 2.00.\n");
}

TEST_F(VarnelctlFirmwareTest, AFailedVerificationShowsBothMessagesAndStops) {
    const std::string file = UpdateFile("v110", 3000, {1, 1, 0});
    ASSERT_EQ(Ctl({"raw", "command", "F4", "01"}).exitCode, 0);
    WaitForBootLoader();
    ASSERT_EQ(m_Sim.Control({"fault", "verify-mismatch:3"}).exitCode, 0);
    const CommandResult r = Ctl({"firmware", "flash", file, "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    const size_t verify = r.err.find("Write Verifyed Failed!");
    const size_t update = r.err.find("Error Update(112/3000)!");
    ASSERT_NE(verify, std::string::npos) << r.err;
    ASSERT_NE(update, std::string::npos) << r.err;
    EXPECT_LT(verify, update);
    EXPECT_NE(State().find("mode: boot-loader"), std::string::npos);
}

TEST_F(VarnelctlFirmwareTest, FilesThatDoNotFitAreRefusedBeforeTheKeypadIsTouched) {
    const std::string other = UpdateFile("other", 3000, {9, 9, 9}, "C009");
    std::ofstream(Path("plain.bin"), std::ios::binary) << std::string(2000, 'x');
    std::string large(512 + 0x1F001, '\0');
    std::ifstream(other, std::ios::binary).read(large.data(), 512);
    std::ofstream(Path("large.quf"), std::ios::binary) << large;
    const std::string before = State();

    struct Case {
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {other, "meant for keypad 1C6C:C009"},
        {Path("plain.bin"), "not a keypad update file"},
        {Path("large.quf"), "larger than the keypad's 126976-byte application flash"},
        {Path("missing.quf"), "Cannot read"},
    };
    for (const Case& c : cases) {
        const CommandResult r = Ctl({"firmware", "flash", c.file, "--yes"});
        EXPECT_EQ(r.exitCode, 1) << c.file;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Ctl({"firmware", "flash", other}).exitCode, 1);
    EXPECT_EQ(Ctl({"firmware", "frobnicate"}).exitCode, 2);
    EXPECT_EQ(Ctl({"firmware", "pack", Path("plain.bin"), "--vid", "XYZ", "--pid", "1", "-o",
                   Path("x.quf")})
                  .exitCode,
              2);
}

}  // namespace
}  // namespace varnel::e2e
