#include "macro_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "lumo_api_library.h"
#include "recording_host.h"
#include "settings_store.h"

namespace varnel::testing {
namespace {

constexpr char16_t kKeyPath[] = u"SOFTWARE\\VarnelKeypad\\VARNELKEYPAD\\Initialization";

// Each test gets a settings folder of its own; the library's save at exit goes to the folder the
// test run names.
class MacroSettingsTest : public ::testing::Test {
  protected:
    MacroSettingsTest() {
        const char* previous = std::getenv("XDG_CONFIG_HOME");
        m_strPrevious = previous ? previous : "";
        char pattern[] = "/tmp/varnel-settings-XXXXXX";
        m_strFolder = ::mkdtemp(pattern);
        ::setenv("XDG_CONFIG_HOME", m_strFolder.c_str(), 1);
    }
    ~MacroSettingsTest() override {
        ::setenv("XDG_CONFIG_HOME", m_strPrevious.c_str(), 1);
        std::filesystem::remove_all(m_strFolder);
    }

    std::string FileText() {
        std::ifstream in(SettingsFilePath());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    RecordingHost m_Host;  // virtual screen 2560 x 1440
    CLumoAPILibrary m_Api;
    std::string m_strFolder;
    std::string m_strPrevious;
};

TEST_F(MacroSettingsTest, ANewKeyReadsEveryDefaultAndTheScreenSize) {
    m_Api.SetSettingsKey(kKeyPath);
    EXPECT_EQ(m_Api.GetGameWidth(), 2560u);
    EXPECT_EQ(m_Api.GetGameHeight(), 1440u);
    EXPECT_EQ(m_Api.GetRecordKey(), 122u);
    EXPECT_EQ(m_Api.GetPositionCaptureKey(), 121u);
    EXPECT_EQ(m_Api.GetRecordMouseDistance(), 10u);
    EXPECT_EQ(m_Api.GetRecordEventInterval(), 20u);
    EXPECT_EQ(m_Api.GetDefaultDelay(), 33u);
    // RecOptions 0xB7: bits 0, 1, 2, 4, 5 and 7.
    const uint32_t bits[] = {m_Api.GetRecordOption0(), m_Api.GetRecordOption1(),
                             m_Api.GetRecordOption2(), m_Api.GetRecordOption3(),
                             m_Api.GetRecordOption4(), m_Api.GetRecordOption7(),
                             m_Api.GetRecordOption8()};
    EXPECT_EQ(std::vector<uint32_t>(std::begin(bits), std::end(bits)),
              (std::vector<uint32_t>{1, 1, 1, 0, 1, 1, 0}));
}

TEST_F(MacroSettingsTest, SavedValuesComeBackAndMissingOnesReadAsDefaults) {
    m_Api.SetSettingsKey(kKeyPath);
    m_Api.SetGameWidth(1024);
    m_Api.SetRecordKey(0x7A);
    m_Api.SetDefaultDelay(250);
    m_Api.SaveSettings();
    EXPECT_NE(FileText().find("[SOFTWARE\\VarnelKeypad\\VARNELKEYPAD\\Initialization]\n"),
              std::string::npos);
    EXPECT_NE(FileText().find("DelayTime=250\n"), std::string::npos);

    // Another program's values in the same key, and a value removed by hand.
    std::string text = FileText();
    text.replace(text.find("DelayTime=250\n"), 14, "");
    std::ofstream(SettingsFilePath()) << text << "[Other]\nX=1\n";
    m_Api.SetDefaultDelay(1);
    m_Api.LoadSettings();
    EXPECT_EQ(m_Api.GetGameWidth(), 1024u);
    EXPECT_EQ(m_Api.GetRecordKey(), 0x7Au);
    EXPECT_EQ(m_Api.GetDefaultDelay(), 33u) << "missing value reads as its default";
    m_Api.SaveSettings();
    EXPECT_NE(FileText().find("[Other]\nX=1\n"), std::string::npos) << "other keys kept";
}

TEST_F(MacroSettingsTest, SettersChangeOnlyMemoryUntilSaved) {
    m_Api.SetSettingsKey(kKeyPath);
    m_Api.SetRecordMouseDistance(99);
    m_Api.LoadSettings();
    EXPECT_EQ(m_Api.GetRecordMouseDistance(), 10u);
}

TEST_F(MacroSettingsTest, AStoreThatCannotBeReadGivesZeroForEveryValue) {
    std::filesystem::create_directories(SettingsFilePath());  // a folder where the file belongs
    m_Api.SetSettingsKey(kKeyPath);
    EXPECT_EQ(m_Api.GetGameWidth(), 0u);
    EXPECT_EQ(m_Api.GetRecordKey(), 0u);
    EXPECT_EQ(m_Api.GetRecordOption0(), 0u);
    m_Api.SaveSettings();  // cannot be written either: nothing happens
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFilePath()));
}

TEST_F(MacroSettingsTest, RecordOptionBitsChangeAloneAndTakeOnlyTheLowestBitOfTheFlag) {
    m_Api.SetSettingsKey(kKeyPath);
    m_Api.SetRecordOption7(0);
    m_Api.SetRecordOption3(2);  // lowest bit 0: clears
    m_Api.SetRecordOption8(3);  // lowest bit 1: sets
    m_Api.SaveSettings();
    EXPECT_NE(FileText().find("RecOptions=311\n"), std::string::npos) << FileText();  // 0x137
    EXPECT_EQ(m_Api.GetRecordOption7(), 0u);
    EXPECT_EQ(m_Api.GetRecordOption8(), 1u);
}

TEST_F(MacroSettingsTest, TheObjectTakesItsScreenSizeFromTheSettingsAtCreation) {
    m_Api.SetSettingsKey(kKeyPath);
    m_Api.SetGameWidth(800);
    m_Api.SetGameHeight(600);
    CLumoAPILibrary later;
    EXPECT_EQ(later.m_wGameWidth, 800);
    EXPECT_EQ(later.m_wGameHeight, 600);
}

}  // namespace
}  // namespace varnel::testing
