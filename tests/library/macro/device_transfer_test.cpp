// Uploading the device macro list into the keypad's macro area and reading it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "device_image.h"
#include "device_test_fixture.h"
#include "fake_flash.h"
#include "lumo_api_library.h"
#include "macro_lists.h"
#include "progress_recorder.h"

namespace varnel::testing {
namespace {

constexpr uint32_t kArea = 0x10000;

DeviceMacro Macro(const char* name, size_t cells) {
    DeviceMacro macro;
    std::memcpy(macro.header.name, name, std::min(std::strlen(name), sizeof macro.header.name));
    macro.header.cellCount = static_cast<uint16_t>(cells);
    for (size_t i = 0; i < cells; ++i) {
        MacroCell cell;
        cell.code = 0x8001;
        cell.delay = static_cast<uint32_t>(i);
        cell.data[1] = static_cast<uint8_t>(4 + i % 20);
        macro.cells.push_back(cell);
    }
    return macro;
}

class DeviceTransferTest : public DeviceTest {
  protected:
    DeviceTransferTest() {
        m_Api.SetDeviceId(kAppVid, kAppPid);
        RespondWith([this](const Report& request) { return m_Flash.Respond(request); });
        DeviceMacros().clear();
    }
    ~DeviceTransferTest() override { DeviceMacros().clear(); }

    std::string AreaText(uint32_t at, size_t length) {
        return std::string(m_Flash.Area().begin() + at, m_Flash.Area().begin() + at + length);
    }

    FakeFlash m_Flash;
    CLumoAPILibrary m_Api;
};

TEST_F(DeviceTransferTest, UploadWritesTheImageInChunksAndTheMagicLast) {
    DeviceMacros() = {Macro("one", 3), Macro("two", 40)};
    const std::vector<uint8_t> image = BuildDeviceImage(DeviceMacros());
    EXPECT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 1);
    EXPECT_EQ(AreaText(kArea, image.size()), std::string(image.begin(), image.end()));
    ASSERT_FALSE(m_Flash.writeAddresses.empty());
    EXPECT_EQ(m_Flash.writeAddresses.front(), kArea + 4);
    EXPECT_EQ(m_Flash.writeAddresses.back(), kArea) << "magic last";
    const size_t chunks = (image.size() - 4 + 55) / 56;
    EXPECT_EQ(m_Flash.writeAddresses.size(), chunks + 1);
}

TEST_F(DeviceTransferTest, EmptyListSendsNothing) {
    EXPECT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 0);
    EXPECT_TRUE(Keypad().writes.empty());
}

TEST_F(DeviceTransferTest, ProgressIsSentOnlyWhenThePercentageChanges) {
    DeviceMacros() = {Macro("big", 400)};  // 124 + 24 + 4800 bytes: 89 chunks
    ProgressRecorder progress;
    m_Api.SetProgressWindow(&progress);
    ASSERT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 1);
    ASSERT_FALSE(progress.percents.empty());
    EXPECT_EQ(progress.percents.back(), 100);
    for (size_t i = 1; i < progress.percents.size(); ++i) {
        EXPECT_GT(progress.percents[i], progress.percents[i - 1]);
    }
    // The last percentage is kept between uploads: a new upload whose first percentage equals
    // it sends nothing for it. 160 bytes go in three chunks: 35, 70, 100.
    progress.percents.clear();
    m_Api.m_nProgress = 35;
    DeviceMacros() = {Macro("tiny", 1)};
    ASSERT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 1);
    EXPECT_EQ(progress.percents, (std::vector<int>{70, 100}));
    m_Api.SetProgressWindow(nullptr);
}

TEST_F(DeviceTransferTest, PlainUploadSendsNoProgress) {
    DeviceMacros() = {Macro("big", 100)};
    ProgressRecorder progress;
    m_Api.SetProgressWindow(&progress);
    EXPECT_EQ(m_Api.WriteDeviceMacrosPlain(kArea, 0), 1);
    EXPECT_TRUE(progress.percents.empty());
    m_Api.SetProgressWindow(nullptr);
}

TEST_F(DeviceTransferTest, AChunkThatKeepsFailingEndsTheWriteWithoutTheMagic) {
    DeviceMacros() = {Macro("big", 100)};
    m_Flash.refuseWriteAt = [](uint32_t address) { return address == kArea + 4 + 56; };
    EXPECT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 0);
    EXPECT_EQ(m_Flash.writes, 1 + 4) << "the first chunk, then the second one four times";
    EXPECT_EQ(AreaText(kArea, 4), "\xFF\xFF\xFF\xFF");
}

TEST_F(DeviceTransferTest, AChunkRefusedOnceIsSentAgain) {
    DeviceMacros() = {Macro("m", 10)};
    bool refused = false;
    m_Flash.refuseWriteAt = [&refused](uint32_t address) {
        if (address != kArea + 4 || refused) return false;
        return refused = true;
    };
    EXPECT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 1);
    EXPECT_EQ(AreaText(kArea, 4), "KRAM");
}

TEST_F(DeviceTransferTest, AKeypadUnpluggedDuringTheUploadEndsIt) {
    DeviceMacros() = {Macro("big", 300)};
    int writes = 0;
    RespondWith([this, &writes](const Report& request) {
        if (++writes == 10) Keypad().interfaces.clear();
        return m_Flash.Respond(request);
    });
    EXPECT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 0);
    EXPECT_EQ(Keypad().writes.size(), 10u);
}

TEST_F(DeviceTransferTest, ReadBackGivesTheListThatWasWritten) {
    DeviceMacros() = {Macro("one", 3), Macro("two", 40)};
    ASSERT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 1);
    DeviceMacros().clear();
    EXPECT_EQ(m_Api.ReadDeviceMacros(kArea, 61440), 1);
    ASSERT_EQ(m_Api.GetDeviceMacroCount(), 2);
    EXPECT_EQ(std::string(m_Api.GetDeviceMacroInfo(1)), "two");
    ASSERT_EQ(m_Api.GetDeviceMacro(1)->cells.size(), 40u);
    EXPECT_EQ(uint32_t{m_Api.GetDeviceMacro(1)->cells[39].delay}, 39u);
    EXPECT_EQ(m_Api.GetDeviceImageSize(), 124u + 24 + 36 + 24 + 480);
}

TEST_F(DeviceTransferTest, AnErasedAreaReadsAsNoMacrosAndChangesNothing) {
    DeviceMacros() = {Macro("kept", 1)};
    EXPECT_EQ(m_Api.ReadDeviceMacros(kArea, 61440), 0);
    EXPECT_EQ(m_Api.GetDeviceMacroCount(), 1);
    EXPECT_EQ(m_Flash.reads, 3) << "only the 128-byte head: 56 + 56 + 16";
}

TEST_F(DeviceTransferTest, ReadingStopsBeforeAChunkAtOrBeyondTheLargestByteCount) {
    DeviceMacros() = {Macro("big", 200)};
    ASSERT_EQ(m_Api.WriteDeviceMacros(kArea, 0), 1);
    m_Flash.reads = 0;
    m_Api.ReadDeviceMacros(kArea, 112);
    EXPECT_EQ(m_Flash.reads, 3 + 2) << "head, then chunks at 0 and 56 only";
}

TEST_F(DeviceTransferTest, EraseOfTheDataAreaPausesPerStartedPage) {
    EXPECT_TRUE(m_Api.EraseDeviceArea(kArea, 2048));
    EXPECT_TRUE(m_Api.EraseDeviceArea(kArea, 2049));
    EXPECT_EQ(m_Pauses, (std::vector<unsigned>{80, 80}));
    EXPECT_TRUE(m_Api.EraseDeviceArea(kArea, 2047));
    EXPECT_EQ(m_Pauses.back(), 40u);
    ASSERT_EQ(m_Flash.erases.size(), 3u);
    EXPECT_EQ(m_Flash.erases[0], (std::pair<uint32_t, uint32_t>{kArea, 2048}));
}

TEST_F(DeviceTransferTest, SettingsBlocksCarryTheIdentityWordAndTheData) {
    uint8_t data[232];
    for (int i = 0; i < 232; ++i) data[i] = static_cast<uint8_t>(i);
    m_Api.WriteSettingsBlock(2, data);
    const uint32_t address = (2 + 250) * 512;
    uint32_t identity;
    std::memcpy(&identity, m_Flash.Area().data() + address, 4);
    EXPECT_EQ(identity, (0x1C6Cu << 16) | 0xC009u);
    EXPECT_EQ(m_Flash.Area()[address + 4 + 231], 231);
    EXPECT_EQ(Keypad().writes[0][1], 0xF6) << "announced first";
    EXPECT_EQ(m_Pauses, (std::vector<unsigned>{20, 50}));
    uint8_t back[232] = {};
    m_Api.ReadSettingsBlock(2, back);
    EXPECT_EQ(0, std::memcmp(back, data, 232));
}

}  // namespace
}  // namespace varnel::testing
