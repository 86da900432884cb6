#include "device_model.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "request_builders.h"

namespace varnel::sim {
namespace {

using namespace testing_requests;

class DeviceModelTest : public testing::Test {
  protected:
    Packet Send(const Packet& request) { return model.Handle(request).reply; }

    DeviceModel model{kDefaultApplicationIdentity, PersistentState{}};
};

TEST(DeviceModelReplies, FixedFormCommandsInApplicationMode) {
    struct Case {
        const char* name;
        Packet request;
        Packet reply;
    };
    const Case cases[] = {
        {"notice", Bytes({0x07}), Bytes({0x07, 1})},
        {"select step", Bytes({0x09, 7}), Bytes({0x09, 1})},
        {"select step out of range", Bytes({0x09, 8}), Bytes({0x09, 0})},
        {"ask step", Bytes({0x09, 0xFF}), Bytes({0x09, 0})},
        {"0x10", Bytes({0x10, 0x33}), Bytes({0x10, 1})},
        {"firmware version", Bytes({0xF0}), Bytes({0xF0, 1, 0, 3})},
        {"restart with other argument", Bytes({0xF4, 0x02}), Bytes({0xF4, 0})},
        {"state query", Bytes({0xF5, 0x07, 0x04}), Bytes({0xF5, 0x07, 0x04, 0, 0, 0, 0})},
        {"state query, wrong arguments", Bytes({0xF5, 0x07, 0x05}), Bytes({0xF5, 0})},
        {"indexed select", Bytes({0xF6, 0x1C, 0x04, 2, 0, 0, 0}), Bytes({0xF6, 1})},
        {"indexed select, wrong arguments", Bytes({0xF6, 0x1C, 0x05}), Bytes({0xF6, 0})},
        {"unknown code", Bytes({0x55, 1, 2, 3}), Bytes({0x55, 0})},
        {"code 0", Bytes({0x00}), Bytes({0x00, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceModel model(kDefaultApplicationIdentity, PersistentState{});
        const CommandResult result = model.Handle(c.request);
        EXPECT_EQ(result.reply, c.reply);
        EXPECT_FALSE(result.restartInto);
    }
}

TEST_F(DeviceModelTest, StepIsSelectedAskedAndKeptOnBadValues) {
    EXPECT_EQ(Send(Bytes({0x09, 5}))[1], 1);
    EXPECT_EQ(Send(Bytes({0x09, 0xFF}))[1], 5);
    EXPECT_EQ(Send(Bytes({0x09, 0x80}))[1], 0);
    EXPECT_EQ(Send(Bytes({0x09, 0xFF}))[1], 5);
    EXPECT_EQ(model.State().step, 5);
}

TEST_F(DeviceModelTest, StepSurvivesARestartThroughTheBootLoader) {
    Send(Bytes({0x09, 6}));
    Send(Bytes({0xF4, 0x01}));
    Send(Bytes({0xF4, 0x01}));
    ASSERT_EQ(model.Mode(), KeypadMode::Application);
    EXPECT_EQ(Send(Bytes({0x09, 0xFF}))[1], 6);
}

TEST_F(DeviceModelTest, CountsConfigurationNotices) {
    Send(Bytes({0x07}));
    Send(Bytes({0x07}));
    EXPECT_EQ(model.ConfigurationNoticeCount(), 2u);
}

TEST(DeviceModelFirmware, ReportsTheStoredVersion) {
    PersistentState state;
    state.firmware = {2, 0x1A, 7};
    DeviceModel model(kDefaultApplicationIdentity, std::move(state));
    EXPECT_EQ(model.Handle(Bytes({0xF0})).reply, Bytes({0xF0, 2, 0x1A, 7}));
}

TEST_F(DeviceModelTest, DataAreaWriteRepliesWithWhatFlashNowHolds) {
    const Packet first = Send(MakeWrite(3, 0x200, {0xF0, 0xAA}));
    EXPECT_EQ(first[0], 0xF2);
    EXPECT_EQ(first[1], 1);
    EXPECT_EQ(ReplyData(first, 3), (std::vector<uint8_t>{0xF0, 0xAA, 0x00}));

    // Without an erase the second write can only clear more bits.
    const Packet second = Send(MakeWrite(3, 0x200, {0x0F, 0xFF}));
    EXPECT_EQ(second[1], 1);
    EXPECT_EQ(ReplyData(second, 2), (std::vector<uint8_t>{0x00, 0xAA}));

    const Packet read = Send(MakeRead(3, 0x1FF, 4));
    EXPECT_EQ(read[1], 1);
    EXPECT_EQ(ReplyData(read, 5), (std::vector<uint8_t>{0xFF, 0x00, 0xAA, 0xFF, 0x00}));
}

TEST_F(DeviceModelTest, DataAreaEraseCoversAnArbitraryRange) {
    Send(MakeWrite(3, 0x1F000, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Send(MakeErase(3, 0x1F002, 7))[1], 1);
    const Packet read = Send(MakeRead(3, 0x1F000, 12));
    EXPECT_EQ(ReplyData(read, 12),
              (std::vector<uint8_t>{0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0}));
}

TEST_F(DeviceModelTest, BootLoaderFlashIsAddressedFromItsBaseButErasedFromZero) {
    EXPECT_EQ(Send(MakeWrite(1, 0x100FFE, {0x12, 0x34}))[1], 1);
    EXPECT_EQ(ReplyData(Send(MakeRead(1, 0x100FFE, 2)), 2), (std::vector<uint8_t>{0x12, 0x34}));
    EXPECT_EQ(model.State().bootLoaderFlash.ProgrammedByteCount(), 2u);

    EXPECT_EQ(Send(MakeErase(1, 0, 0x1000))[1], 1);
    EXPECT_EQ(model.State().bootLoaderFlash.ProgrammedByteCount(), 0u);
}

TEST(DeviceModelFlash, RefusesRequestsOutsideWhatTheApplicationMayTouch) {
    struct Case {
        const char* name;
        Packet request;
    };
    Packet tooLong = MakeWrite(3, 0, {1});
    tooLong[1] = 57;
    const Case cases[] = {
        {"erase application flash", MakeErase(2, 0, 0x1000)},
        {"write application flash", MakeWrite(2, 0, {0})},
        {"read application flash", MakeRead(2, 0, 4)},
        {"unknown area", MakeWrite(4, 0, {0})},
        {"area 0", MakeRead(0, 0, 4)},
        {"write of length 0", MakeWrite(3, 0, {})},
        {"write longer than 56 bytes", tooLong},
        {"read longer than 56 bytes", MakeRead(3, 0, 57)},
        {"write past the data area", MakeWrite(3, 0x1FFFF, {0, 0})},
        {"read past the data area", MakeRead(3, 0x1FFF0, 56)},
        {"boot-loader flash without its base", MakeWrite(1, 0x10, {0})},
        {"boot-loader flash past its end", MakeRead(1, 0x101000, 1)},
        {"erase of size 0", MakeErase(3, 0, 0)},
        {"erase past the data area", MakeErase(3, 0x1F000, 0x1001)},
        {"boot-loader erase at the base address", MakeErase(1, 0x100000, 0x1000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceModel model(kDefaultApplicationIdentity, PersistentState{});
        const Packet reply = model.Handle(c.request).reply;
        EXPECT_EQ(reply, Bytes({c.request[0], 0}));
        EXPECT_EQ(model.Revision(), 0u);
    }
}

TEST_F(DeviceModelTest, StateWordShowsTheMacroMagicAndTheStep) {
    EXPECT_EQ(model.StateWord(), 0u);
    Send(MakeWrite(3, 0x10000, {'K', 'R', 'A', 'M'}));
    Send(Bytes({0x09, 5}));
    const Packet reply = Send(Bytes({0xF5, 0x07, 0x04}));
    EXPECT_EQ(GetU32(reply, 3), 0x501u);
    Send(MakeErase(3, 0x10003, 1));
    EXPECT_EQ(model.StateWord(), 0x500u);
}

TEST(DeviceModelInterfaces, ApplicationModeListsTheVendorInterfaceLast) {
    const DeviceModel model(UsbIdentity{0x0ABC, 0x00D1}, PersistentState{});
    const auto interfaces = model.Interfaces();
    ASSERT_EQ(interfaces.size(), 4u);
    const uint16_t usagePages[] = {0x0001, 0x0001, 0x000C, 0xFF00};
    const uint16_t usages[] = {0x0006, 0x0002, 0x0001, 0x0000};
    for (size_t i = 0; i < interfaces.size(); ++i) {
        SCOPED_TRACE(interfaces[i].path);
        EXPECT_EQ(interfaces[i].vendorId, 0x0ABC);
        EXPECT_EQ(interfaces[i].productId, 0x00D1);
        EXPECT_EQ(interfaces[i].usagePage, usagePages[i]);
        EXPECT_EQ(interfaces[i].usage, usages[i]);
        EXPECT_EQ(interfaces[i].interfaceNumber, static_cast<int16_t>(i));
        const std::string mi = "\\\\?\\HID#VID_0ABC&PID_00D1&MI_0" + std::to_string(i) + "#";
        EXPECT_EQ(interfaces[i].path.rfind(mi, 0), 0u);
    }
}

TEST_F(DeviceModelTest, RestartSwitchesToTheBootLoaderIdentityAndBack) {
    const CommandResult toBoot = model.Handle(Bytes({0xF4, 0x01}));
    EXPECT_EQ(toBoot.reply, Bytes({0xF4, 1}));
    EXPECT_EQ(toBoot.restartInto, KeypadMode::BootLoader);
    EXPECT_EQ(model.Mode(), KeypadMode::BootLoader);
    EXPECT_EQ(model.Identity().vendorId, 0x060B);
    EXPECT_EQ(model.Identity().productId, 0x2320);
    const auto bootInterfaces = model.Interfaces();
    ASSERT_EQ(bootInterfaces.size(), 1u);
    EXPECT_EQ(bootInterfaces[0].usagePage, 0xFF00);
    EXPECT_EQ(bootInterfaces[0].usage, 0x0000);
    EXPECT_EQ(bootInterfaces[0].interfaceNumber, 0);
    EXPECT_EQ(bootInterfaces[0].path.rfind("\\\\?\\HID#VID_060B&PID_2320#", 0), 0u);

    const CommandResult toApplication = model.Handle(Bytes({0xF4, 0x01}));
    EXPECT_EQ(toApplication.restartInto, KeypadMode::Application);
    EXPECT_EQ(model.Identity().vendorId, 0x1C6C);
    EXPECT_EQ(model.Interfaces().size(), 4u);
}

TEST_F(DeviceModelTest, RevisionMovesOnlyWhenPersistentStateChanges) {
    uint64_t revision = model.Revision();
    const auto changed = [&] {
        const bool moved = model.Revision() != revision;
        revision = model.Revision();
        return moved;
    };
    Send(MakeRead(3, 0, 4));
    Send(Bytes({0x07}));
    Send(MakeWrite(2, 0, {0}));
    EXPECT_FALSE(changed());
    Send(MakeWrite(3, 0, {0}));
    EXPECT_TRUE(changed());
    Send(MakeErase(3, 0, 1));
    EXPECT_TRUE(changed());
    Send(Bytes({0x09, 2}));
    EXPECT_TRUE(changed());
    Send(Bytes({0xF4, 1}));
    EXPECT_TRUE(changed());
}

TEST(RefusedReply, EchoesWriteDataAndNothingElse) {
    EXPECT_EQ(RefusedReply(MakeWrite(3, 0x40, {0xDE, 0xAD})), Bytes({0xF2, 0, 0xDE, 0xAD}));
    EXPECT_EQ(RefusedReply(Bytes({0xF0, 9, 9})), Bytes({0xF0, 0}));
    EXPECT_EQ(RefusedReply(MakeRead(3, 0x40, 8)), Bytes({0xF3, 0}));
}

}  // namespace
}  // namespace varnel::sim
