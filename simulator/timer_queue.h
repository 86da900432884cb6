// Actions due at absolute times, for the server's single-threaded event loop.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "report_schedule.h"

namespace varnel::sim {

class TimerQueue {
  public:
    using Action = std::function<void()>;

    void At(TimePoint due, Action action);
    std::optional<TimePoint> NextDue() const;
    // Runs every action due by `now`, earliest first and, for equal times, in the order they
    // were added; includes actions that running ones add for a time up to `now`.
    void RunDue(TimePoint now);

  private:
    struct Entry {
        TimePoint due;
        uint64_t sequence;
        Action action;
    };
    // Heap order: the entry that runs first compares greatest.
    static bool RunsLater(const Entry& a, const Entry& b);

    std::vector<Entry> m_Heap;
    uint64_t m_nNextSequence = 0;
};

}  // namespace varnel::sim
