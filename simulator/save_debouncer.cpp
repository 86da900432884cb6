#include "save_debouncer.h"

#include <algorithm>

namespace varnel::sim {

SaveDebouncer::SaveDebouncer(TimerQueue& timers, std::function<void()> save)
    : m_Timers(timers), m_Save(std::move(save)) {}

void SaveDebouncer::Changed(TimePoint now) {
    m_LastChange = now;
    if (m_bSavePending) return;
    m_bSavePending = true;
    m_FirstUnsavedChange = now;
    const TimePoint due = now + kQuietPeriod;
    m_Timers.At(due, [this, due] { SaveWhenQuiet(due); });
}

void SaveDebouncer::SaveWhenQuiet(TimePoint now) {
    const TimePoint quietAt = m_LastChange + kQuietPeriod;
    const TimePoint latest = m_FirstUnsavedChange + kLongestWait;
    if (now < quietAt && now < latest) {
        const TimePoint due = std::min(quietAt, latest);
        m_Timers.At(due, [this, due] { SaveWhenQuiet(due); });
        return;
    }
    m_bSavePending = false;
    m_Save();
}

}  // namespace varnel::sim
