#include "state_autosave.h"

#include <algorithm>

namespace varnel::sim {

StateAutosave::StateAutosave(std::string path, TimerQueue& timers, StateSource current)
    : m_Timers(timers), m_Current(std::move(current)), m_Saver(std::move(path)) {}

void StateAutosave::Changed(TimePoint now) {
    m_LastChange = now;
    if (m_bSavePending)
        return;
    m_bSavePending = true;
    m_FirstUnsavedChange = now;
    const TimePoint due = now + kQuietPeriod;
    m_Timers.At(due, [this, due] { SaveWhenQuiet(due); });
}

void StateAutosave::SaveWhenQuiet(TimePoint now) {
    const TimePoint quietAt = m_LastChange + kQuietPeriod;
    const TimePoint latest = m_FirstUnsavedChange + kLongestWait;
    if (now < quietAt && now < latest) {
        const TimePoint due = std::min(quietAt, latest);
        m_Timers.At(due, [this, due] { SaveWhenQuiet(due); });
        return;
    }
    m_bSavePending = false;
    m_Saver.Submit(m_Current());
}

bool StateAutosave::Finish(std::string& error) {
    m_bSavePending = false;
    m_Saver.Submit(m_Current());
    return m_Saver.Flush(error);
}

}  // namespace varnel::sim
