#include "timer_queue.h"

#include <algorithm>

namespace varnel::sim {

bool TimerQueue::RunsLater(const Entry& a, const Entry& b) {
    return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
}

void TimerQueue::At(TimePoint due, Action action) {
    m_Heap.push_back({due, m_nNextSequence++, std::move(action)});
    std::push_heap(m_Heap.begin(), m_Heap.end(), RunsLater);
}

std::optional<TimePoint> TimerQueue::NextDue() const {
    if (m_Heap.empty()) return std::nullopt;
    return m_Heap.front().due;
}

void TimerQueue::RunDue(TimePoint now) {
    while (!m_Heap.empty() && m_Heap.front().due <= now) {
        std::pop_heap(m_Heap.begin(), m_Heap.end(), RunsLater);
        Action action = std::move(m_Heap.back().action);
        m_Heap.pop_back();
        action();
    }
}

}  // namespace varnel::sim
