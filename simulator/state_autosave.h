// Saves the state file shortly after the keypad's persistent state changes: once it has been
// quiet for a moment, and at least about once a second while changes keep coming, so flashing
// a whole area costs a few writes instead of one per report.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "persistent_state.h"
#include "state_saver.h"
#include "timer_queue.h"

namespace varnel::sim {

class StateAutosave {
  public:
    static constexpr std::chrono::milliseconds kQuietPeriod{150};
    static constexpr std::chrono::milliseconds kLongestWait{1000};

    using StateSource = std::function<const PersistentState&()>;

    StateAutosave(std::string path, TimerQueue& timers, StateSource current);

    void Changed(TimePoint now);
    // Writes the current state and waits for it to reach the disk; false with the reason when
    // writing failed.
    bool Finish(std::string& error);

  private:
    void SaveWhenQuiet(TimePoint now);

    TimerQueue& m_Timers;
    StateSource m_Current;
    BackgroundStateSaver m_Saver;
    bool m_bSavePending = false;
    TimePoint m_FirstUnsavedChange;
    TimePoint m_LastChange;
};

}  // namespace varnel::sim
