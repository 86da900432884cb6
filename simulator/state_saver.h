// Writes state snapshots to the state file on a worker thread, so a slow disk never holds up the
// report loop. When snapshots come faster than the disk, only the newest pending one is written.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "persistent_state.h"

namespace varnel::sim {

class BackgroundStateSaver {
  public:
    explicit BackgroundStateSaver(std::string path);
    // Writes what is still pending before the worker ends.
    ~BackgroundStateSaver();
    BackgroundStateSaver(const BackgroundStateSaver&) = delete;
    BackgroundStateSaver& operator=(const BackgroundStateSaver&) = delete;

    void Submit(PersistentState snapshot);
    // Waits until every submitted snapshot is written; false, with the reason, when the last
    // write failed.
    bool Flush(std::string& error);

  private:
    void Work();

    std::string m_Path;
    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    std::optional<PersistentState> m_Pending;
    bool m_bWriting = false;
    bool m_bStopping = false;
    std::string m_LastError;
    std::thread m_Worker;
};

}  // namespace varnel::sim
