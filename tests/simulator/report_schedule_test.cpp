#include "report_schedule.h"

#include <gtest/gtest.h>

namespace varnel::sim {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// An arbitrary origin: the schedule must only depend on times relative to it.
const TimePoint kOrigin = TimePoint(std::chrono::nanoseconds(123'456'789'012));

TimePoint At(microseconds sinceOrigin) {
    return kOrigin + sinceOrigin;
}

TEST(UsbFullSpeedSchedule, DeliversAtTheNextBoundaryAndRepliesOneFrameLater) {
    struct Case {
        microseconds arrival;
        microseconds delivery;
    };
    const Case cases[] = {
        {microseconds(0), microseconds(1000)},  // exactly on a boundary: strictly after it
        {microseconds(1), microseconds(1000)},    {microseconds(999), microseconds(1000)},
        {microseconds(7000), microseconds(8000)}, {microseconds(7400), microseconds(8000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "arrival " << c.arrival.count() << " us");
        ReportSchedule schedule(TimingModel::UsbFullSpeed, kOrigin);
        const TimePoint delivery = schedule.DeliverRequest(At(c.arrival));
        EXPECT_EQ(delivery, At(c.delivery));
        EXPECT_EQ(schedule.SendReport(delivery, milliseconds(0)), At(c.delivery + milliseconds(1)));
    }
}

TEST(UsbFullSpeedSchedule, QueuedRequestsAndReportsTakeOneFrameEach) {
    ReportSchedule schedule(TimingModel::UsbFullSpeed, kOrigin);
    const TimePoint first = schedule.DeliverRequest(At(microseconds(100)));
    const TimePoint second = schedule.DeliverRequest(At(microseconds(200)));
    EXPECT_EQ(first, At(microseconds(1000)));
    EXPECT_EQ(second, At(microseconds(2000)));
    // A stale report and the reply to the first request fill frames 2 and 3, so the second
    // request's reply waits for frame 4.
    EXPECT_EQ(schedule.SendReport(first, milliseconds(0)), At(microseconds(2000)));
    EXPECT_EQ(schedule.SendReport(first, milliseconds(0)), At(microseconds(3000)));
    EXPECT_EQ(schedule.SendReport(second, milliseconds(0)), At(microseconds(4000)));
}

TEST(UsbFullSpeedSchedule, AHostAnsweringEachReplyAtOnceSeesTwoMillisecondsPerExchange) {
    ReportSchedule schedule(TimingModel::UsbFullSpeed, kOrigin);
    TimePoint hostWrites = At(microseconds(300));
    TimePoint previousReply;
    for (int exchange = 0; exchange < 50; ++exchange) {
        const TimePoint reply =
            schedule.SendReport(schedule.DeliverRequest(hostWrites), milliseconds(0));
        if (exchange > 0) {
            EXPECT_EQ(reply - previousReply, milliseconds(2));
        }
        previousReply = reply;
        // The host (and a late wake-up of the server) adds up to most of a frame.
        hostWrites = reply + microseconds(50 + (exchange * 173) % 900);
    }
}

TEST(UsbFullSpeedSchedule, DelaysKeepReportsOnTheFrameGrid) {
    ReportSchedule schedule(TimingModel::UsbFullSpeed, kOrigin);
    const TimePoint delivery = schedule.DeliverRequest(At(microseconds(2500)));
    EXPECT_EQ(schedule.SendReport(delivery, milliseconds(25)), At(microseconds(29000)));
}

TEST(UsbFullSpeedSchedule, AKeypadAtWorkAnswersAtOnceAndTakesTheNextRequestWhenDone) {
    ReportSchedule schedule(TimingModel::UsbFullSpeed, kOrigin);
    const TimePoint erase = schedule.DeliverRequest(At(microseconds(500)));
    EXPECT_EQ(schedule.SendReport(erase, milliseconds(0), milliseconds(40)), At(milliseconds(2)));
    const TimePoint next = schedule.DeliverRequest(At(microseconds(2500)));
    EXPECT_EQ(next, At(milliseconds(41)));
    EXPECT_EQ(schedule.SendReport(next, milliseconds(0)), At(milliseconds(42)));
}

TEST(InstantSchedule, WorkTakesNoTime) {
    ReportSchedule schedule(TimingModel::Instant, kOrigin);
    const TimePoint delivery = schedule.DeliverRequest(At(microseconds(700)));
    EXPECT_EQ(schedule.SendReport(delivery, milliseconds(0), milliseconds(1280)), delivery);
}

TEST(InstantSchedule, PassesStraightThroughButKeepsReportOrder) {
    ReportSchedule schedule(TimingModel::Instant, kOrigin);
    const TimePoint delivery = schedule.DeliverRequest(At(microseconds(1234)));
    EXPECT_EQ(delivery, At(microseconds(1234)));
    EXPECT_EQ(schedule.SendReport(delivery, milliseconds(0)), delivery);
    const TimePoint delayed = schedule.SendReport(delivery, milliseconds(40));
    EXPECT_EQ(delayed, delivery + milliseconds(40));
    // A later request answered at once still waits for the delayed report ahead of it.
    const TimePoint next = schedule.DeliverRequest(At(microseconds(5000)));
    EXPECT_EQ(schedule.SendReport(next, milliseconds(0)), delayed);
}

TEST(TimingModelNames, RoundTrip) {
    EXPECT_EQ(ParseTimingModel("instant"), TimingModel::Instant);
    EXPECT_EQ(ParseTimingModel("usb-fs"), TimingModel::UsbFullSpeed);
    EXPECT_FALSE(ParseTimingModel("usb-hs"));
    EXPECT_STREQ(TimingModelName(TimingModel::UsbFullSpeed), "usb-fs");
}

}  // namespace
}  // namespace varnel::sim
