#include "state_saver.h"

#include <cstdio>

#include "state_file.h"

namespace varnel::sim {

BackgroundStateSaver::BackgroundStateSaver(std::string path)
    : m_Path(std::move(path)), m_Worker([this] { Work(); }) {}

BackgroundStateSaver::~BackgroundStateSaver() {
    {
        std::lock_guard lock(m_Mutex);
        m_bStopping = true;
    }
    m_Changed.notify_all();
    m_Worker.join();
}

void BackgroundStateSaver::Submit(PersistentState snapshot) {
    {
        std::lock_guard lock(m_Mutex);
        m_Pending = std::move(snapshot);
    }
    m_Changed.notify_all();
}

bool BackgroundStateSaver::Flush(std::string& error) {
    std::unique_lock lock(m_Mutex);
    m_Changed.wait(lock, [this] { return !m_Pending && !m_bWriting; });
    error = m_LastError;
    return m_LastError.empty();
}

void BackgroundStateSaver::Work() {
    std::unique_lock lock(m_Mutex);
    for (;;) {
        m_Changed.wait(lock, [this] { return m_Pending || m_bStopping; });
        if (!m_Pending) return;
        PersistentState snapshot = std::move(*m_Pending);
        m_Pending.reset();
        m_bWriting = true;
        lock.unlock();
        std::string error;
        if (!SaveStateFile(m_Path, snapshot, error)) {
            std::fprintf(stderr, "varnel-keypad-sim: cannot save the state: %s\n", error.c_str());
        }
        lock.lock();
        m_bWriting = false;
        m_LastError = error;
        m_Changed.notify_all();
    }
}

}  // namespace varnel::sim
