#include "hid_io.h"

#include <gtest/gtest.h>

#include "device_test_fixture.h"

namespace varnel::testing {
namespace {

class HidIoTest : public DeviceTest {};

TEST_F(HidIoTest, OpensTheVendorInterfaceEvenWhenOtherInterfacesComeFirst) {
    CHidIO io;
    ASSERT_TRUE(io.Open(kAppVid, kAppPid));
    ASSERT_EQ(Keypad().openedPaths.size(), 1u);
    EXPECT_EQ(Keypad().openedPaths[0], Keypad().interfaces[3].path);
    EXPECT_TRUE(io.IsOpen());
}

TEST_F(HidIoTest, TakesTheFirstVendorInterfaceOfTheIdentityAndSkipsOtherDevices) {
    auto other = ApplicationInterfaces(0x1234, 0x5678);
    auto second = ApplicationInterfaces();
    second[3].path = "second-keypad";
    Keypad().interfaces.insert(Keypad().interfaces.begin(), other.begin(), other.end());
    Keypad().interfaces.insert(Keypad().interfaces.end(), second.begin(), second.end());
    CHidIO io;
    ASSERT_TRUE(io.Open(kAppVid, kAppPid));
    EXPECT_EQ(Keypad().openedPaths, std::vector<std::string>{"fake#VID_1C6C&PID_C008&MI_03"});
}

TEST_F(HidIoTest, IdentityWithoutVendorInterfaceIsPresentButCannotBeWritten) {
    Keypad().interfaces.pop_back();
    CHidIO io;
    EXPECT_TRUE(io.Open(kAppVid, kAppPid));
    EXPECT_TRUE(Keypad().openedPaths.empty());
    uint8_t report[kHidReportSize] = {};
    uint32_t count = 99;
    EXPECT_FALSE(io.Write(report, &count));
    EXPECT_EQ(count, 0u);
}

TEST_F(HidIoTest, FailedOpenOfThePresentInterfaceStillReportsPresence) {
    Keypad().openFails = true;
    CHidIO io;
    EXPECT_TRUE(io.Open(kAppVid, kAppPid));
    uint8_t report[kHidReportSize] = {};
    EXPECT_FALSE(io.Write(report));
    EXPECT_FALSE(io.Read(report));
}

TEST_F(HidIoTest, NoKeypadGivesFalseWithoutOpeningAnything) {
    Keypad().interfaces.clear();
    CHidIO io;
    EXPECT_FALSE(io.Open(kAppVid, kAppPid));
    EXPECT_TRUE(Keypad().openedPaths.empty());
    EXPECT_FALSE(io.IsOpen());
}

TEST_F(HidIoTest, ReadWaitsTwoSecondsAtMostAndFailsWithoutAReply) {
    CHidIO io;
    ASSERT_TRUE(io.Open(kAppVid, kAppPid));
    uint8_t report[kHidReportSize] = {};
    uint32_t count = 99;
    EXPECT_FALSE(io.Read(report, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(Keypad().readTimeouts, std::vector<int>{2000});
}

TEST_F(HidIoTest, CloseIsSafeTwiceAndOnANeverOpenedObject) {
    CHidIO never;
    never.Close();
    never.Close();
    CHidIO io;
    ASSERT_TRUE(io.Open(kAppVid, kAppPid));
    io.Close();
    io.Close();
    EXPECT_FALSE(io.IsOpen());
}

TEST_F(HidIoTest, OpenAfterCloseFindsAKeypadThatWasReplugged) {
    CHidIO io;
    ASSERT_TRUE(io.Open(kAppVid, kAppPid));
    io.Close();
    const auto interfaces = Keypad().interfaces;
    Keypad().interfaces.clear();
    EXPECT_FALSE(io.Open(kAppVid, kAppPid));
    Keypad().interfaces = interfaces;
    EXPECT_TRUE(io.Open(kAppVid, kAppPid));
    EXPECT_TRUE(io.IsOpen());
}

}  // namespace
}  // namespace varnel::testing
