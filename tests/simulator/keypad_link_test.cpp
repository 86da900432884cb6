#include "keypad_link.h"

#include <gtest/gtest.h>

#include <optional>

#include "request_builders.h"

namespace varnel::sim {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

const TimePoint kOrigin = TimePoint(std::chrono::seconds(1000));
constexpr milliseconds kRestartDelay{200};

using namespace testing_requests;

struct SentReport {
    uint64_t connection;
    Packet packet;
};

struct RecordingListener : LinkListener {
    void SendReport(uint64_t connection, const std::vector<uint8_t>& report) override {
        EXPECT_EQ(report.size(), 65u);
        EXPECT_EQ(report[0], 0);
        SentReport sent{connection, {}};
        std::copy(report.begin() + 1, report.end(), sent.packet.begin());
        reports.push_back(sent);
    }
    void InterfaceEvent(const std::string& event) override { events.push_back(event); }
    void KeypadLeft() override { events.push_back("left"); }
    void StateChanged() override { ++stateChanges; }

    std::vector<SentReport> reports;
    std::vector<std::string> events;
    int stateChanges = 0;
};

class KeypadLinkTest : public testing::Test {
  protected:
    void Start(TimingModel timing, std::initializer_list<const char*> faults = {},
               KeypadMode mode = KeypadMode::Application) {
        PersistentState state;
        state.mode = mode;
        link.emplace(DeviceModel(kDefaultApplicationIdentity, std::move(state)),
                     KeypadLink::Settings{timing, kOrigin, kRestartDelay}, timers, listener);
        for (const char* fault : faults) link->ApplyFault(*ParseFaultRule(fault).rule);
        link->Plug();
        listener.events.clear();
    }
    // Sends a request at `at` and runs everything due by then.
    void Send(const Packet& request, microseconds at, uint64_t connection = 1) {
        link->ReceiveRequest(connection, request, kOrigin + at);
        RunUntil(at);
    }
    void RunUntil(microseconds at) { timers.RunDue(kOrigin + at); }
    std::vector<Packet> TakeReplies() {
        std::vector<Packet> packets;
        for (const SentReport& sent : listener.reports) packets.push_back(sent.packet);
        listener.reports.clear();
        return packets;
    }
    std::vector<std::string> Events(const char* kind) {
        std::vector<std::string> events;
        for (const auto& interface : link->Model().Interfaces()) {
            events.push_back(std::string(kind) + " " + interface.path);
        }
        return events;
    }

    TimerQueue timers;
    RecordingListener listener;
    std::optional<KeypadLink> link;
};

TEST_F(KeypadLinkTest, RepliesGoToTheConnectionThatAsked) {
    Start(TimingModel::Instant);
    Send(Bytes({0xF0}), microseconds(10), 7);
    Send(Bytes({0x10}), microseconds(20), 9);
    ASSERT_EQ(listener.reports.size(), 2u);
    EXPECT_EQ(listener.reports[0].connection, 7u);
    EXPECT_EQ(listener.reports[0].packet, Bytes({0xF0, 1, 0, 3}));
    EXPECT_EQ(listener.reports[1].connection, 9u);
    EXPECT_EQ(listener.reports[1].packet, Bytes({0x10, 1}));
}

TEST_F(KeypadLinkTest, DroppedReplyStillCarriesOutTheRequest) {
    Start(TimingModel::Instant, {"drop:1"});
    Send(Bytes({0x09, 4}), microseconds(0));
    EXPECT_TRUE(TakeReplies().empty());
    Send(Bytes({0x09, 0xFF}), microseconds(10));
    EXPECT_EQ(TakeReplies(), std::vector<Packet>{Bytes({0x09, 4})});
}

TEST_F(KeypadLinkTest, StaleReportComesBeforeTheRealReply) {
    Start(TimingModel::Instant, {"stale:1"});
    Send(Bytes({0xF0}), microseconds(0));
    const std::vector<Packet> replies = TakeReplies();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0], StaleReply(0xF0));
    EXPECT_EQ(replies[1], Bytes({0xF0, 1, 0, 3}));
}

TEST_F(KeypadLinkTest, RefusedRequestIsNotCarriedOut) {
    Start(TimingModel::Instant, {"status0:1"});
    Send(Bytes({0x09, 4}), microseconds(0));
    Send(Bytes({0x09, 0xFF}), microseconds(10));
    EXPECT_EQ(TakeReplies(), (std::vector<Packet>{Bytes({0x09, 0}), Bytes({0x09, 0})}));
    EXPECT_EQ(link->Model().State().step, 0);
    EXPECT_EQ(listener.stateChanges, 0);
}

TEST_F(KeypadLinkTest, DelayedReplyLeavesLaterAndKeepsItsPlaceInLine) {
    Start(TimingModel::Instant, {"delay:5:1"});
    Send(Bytes({0xF0}), microseconds(0));
    Send(Bytes({0x10}), microseconds(100));
    EXPECT_TRUE(TakeReplies().empty());
    RunUntil(microseconds(5000));
    EXPECT_EQ(TakeReplies(), (std::vector<Packet>{Bytes({0xF0, 1, 0, 3}), Bytes({0x10, 1})}));
}

TEST_F(KeypadLinkTest, UnplugAfterLeavesTheNthRequestUnanswered) {
    Start(TimingModel::Instant, {"unplug-after:2"});
    Send(Bytes({0x10}), microseconds(0));
    Send(Bytes({0x09, 3}), microseconds(10));
    EXPECT_EQ(TakeReplies(), std::vector<Packet>{Bytes({0x10, 1})});
    EXPECT_FALSE(link->Plugged());
    EXPECT_TRUE(link->PresentInterfaces().empty());
    std::vector<std::string> expected{"left"};
    for (const std::string& event : Events("removal")) expected.push_back(event);
    EXPECT_EQ(listener.events, expected);

    Send(Bytes({0x10}), microseconds(20));  // nobody is there to answer
    EXPECT_TRUE(TakeReplies().empty());
    EXPECT_EQ(link->Model().State().step, 3);  // it was carried out before the keypad went
}

TEST_F(KeypadLinkTest, UsbFullSpeedRestartRepliesThenLeavesThenComesBackAsBootLoader) {
    Start(TimingModel::UsbFullSpeed);
    Send(Bytes({0xF4, 0x01}), microseconds(300));
    Send(Bytes({0x10}), microseconds(1500));  // the keypad is already restarting: lost
    RunUntil(microseconds(1999));
    EXPECT_TRUE(TakeReplies().empty());
    EXPECT_TRUE(listener.events.empty());

    const std::vector<std::string> bootArrival = Events("arrival");  // the model already switched
    RunUntil(microseconds(2000));
    EXPECT_EQ(TakeReplies(), std::vector<Packet>{Bytes({0xF4, 1})});
    ASSERT_EQ(listener.events.size(), 5u);
    EXPECT_EQ(listener.events[0], "left");
    EXPECT_NE(listener.events[4].find("removal \\\\?\\HID#VID_1C6C&PID_C008&MI_03#"),
              std::string::npos);
    EXPECT_TRUE(link->PresentInterfaces().empty());
    listener.events.clear();

    RunUntil(microseconds(2000) + kRestartDelay - microseconds(1));
    EXPECT_TRUE(listener.events.empty());
    RunUntil(microseconds(2000) + kRestartDelay);
    EXPECT_EQ(listener.events, bootArrival);
    ASSERT_EQ(link->PresentInterfaces().size(), 1u);
    EXPECT_EQ(link->PresentInterfaces()[0].vendorId, 0x060B);
}

TEST_F(KeypadLinkTest, UnplugDuringARestartKeepsTheKeypadAway) {
    Start(TimingModel::Instant);
    Send(Bytes({0xF4, 0x01}), microseconds(0));
    link->Unplug();
    listener.events.clear();
    RunUntil(microseconds(0) + kRestartDelay * 2);
    EXPECT_TRUE(listener.events.empty());

    link->Plug();
    EXPECT_EQ(listener.events, Events("arrival"));
    EXPECT_EQ(link->Model().Mode(), KeypadMode::BootLoader);
}

TEST_F(KeypadLinkTest, UsbFullSpeedEraseAnswersAtOnceAndHoldsTheNextRequestUntilErased) {
    Start(TimingModel::UsbFullSpeed, {}, KeypadMode::BootLoader);
    Send(MakeErase(2, 0, 0x1000), microseconds(300));  // delivered at 1 ms, two pages
    RunUntil(microseconds(2000));
    EXPECT_EQ(TakeReplies(), std::vector<Packet>{Bytes({0xF1, 1})});
    Send(MakeRead(3, 0x1F000, 1), microseconds(2300));
    RunUntil(microseconds(81999));
    EXPECT_TRUE(TakeReplies().empty());
    RunUntil(microseconds(82000));
    EXPECT_EQ(TakeReplies(), std::vector<Packet>{Bytes({0xF3, 1, 0xFF})});
}

TEST_F(KeypadLinkTest, KeypadRepluggedDuringAnEraseAnswersWithoutWaitingForIt) {
    Start(TimingModel::UsbFullSpeed, {}, KeypadMode::BootLoader);
    Send(MakeErase(2, 0, 0x10000), microseconds(300));
    RunUntil(microseconds(1000));  // the keypad took the erase and works on it
    link->Unplug();
    link->Plug();
    Send(MakeRead(3, 0x1F000, 1), microseconds(5300));
    RunUntil(microseconds(7000));
    EXPECT_EQ(TakeReplies(), std::vector<Packet>{Bytes({0xF3, 1, 0xFF})});
    RunUntil(microseconds(2'000'000));
    EXPECT_TRUE(TakeReplies().empty());  // the erase's reply left with the keypad
}

TEST_F(KeypadLinkTest, InstantEraseRepliesAtOnce) {
    Start(TimingModel::Instant, {}, KeypadMode::BootLoader);
    Send(MakeErase(2, 0, 0x10000), microseconds(300));
    EXPECT_EQ(TakeReplies(), std::vector<Packet>{Bytes({0xF1, 1})});
}

TEST_F(KeypadLinkTest, VerifyMismatchSpoilsTheNthApplicationFlashWrite) {
    Start(TimingModel::Instant, {"verify-mismatch:2"}, KeypadMode::BootLoader);
    Send(MakeRead(3, 0x1F000, 4), microseconds(0));  // not a write: not counted
    Send(MakeWrite(2, 0, {0xA0}), microseconds(10));
    Send(MakeWrite(2, 1, {0xB0}), microseconds(20));
    Send(MakeWrite(2, 2, {0xC0}), microseconds(30));
    const std::vector<Packet> replies = TakeReplies();
    ASSERT_EQ(replies.size(), 4u);
    EXPECT_EQ(replies[1], Bytes({0xF2, 1, 0xA0}));
    EXPECT_EQ(replies[2], Bytes({0xF2, 1, 0xB1}));
    EXPECT_EQ(replies[3], Bytes({0xF2, 1, 0xC0}));
    EXPECT_EQ(link->Model().State().applicationFlash.Bytes()[1], 0xB1);
}

TEST_F(KeypadLinkTest, KeypadUnpluggedWhileProgrammingComesBackInItsBootLoader) {
    Start(TimingModel::Instant, {"unplug-after:3"}, KeypadMode::BootLoader);
    Send(MakeErase(2, 0, 0x10000), microseconds(0));
    Send(MakeWrite(2, 0, {1, 2, 3}), microseconds(10));
    Send(MakeWrite(2, 3, {4, 5, 6}), microseconds(20));
    EXPECT_EQ(TakeReplies().size(), 2u);
    EXPECT_FALSE(link->Plugged());

    link->Plug();
    EXPECT_EQ(link->Model().Mode(), KeypadMode::BootLoader);
    ASSERT_EQ(link->PresentInterfaces().size(), 1u);
    EXPECT_EQ(link->PresentInterfaces()[0].vendorId, 0x060B);
    const auto flash = link->Model().State().applicationFlash.Bytes();
    EXPECT_EQ(std::vector<uint8_t>(flash.begin(), flash.begin() + 7),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 0xFF}));
    // The update can run again from there.
    Send(MakeErase(2, 0, 0x10000), microseconds(30));
    EXPECT_EQ(TakeReplies(), std::vector<Packet>{Bytes({0xF1, 1})});
}

TEST_F(KeypadLinkTest, ReportsPersistentChangesOnly) {
    Start(TimingModel::Instant);
    Packet write = Bytes({0xF2, 1, 3});
    Send(write, microseconds(0));
    Send(Bytes({0xF3, 1, 3}), microseconds(10));
    Send(Bytes({0x07}), microseconds(20));
    EXPECT_EQ(listener.stateChanges, 1);
}

}  // namespace
}  // namespace varnel::sim
