// Key assignments, profiles, NumLock sync, factory reset and backups with varnelctl against a
// running keypad simulator, checked by what the simulated keypad plays when a key is pressed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "process_runner.h"

namespace varnel::e2e {
namespace {

namespace fs = std::filesystem;

class VarnelctlKeymapTest : public ::testing::Test {
  protected:
    VarnelctlKeymapTest() {
        m_Folder = fs::temp_directory_path() /
                   ("varnelctl-keymap-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_Folder);
    }
    ~VarnelctlKeymapTest() override { fs::remove_all(m_Folder); }
    void SetUp() override {
        ASSERT_TRUE(m_Sim.Ready()) << "simulator did not start";
        // A fresh keypad's map is erased: start from an empty, valid one.
        ASSERT_EQ(Ctl({"keymap", "clear"}).exitCode, 0);
    }

    // varnelctl with the program's settings and documents inside the test's folder.
    CommandResult Ctl(const std::vector<std::string>& args) {
        return RunProgram(
            VARNELCTL_PATH, args,
            {"VARNEL_HID=" + m_Sim.HidSpec(), "XDG_CONFIG_HOME=" + (m_Folder / "config").string(),
             "XDG_DOCUMENTS_DIR=" + (m_Folder / "documents").string(),
             "XDG_RUNTIME_DIR=" + m_Folder.string()});
    }
    std::string Press(const std::string& key) { return m_Sim.Control({"press", key}).out; }
    std::string Path(const std::string& name) const { return (m_Folder / name).string(); }
    std::string ProfileFile(const std::string& name) const {
        return (m_Folder / "documents" / "Varnel" / (name + ".VPD")).string();
    }
    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    SimulatorProcess m_Sim;
    fs::path m_Folder;
};

TEST_F(VarnelctlKeymapTest, WhatIsSetIsWhatTheKeypadPlays) {
    struct Case {
        std::string key, function, plays;
    };
    const Case cases[] = {
        {"5", "mouse:left", "mouse: left"},
        {"F1", "Ctrl+Alt+Del", "keyboard: Left Ctrl + Left Alt + Delete"},
        {"ENTER", "media:volume-up", "media: volume up"},
        {"#7", "calculator", "calculator"},
        {"DEL", "macro-stop", "macro stop"},
    };
    for (const Case& c : cases) {
        const CommandResult set = Ctl({"keymap", "set", c.key, c.function});
        ASSERT_EQ(set.exitCode, 0) << c.function << ": " << set.err;
        EXPECT_NE(Press(c.key).find(c.plays), std::string::npos) << c.function << "\n"
                                                                 << Press(c.key);
    }
    ASSERT_EQ(Ctl({"keymap", "reset", "5"}).exitCode, 0);
    EXPECT_NE(Press("5").find("default: 5"), std::string::npos);
    const CommandResult shown = Ctl({"keymap", "show"});
    EXPECT_NE(shown.out.find("F1       Ctrl+Alt+Del"), std::string::npos) << shown.out;
    // Functions shown by a picture are named too, not taken for the key's default.
    EXPECT_NE(shown.out.find("-        CALCULATOR"), std::string::npos) << shown.out;  // key #7
    EXPECT_NE(shown.out.find("ENTER    Volume Up"), std::string::npos) << shown.out;
}

TEST_F(VarnelctlKeymapTest, AMacroAssignmentPlaysThatMacro) {
    std::ofstream(Path("paste.mcr"))
        << "Keyboard : ControlLeft : KeyDown\r\nKeyboard : V : KeyPress\r\n"
           "Keyboard : ControlLeft : KeyUp\r\n";
    ASSERT_EQ(Ctl({"macro", "file", "import", Path("paste.mcr"), "--into", Path("m.vmf")}).exitCode,
              0);
    ASSERT_EQ(Ctl({"macro", "device", "upload", Path("m.vmf")}).exitCode, 0);
    const CommandResult set = Ctl({"keymap", "set", "3", "macro:paste"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const std::string plays = Press("3");
    EXPECT_NE(plays.find("macro 1: \"paste\""), std::string::npos) << plays;
    EXPECT_NE(plays.find("code 0x8001"), std::string::npos) << plays;
}

TEST_F(VarnelctlKeymapTest, DeletingAKeypadMacroRenumbersTheKeysThatRunLaterOnes) {
    for (const char* name : {"first", "second"}) {
        std::ofstream(Path(std::string(name) + ".mcr")) << "Keyboard : A : KeyPress\r\n";
        ASSERT_EQ(Ctl({"macro", "file", "import", Path(std::string(name) + ".mcr"), "--into",
                       Path("m.vmf")})
                      .exitCode,
                  0);
    }
    ASSERT_EQ(Ctl({"macro", "device", "upload", Path("m.vmf")}).exitCode, 0);
    ASSERT_EQ(Ctl({"keymap", "set", "3", "macro:second"}).exitCode, 0);
    ASSERT_EQ(Ctl({"keymap", "set", "4", "macro:first"}).exitCode, 0);
    ASSERT_EQ(Ctl({"profile", "add"}).exitCode, 0);
    ASSERT_EQ(Ctl({"profile", "save", "Profile0"}).exitCode, 0);
    EXPECT_NE(Press("3").find("macro 2: \"second\""), std::string::npos) << Press("3");

    const CommandResult deleted = Ctl({"macro", "device", "delete", "1"});
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err;
    EXPECT_NE(Press("3").find("macro 1: \"second\""), std::string::npos) << Press("3");
    EXPECT_NE(Press("4").find("default"), std::string::npos) << Press("4");
    const CommandResult profile = Ctl({"profile", "show", "Profile0"});
    EXPECT_NE(profile.out.find("3        second"), std::string::npos) << profile.out;
    EXPECT_NE(profile.out.find("4        -"), std::string::npos) << profile.out;
}

TEST_F(VarnelctlKeymapTest, AnAppliedProfileIsWhatTheKeypadPlays) {
    ASSERT_EQ(Ctl({"keymap", "set", "9", "mouse:right"}).exitCode, 0);
    ASSERT_EQ(Ctl({"profile", "add"}).exitCode, 0);
    ASSERT_EQ(Ctl({"profile", "save", "Profile0"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(ProfileFile("Profile0")).size(), 2313u);
    ASSERT_EQ(Ctl({"keymap", "set", "9", "media:mute"}).exitCode, 0);
    EXPECT_NE(Press("9").find("media: mute"), std::string::npos);

    const CommandResult cancelled = Ctl({"profile", "apply", "Profile0"});  // no terminal to ask
    EXPECT_EQ(cancelled.exitCode, 1);
    EXPECT_NE(Press("9").find("media: mute"), std::string::npos);
    const CommandResult applied = Ctl({"profile", "apply", "Profile0", "--discard"});
    ASSERT_EQ(applied.exitCode, 0) << applied.err;
    EXPECT_NE(Press("9").find("mouse: right"), std::string::npos);
}

TEST_F(VarnelctlKeymapTest, BackupFactoryResetAndRestoreGiveBackTheSameKeypad) {
    ASSERT_EQ(Ctl({"keymap", "set", "F2", "Shift+F10"}).exitCode, 0);
    ASSERT_EQ(Ctl({"numlock-sync", "on"}).exitCode, 0);
    ASSERT_EQ(Ctl({"step", "6"}).exitCode, 0);
    ASSERT_EQ(Ctl({"profile", "add"}).exitCode, 0);
    const CommandResult backup = Ctl({"backup", Path("keypad.bak")});
    ASSERT_EQ(backup.exitCode, 0) << backup.err;

    const CommandResult reset = Ctl({"factory-reset", "--yes"});
    ASSERT_EQ(reset.exitCode, 0) << reset.err;
    EXPECT_NE(Press("F2").find("default"), std::string::npos);
    EXPECT_EQ(Ctl({"step"}).out, "Step 4\n");
    EXPECT_FALSE(fs::exists(ProfileFile("Profile0")));

    const CommandResult restore = Ctl({"restore", Path("keypad.bak")});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_NE(Press("F2").find("Left Shift + F10"), std::string::npos) << Press("F2");
    EXPECT_EQ(Ctl({"numlock-sync"}).out, "NumLock sync on\n");
    ASSERT_EQ(Ctl({"backup", Path("again.bak")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(Path("again.bak")), ReadBytes(Path("keypad.bak")));
}

TEST_F(VarnelctlKeymapTest, BadInputChangesNeitherTheKeypadNorTheFiles) {
    ASSERT_EQ(Ctl({"keymap", "set", "1", "mouse:middle"}).exitCode, 0);
    ASSERT_EQ(Ctl({"profile", "add"}).exitCode, 0);
    const std::string profile = ReadBytes(ProfileFile("Profile0"));
    std::ofstream(Path("damaged.bak"), std::ios::binary) << std::string(100, 'x');
    const std::string before = m_Sim.Control({"state"}).out;
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"keymap", "set", "F5", "mouse:left"}, 2},
        {{"keymap", "set", "1", "Ctrl+Frobnicate"}, 2},
        {{"keymap", "set", "1", "Ctrl+Q+W+E+R+T+Y"}, 2},
        {{"keymap", "set", "1", "macro:9"}, 2},
        {{"profile", "apply", "Nobody", "--discard"}, 2},
        {{"profile", "rename", "Profile0", "../outside"}, 2},
        {{"restore", Path("damaged.bak")}, 1},
        {{"numlock-sync", "maybe"}, 2},
    };
    for (const Case& c : cases) {
        const CommandResult r = Ctl(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << c.args[1] << ": " << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(m_Sim.Control({"state"}).out, before);
    EXPECT_EQ(ReadBytes(ProfileFile("Profile0")), profile);
    EXPECT_FALSE(fs::exists(m_Folder / "outside.VPD"));
}

}  // namespace
}  // namespace varnel::e2e
