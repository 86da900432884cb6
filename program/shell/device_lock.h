// The program's device lock: held around key-map and macro-area transfers so that no other
// device traffic of the program interleaves with them. Its holder may take it again.
#pragma once

#include <mutex>

namespace varnel::program {

class DeviceLock {
  public:
    void lock() { m_Mutex.lock(); }
    void unlock() { m_Mutex.unlock(); }
    bool try_lock() { return m_Mutex.try_lock(); }

  private:
    std::recursive_mutex m_Mutex;
};

}  // namespace varnel::program
