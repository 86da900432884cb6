// varnelctl's macro commands against a running keypad simulator: files made by import and
// merge, macros copied onto the keypad, and every refusal leaving file and keypad as they were.
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

class VarnelctlMacroTest : public ::testing::Test {
  protected:
    VarnelctlMacroTest() {
        m_Folder = fs::temp_directory_path() /
                   ("varnelctl-macro-" +
                    std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_Folder);
    }
    ~VarnelctlMacroTest() override { fs::remove_all(m_Folder); }
    void SetUp() override { ASSERT_TRUE(m_Sim.Ready()) << "simulator did not start"; }

    CommandResult Ctl(const std::vector<std::string>& args) { return RunVarnelctl(m_Sim, args); }

    std::string Path(const std::string& name) const { return (m_Folder / name).string(); }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // A recorder file named NAME.mcr that types `key`, imported into FILE.vmf as macro NAME.
    void ImportMacro(const std::string& name, const std::string& key, const std::string& vmf) {
        const std::string mcr = Path(name + ".mcr");
        WriteBytes(mcr, "Keyboard : " + key + " : KeyDown\r\nDELAY : 20\r\nKeyboard : " + key +
                            " : KeyUp\r\n");
        const CommandResult r = Ctl({"macro", "file", "import", mcr, "--into", Path(vmf)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }

    // The simulator's account of its macro area, as JSON.
    std::string KeypadMacroArea() {
        const CommandResult state = m_Sim.Control({"state", "--json"});
        const size_t at = state.out.find("\"macroArea\"");
        return at == std::string::npos ? state.out : state.out.substr(at);
    }

    SimulatorProcess m_Sim;
    fs::path m_Folder;
};

TEST_F(VarnelctlMacroTest, ImportedMacrosGoOntoTheKeypadAndComeOffAgain) {
    ImportMacro("copy", "ControlLeft", "set.vmf");
    ImportMacro("hello", "H", "set.vmf");
    const CommandResult show = Ctl({"macro", "file", "show", Path("set.vmf")});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    EXPECT_NE(show.out.find("Macro 2: hello"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("Keyboard Left CONTROL KEY Down"), std::string::npos) << show.out;

    const CommandResult upload = Ctl({"macro", "device", "upload", Path("set.vmf")});
    ASSERT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(upload.out,
              " 1. copy                     2 cells  once\n"
              " 2. hello                    2 cells  once\n"
              "224 of 61440 bytes used\n");
    EXPECT_NE(KeypadMacroArea().find(R"("count":2,"usedBytes":224)"), std::string::npos);

    const CommandResult device = Ctl({"macro", "device", "show", "2"});
    ASSERT_EQ(device.exitCode, 0) << device.err;
    EXPECT_NE(device.out.find("Macro 2: hello"), std::string::npos) << device.out;
    EXPECT_NE(device.out.find("Keyboard H KEY Down"), std::string::npos) << device.out;

    ASSERT_EQ(Ctl({"macro", "device", "delete", "1"}).exitCode, 0);
    const CommandResult list = Ctl({"--json", "macro", "device", "list"});
    EXPECT_EQ(list.out, R"({"macros":[{"number":1,"name":"hello","cells":2,"repeat":0}],)"
                        R"("bytes_used":176,"capacity":61440})"
                        "\n");

    ASSERT_EQ(Ctl({"macro", "device", "clear"}).exitCode, 0);
    EXPECT_NE(KeypadMacroArea().find(R"("magic":false)"), std::string::npos);
}

TEST_F(VarnelctlMacroTest, RefusedUploadsLeaveFileAndKeypadAsTheyWere) {
    ImportMacro("copy", "C", "set.vmf");
    ASSERT_EQ(Ctl({"macro", "device", "upload", Path("set.vmf")}).exitCode, 0);
    const std::string file = ReadBytes(Path("set.vmf"));
    WriteBytes(Path("damaged.vmf"), file.substr(0, file.size() - 7));
    const std::string keypad = KeypadMacroArea();

    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {{"macro", "device", "upload", Path("missing.vmf")}, 1, "Cannot read the macro file"},
        {{"macro", "device", "upload", Path("damaged.vmf")}, 1, "is damaged"},
        {{"macro", "device", "upload", Path("set.vmf"), "paste"}, 2, "no macro named \"paste\""},
        {{"macro", "device", "upload", Path("set.vmf"), "--no"}, 1, "Nothing was uploaded"},
        {{"macro", "device", "upload", Path("set.vmf"), "--yes", "--no"}, 2, "--yes"},
        {{"macro", "device", "delete", "2"}, 2, "not a keypad macro number (1 to 1)"},
        {{"macro", "device", "show", "x"}, 2, "not a keypad macro number"},
        {{"macro", "device", "frobnicate"}, 2, "list, show, upload, delete or clear"},
    };
    for (const Case& c : cases) {
        const CommandResult r = Ctl(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[3] << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadBytes(Path("set.vmf")), file);
    EXPECT_EQ(KeypadMacroArea(), keypad);
}

TEST_F(VarnelctlMacroTest, ATwentyFourthMacroIsRefusedAndNothingIsUploaded) {
    for (int i = 0; i < 24; ++i) ImportMacro("m" + std::to_string(i), "A", "many.vmf");
    const std::string keypad = KeypadMacroArea();
    const CommandResult r = Ctl({"macro", "device", "upload", Path("many.vmf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("23"), std::string::npos) << r.err;
    EXPECT_EQ(KeypadMacroArea(), keypad);
}

TEST_F(VarnelctlMacroTest, MergeAsksBeforeReplacingAMacroOfTheSameName) {
    ImportMacro("copy", "C", "target.vmf");
    ImportMacro("copy", "X", "source.vmf");
    ImportMacro("paste", "V", "source.vmf");
    const std::string before = ReadBytes(Path("target.vmf"));

    const CommandResult keep =
        Ctl({"macro", "file", "merge", Path("source.vmf"), "--into", Path("target.vmf"), "--no"});
    ASSERT_EQ(keep.exitCode, 0) << keep.err;
    EXPECT_EQ(keep.out, Path("target.vmf") + ": 2 macros (1 added)\n");
    EXPECT_NE(Ctl({"macro", "file", "show", Path("target.vmf")}).out.find("Keyboard C KEY"),
              std::string::npos);

    const CommandResult replace =
        Ctl({"macro", "file", "merge", Path("source.vmf"), "--into", Path("target.vmf"), "--yes"});
    ASSERT_EQ(replace.exitCode, 0) << replace.err;
    const std::string merged = Ctl({"macro", "file", "show", Path("target.vmf")}).out;
    EXPECT_NE(merged.find("Keyboard X KEY"), std::string::npos) << merged;
    EXPECT_EQ(merged.find("Keyboard C KEY"), std::string::npos) << merged;

    WriteBytes(Path("damaged.vmf"), before.substr(0, 10));
    const std::string now = ReadBytes(Path("target.vmf"));
    const CommandResult bad =
        Ctl({"macro", "file", "merge", Path("damaged.vmf"), "--into", Path("target.vmf")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(ReadBytes(Path("target.vmf")), now);
}

}  // namespace
}  // namespace varnel::e2e
