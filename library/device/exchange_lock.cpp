#include "exchange_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

namespace varnel {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

// One per lock file and process: the file stays open for the life of the process, so an
// exchange costs two flock calls and no file lookup. flock excludes other processes; within this
// process `busy` excludes other threads, since they share the open file and flock would let them
// all in.
struct ExchangeLock::SharedLock {
    int fd = -1;
    std::mutex mutex;
    std::condition_variable released;
    bool busy = false;

    bool Take(Clock::time_point deadline) {
        std::unique_lock lock(mutex);
        if (!released.wait_until(lock, deadline, [this] { return !busy; })) return false;
        busy = true;
        return true;
    }

    void Give() {
        {
            std::lock_guard lock(mutex);
            busy = false;
        }
        released.notify_one();
    }
};

namespace {

std::shared_ptr<ExchangeLock::SharedLock> SharedLockFor(const std::string& path) {
    static std::mutex registryMutex;
    static std::map<std::string, std::shared_ptr<ExchangeLock::SharedLock>> registry;
    std::lock_guard lock(registryMutex);
    auto& entry = registry[path];
    if (!entry) {
        entry = std::make_shared<ExchangeLock::SharedLock>();
        const int saved = errno;  // a missing lock file is no error of the exchange
        entry->fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        errno = saved;
    }
    return entry;
}

// flock has no time-out of its own: try, and back off briefly while another process holds it.
bool LockFile(int fd, Clock::time_point deadline) {
    auto pause = std::chrono::microseconds(50);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(1000));
    }
    return true;
}

}  // namespace

std::string ExchangeLock::LockPath(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/" + name;
    return "/tmp/" + std::to_string(::getuid()) + "-" + name;
}

bool ExchangeLock::Acquire(const std::string& name, int timeoutMs) {
    if (m_pLock) return true;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto shared = SharedLockFor(LockPath(name));
    const int saved = errno;
    if (!shared->Take(deadline)) {
        errno = ETIMEDOUT;
        return false;
    }
    if (shared->fd >= 0 && !LockFile(shared->fd, deadline)) {
        shared->Give();
        errno = ETIMEDOUT;
        return false;
    }
    errno = saved;
    m_pLock = std::move(shared);
    return true;
}

void ExchangeLock::Release() {
    if (!m_pLock) return;
    if (m_pLock->fd >= 0) ::flock(m_pLock->fd, LOCK_UN);
    m_pLock->Give();
    m_pLock.reset();
}

}  // namespace varnel
