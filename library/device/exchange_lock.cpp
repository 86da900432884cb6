#include "exchange_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace varnel {

std::string ExchangeLock::LockPath(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/" + name;
    return "/tmp/" + std::to_string(::getuid()) + "-" + name;
}

bool ExchangeLock::Acquire(const std::string& name, int timeoutMs) {
    if (m_bHeld) return true;
    const int saved = errno;  // a missing lock file is no error of the exchange
    m_fd = ::open(LockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        errno = saved;
        m_bHeld = true;
        return true;
    }
    // flock has no time-out of its own: try, and back off briefly while another process holds it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    auto pause = std::chrono::microseconds(50);
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            ::close(m_fd);
            m_fd = -1;
            errno = ETIMEDOUT;
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(1000));
    }
    errno = saved;
    m_bHeld = true;
    return true;
}

void ExchangeLock::Release() {
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
    m_bHeld = false;
}

}  // namespace varnel
