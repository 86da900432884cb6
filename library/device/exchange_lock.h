// An advisory lock shared by every process of the user, taken around device exchanges.
//
// The HID layer hands every input report to every open reader of the device, so two processes
// (the program and varnelctl, say) that talk to the keypad at once would take each other's
// replies. Each exchange therefore holds this lock from its first write until it closes. Within
// one process the lock also keeps two threads' exchanges apart.
#pragma once

#include <memory>
#include <string>

namespace varnel {

class ExchangeLock {
  public:
    ExchangeLock() = default;
    ~ExchangeLock() { Release(); }
    ExchangeLock(const ExchangeLock&) = delete;
    ExchangeLock& operator=(const ExchangeLock&) = delete;

    // Waits at most timeoutMs for the lock named `name` in the user's runtime folder. True when
    // held (also when it was held already). A lock file that cannot be created is not a reason
    // to refuse the exchange: the lock then only keeps this process's threads apart.
    bool Acquire(const std::string& name, int timeoutMs);
    void Release();
    bool Held() const { return m_pLock != nullptr; }

    // $XDG_RUNTIME_DIR/name, else the system's temporary folder with the user's id in the name.
    static std::string LockPath(const std::string& name);

    struct SharedLock;

  private:
    std::shared_ptr<SharedLock> m_pLock;
};

}  // namespace varnel
