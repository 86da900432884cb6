// The library's socket transport keeps its connection to the simulator between exchanges; a
// long-running process must come through the keypad leaving and the simulator restarting.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "process_runner.h"
#include "varnel/LumoApi.h"

namespace varnel::e2e {
namespace {

class SocketTransportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_strFolder = std::filesystem::temp_directory_path() /
                      ("varnel-transport-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_strFolder);
        m_strSocket = m_strFolder + "/keypad.sock";
        m_pSim = std::make_unique<SimulatorProcess>(std::vector<std::string>{}, m_strSocket);
        ASSERT_TRUE(m_pSim->Ready());
        ASSERT_TRUE(SelectLumoTransport(m_pSim->HidSpec().c_str()));
        long error = 0;
        ASSERT_TRUE(CreateLumoApi(&m_pApi, &error));
        m_pApi->SetDeviceId(0x1C6C, 0xC008);
    }

    void TearDown() override {
        DestroyLumoApi(m_pApi);
        m_pSim.reset();
        std::filesystem::remove_all(m_strFolder);
    }

    // The firmware version, or 0 when the exchange failed.
    int Version() {
        const uint8_t request[64] = {0xF0};
        uint8_t version[3] = {};
        if (!m_pApi->ReadVersion(request, version)) return 0;
        return version[0] * 65536 + version[1] * 256 + version[2];
    }

    std::string m_strFolder;
    std::string m_strSocket;
    std::unique_ptr<SimulatorProcess> m_pSim;
    CLumoApi* m_pApi = nullptr;
};

TEST_F(SocketTransportTest, ManyExchangesInARowEachGetTheirOwnReply) {
    for (uint8_t step : {7, 0, 3}) {
        m_pApi->SendDeviceCommand2(0x09, step);
        ASSERT_EQ(m_pApi->QueryDevice2(0x09, 0xFF), step);
        ASSERT_EQ(Version(), 0x010003);
    }
}

TEST_F(SocketTransportTest, KeypadLeavingAndComingBackIsFoundAgain) {
    ASSERT_EQ(Version(), 0x010003);
    ASSERT_EQ(m_pSim->Control({"unplug"}).exitCode, 0);
    const uint16_t identity[2] = {0x1C6C, 0xC008};
    EXPECT_FALSE(m_pApi->IsDevicePresent(identity));
    EXPECT_EQ(Version(), 0);
    ASSERT_EQ(m_pSim->Control({"plug"}).exitCode, 0);
    EXPECT_TRUE(m_pApi->IsDevicePresent(identity));
    EXPECT_EQ(Version(), 0x010003);
}

TEST_F(SocketTransportTest, SimulatorRestartedOnTheSameSocketIsFoundAgain) {
    ASSERT_EQ(Version(), 0x010003);
    m_pSim.reset();
    EXPECT_EQ(Version(), 0) << "nobody serves the socket";
    m_pSim = std::make_unique<SimulatorProcess>(
        std::vector<std::string>{"--firmware-version", "2.1.0"}, m_strSocket);
    ASSERT_TRUE(m_pSim->Ready());
    EXPECT_EQ(Version(), 0x020100);
}

TEST_F(SocketTransportTest, LateReplyOfAnEarlierExchangeIsNotTakenForTheNextOne) {
    // The first reply comes after the reader has given up waiting for it.
    ASSERT_EQ(m_pSim->Control({"fault", "delay:2500:1"}).exitCode, 0);
    EXPECT_EQ(Version(), 0);
    const uint8_t request[64] = {0xF3, 0x04, 0x03, 0x00, 0x00, 0xF0, 0x01, 0x00};
    uint8_t data[64];
    std::memset(data, 0xEE, sizeof data);
    ASSERT_TRUE(m_pApi->Query(request, data));
    EXPECT_EQ(data[0], 0xFF) << "the key map area of a fresh keypad is erased";
    EXPECT_EQ(m_pApi->QueryDevice2(0x09, 0xFF), 0);
}

}  // namespace
}  // namespace varnel::e2e
