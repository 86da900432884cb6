// The two library-wide macro lists through the object's operations.
#include <gtest/gtest.h>

#include <cstring>

#include "lumo_api_library.h"
#include "macro_lists.h"
#include "recording_host.h"

namespace varnel::testing {
namespace {

class MacroListsTest : public ::testing::Test {
  protected:
    MacroListsTest() {
        EditorMacros().clear();
        DeviceMacros().clear();
    }
    ~MacroListsTest() override {
        EditorMacros().clear();
        DeviceMacros().clear();
    }

    static EditorMacro Named(const std::u16string& name) {
        EditorMacro macro;
        macro.name = name;
        macro.items.push_back({kMacroItemStart, 0, 0, 0});
        return macro;
    }

    static DeviceMacro Device(const char* name, size_t length = 0) {
        DeviceMacro macro;
        std::memcpy(macro.header.name, name, length ? length : std::strlen(name));
        return macro;
    }

    RecordingHost m_Host;
    CLumoAPILibrary m_Api;
};

TEST_F(MacroListsTest, ReadingPastTheEndGivesTheEmptyMacro) {
    m_Api.AddMacro(Named(u"a"));
    const EditorMacro none = m_Api.GetMacro(1);
    EXPECT_TRUE(none.items.empty());
    EXPECT_TRUE(none.name.empty());
    EXPECT_EQ(none.playbackCursor, -1);
    for (uint32_t option : none.options) EXPECT_EQ(option, 0u);
    EXPECT_EQ(m_Api.GetMacroName(-1), u"");
    EXPECT_EQ(m_Api.GetMacro(0).name, u"a");
}

TEST_F(MacroListsTest, FindMacroSkipsTheGivenIndexAndComparesExactly) {
    m_Api.AddMacro(Named(u"Copy"));
    m_Api.AddMacro(Named(u"Paste"));
    m_Api.AddMacro(Named(u"Copy"));
    EXPECT_EQ(m_Api.FindMacro(u"Copy", -1), 0);
    EXPECT_EQ(m_Api.FindMacro(u"Copy", 0), 2);
    EXPECT_EQ(m_Api.FindMacro(u"Paste", 1), -1);
    EXPECT_EQ(m_Api.FindMacro(u"copy", -1), -1);
}

TEST_F(MacroListsTest, ChangesOutsideTheListAreIgnored) {
    m_Api.AddMacro(Named(u"a"));
    m_Api.SetMacro(1, Named(u"b"));
    m_Api.SetMacro(-1, Named(u"b"));
    m_Api.DeleteMacro(5);
    m_Api.DeleteMacro(-1);
    m_Api.SetDeviceMacro(0, MacroHeader{}, {});
    m_Api.DeleteDeviceMacro(0);
    m_Api.DeleteLastDeviceMacro();
    EXPECT_EQ(m_Api.GetMacroCount(), 1);
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 0);
    EXPECT_EQ(m_Api.GetDeviceMacro(0), nullptr);
}

TEST_F(MacroListsTest, RecordsAreCopiedInAndOut) {
    EditorMacro macro = Named(u"a");
    m_Api.AddMacro(macro);
    macro.name = u"changed";
    EditorMacro copy = m_Api.GetMacro(0);
    copy.items.clear();
    EXPECT_EQ(m_Api.GetMacro(0).name, u"a");
    EXPECT_EQ(m_Api.GetMacro(0).items.size(), 1u);
}

TEST_F(MacroListsTest, DeviceListKeepsOrderThroughDeletes) {
    m_Api.AddDeviceMacro(Device("one"));
    m_Api.AddDeviceMacro(Device("two"));
    m_Api.AddDeviceMacro(Device("three"));
    m_Api.DeleteDeviceMacro(0);
    EXPECT_EQ(std::string(m_Api.GetDeviceMacroInfo(0)), "two");
    m_Api.DeleteLastDeviceMacro();
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 1);
    MacroHeader header{};
    std::memcpy(header.name, "new", 3);
    m_Api.SetDeviceMacro(0, header, std::vector<MacroCell>(2));
    EXPECT_EQ(m_Api.GetDeviceMacro(0)->cells.size(), 2u);
    m_Api.ClearDeviceMacros();
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 0);
}

TEST_F(MacroListsTest, DeviceNameBufferIsTwentyBytesAndKeptPastTheEnd) {
    m_Api.AddDeviceMacro(Device("ABCDEFGHIJKLMNOPQRST", 20));
    const char* name = m_Api.GetDeviceMacroInfo(0);
    EXPECT_EQ(std::string(name, 20), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(m_Api.GetDeviceMacroInfo(7), name) << "the same buffer, unchanged";
    EXPECT_EQ(std::string(name, 20), "ABCDEFGHIJKLMNOPQRST");
}

TEST_F(MacroListsTest, FindDeviceMacroConvertsFromTheAnsiCodePage) {
    m_Host.codePage = 949;
    m_Api.AddDeviceMacro(Device("Copy"));
    m_Api.AddDeviceMacro(Device("\xB0\xA1\xB3\xAA"));  // 가나
    m_Api.AddDeviceMacro(Device("ABCDEFGHIJKLMNOPQRST", 20));
    EXPECT_EQ(m_Api.FindDeviceMacro(u"\uAC00\uB098", -1), 1);
    EXPECT_EQ(m_Api.FindDeviceMacro(u"ABCDEFGHIJKLMNOPQRST", -1), 2);
    EXPECT_EQ(m_Api.FindDeviceMacro(u"Copy", 0), -1);
    EXPECT_EQ(m_Api.FindDeviceMacro(u"", 0), 1) << "an empty name matches the first other one";
    m_Api.ClearDeviceMacros();
    EXPECT_EQ(m_Api.FindDeviceMacro(u"", -1), -1);
}

}  // namespace
}  // namespace varnel::testing
