// The program's device lock: held around key-map and macro-area transfers so that no other
// transfer interleaves with them. Its holder may take it again; other threads wait. For as long
// as it is held it also holds an advisory lock that every process of the user shares, so that
// the running program and varnelctl never run two transfers at once; device locks of one process
// share that advisory lock. (Single exchanges outside transfers are kept apart by the library's
// own per-exchange lock.)
#pragma once

#include <mutex>
#include <string>

namespace varnel::program {

class DeviceLock {
  public:
    DeviceLock() = default;
    ~DeviceLock();
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

    void lock();
    void unlock();
    bool try_lock();

    // $XDG_RUNTIME_DIR/varnel-keypad-transfer.lock, else in the system's temporary folder with
    // the user's id in the name.
    static std::string LockPath();

  private:
    void TakeProcessLock();
    bool TryProcessLock();
    void ReleaseProcessLock();

    std::recursive_mutex m_Mutex;
    int m_nDepth = 0;
    bool m_bHoldsProcessLock = false;
};

}  // namespace varnel::program
