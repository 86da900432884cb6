// Decides when to save the state file after the keypad's persistent state changes: once changes
// have been quiet for a moment, and at least about once a second while they keep coming, so
// flashing a whole area costs a few saves instead of one per report.
#pragma once

#include <chrono>
#include <functional>

#include "timer_queue.h"

namespace varnel::sim {

class SaveDebouncer {
  public:
    static constexpr std::chrono::milliseconds kQuietPeriod{150};
    static constexpr std::chrono::milliseconds kLongestWait{1000};

    SaveDebouncer(TimerQueue& timers, std::function<void()> save);

    void Changed(TimePoint now);

  private:
    void SaveWhenQuiet(TimePoint now);

    TimerQueue& m_Timers;
    std::function<void()> m_Save;
    bool m_bSavePending = false;
    TimePoint m_FirstUnsavedChange;
    TimePoint m_LastChange;
};

}  // namespace varnel::sim
