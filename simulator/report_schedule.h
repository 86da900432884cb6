// When reports cross the simulated USB link.
//
// instant: a request reaches the keypad as soon as it arrives and its reply leaves at once.
// usb-fs:  a full-speed interrupt endpoint pair on a free-running 1 ms frame clock that starts at
//          `origin`. A request is delivered at the first frame boundary strictly after it arrives,
//          one per frame; its reply leaves one frame later, one report per frame towards the host.
//          A request the keypad has to work on (an erase) is answered at once, and the keypad
//          takes no further request until the work is done: the host's pause after an erase
//          is the time the keypad erases in.
// All times are absolute, so a late wake-up never shifts later reports off the frame grid.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace varnel::sim {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;

enum class TimingModel { Instant, UsbFullSpeed };

// "instant" or "usb-fs".
std::optional<TimingModel> ParseTimingModel(std::string_view text);
const char* TimingModelName(TimingModel model);

class ReportSchedule {
  public:
    static constexpr std::chrono::milliseconds kFrame{1};

    ReportSchedule(TimingModel model, TimePoint origin);

    // When a request that arrived at `arrival` is delivered to the keypad.
    TimePoint DeliverRequest(TimePoint arrival);
    // When a report answering a request delivered at `delivery`, held back by `extraDelay`,
    // leaves for the host; the keypad's `work` on the request holds back the next request.
    // Reports leave in the order of these calls. Work takes no time in the instant model.
    TimePoint SendReport(TimePoint delivery, std::chrono::milliseconds extraDelay,
                         std::chrono::milliseconds work = {});

  private:
    TimingModel m_Model;
    TimePoint m_Origin;
    TimePoint m_NextRequestFrame;
    TimePoint m_NextReportSlot;
};

}  // namespace varnel::sim
