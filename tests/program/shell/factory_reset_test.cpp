// Factory Reset against a fake keypad that holds macros and a key map.
#include "factory_reset.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>

#include "device_test_fixture.h"
#include "fake_flash.h"
#include "keymap_transfer.h"
#include "keypad_macros.h"
#include "lumo_api_library.h"
#include "macro_lists.h"

namespace varnel::testing {
namespace {

using namespace program;

class Answers final : public MacroQuestions {
  public:
    bool AskYesNo(const std::u16string& text, const std::u16string&) override {
        asked.push_back(text);
        return yes;
    }
    void Tell(const std::u16string& text) override { told.push_back(text); }
    bool yes = true;
    std::vector<std::u16string> asked;
    std::vector<std::u16string> told;
};

class FactoryResetTest : public DeviceTest {
  protected:
    FactoryResetTest() {
        m_Api.SetDeviceId(kAppVid, kAppPid);
        RespondWith([this](const Report& request) {
            if (request[1] == 0x09) m_Steps.push_back(request[2]);
            return m_Flash.Respond(request);
        });
        // The keypad holds a key map and 5000 bytes of macros.
        KeyMapImage map = EmptyKeyMap();
        UpsertEntry(map, WorkingEntryFor(3));
        std::memcpy(m_Flash.Area().data() + kKeyMapAddress, map.data(), kKeyMapSize);
        DeviceMacro macro;
        macro.cells.resize(400);
        macro.header.cellCount = 400;
        DeviceMacros() = {macro};
        std::memset(m_Flash.Area().data() + kMacroAreaAddress, 0x00, 6000);
    }
    ~FactoryResetTest() override { DeviceMacros().clear(); }

    FactoryResetOutcome Reset() {
        return FactoryReset(m_Api, m_Lock, m_Answers, m_Edited, m_Device, [this] {
            ++m_nProfileDeletes;
            return true;
        });
    }

    FakeFlash m_Flash;
    CLumoAPILibrary m_Api;
    DeviceLock m_Lock;
    Answers m_Answers;
    KeyMapImage m_Edited = EmptyKeyMap();
    KeyMapImage m_Device = EmptyKeyMap();
    std::vector<uint8_t> m_Steps;
    int m_nProfileDeletes = 0;
};

TEST_F(FactoryResetTest, ANoChangesNothing) {
    m_Answers.yes = false;
    EXPECT_EQ(Reset(), FactoryResetOutcome::Declined);
    EXPECT_EQ(m_Answers.asked,
              std::vector<std::u16string>{u"Delete all data stored on the Varnel device."});
    EXPECT_TRUE(Keypad().writes.empty());
    EXPECT_EQ(m_nProfileDeletes, 0);
}

TEST_F(FactoryResetTest, EverythingIsEmptiedAndStepFourSelected) {
    UpsertEntry(m_Edited, WorkingEntryFor(7));
    EXPECT_EQ(Reset(), FactoryResetOutcome::Done);
    // 128 + 24 + 400 * 12 = 4952 bytes: three blocks.
    EXPECT_EQ(m_Flash.erases.size(), 4u);  // three macro blocks and the key map
    EXPECT_EQ(m_Flash.erases[2], (std::pair<uint32_t, uint32_t>{kMacroAreaAddress + 4096, 2048}));
    EXPECT_EQ(m_Flash.Area()[kMacroAreaAddress], 0xFF) << "the magic is gone";
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 0);
    EXPECT_EQ(m_Steps, std::vector<uint8_t>{3});
    const KeyMapRead read = ReadKeyMap(m_Api, m_Lock);
    EXPECT_TRUE(read.valid);
    EXPECT_EQ(read.image, EmptyKeyMap());
    EXPECT_EQ(m_Edited, EmptyKeyMap());
    EXPECT_EQ(m_nProfileDeletes, 1);
    EXPECT_EQ(m_Answers.told, std::vector<std::u16string>{u"Completed!"});
}

TEST_F(FactoryResetTest, AKeyMapTheKeypadRefusesIsNotReportedAsCompleted) {
    m_Flash.refuseWriteAt = [](uint32_t address) { return address >= kKeyMapAddress; };
    EXPECT_EQ(Reset(), FactoryResetOutcome::Failed);
    ASSERT_EQ(m_Answers.told.size(), 1u);
    EXPECT_NE(m_Answers.told[0], u"Completed!");
}

}  // namespace
}  // namespace varnel::testing
