#include "device_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

namespace varnel::program {

namespace {

// One advisory lock for the whole process: flock() locks belong to an open file, so two device
// locks of one process (nested calls that each make their own) must share one file, or the
// second would wait for the first forever.
struct ProcessLock {
    std::mutex mutex;
    int holders = 0;
    int file = -1;
};

ProcessLock& SharedProcessLock() {
    static ProcessLock s_Lock;
    return s_Lock;
}

}  // namespace

DeviceLock::~DeviceLock() {
    if (m_bHoldsProcessLock) ReleaseProcessLock();
}

std::string DeviceLock::LockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/varnel-keypad-transfer.lock";
    return "/tmp/" + std::to_string(::getuid()) + "-varnel-keypad-transfer.lock";
}

// A lock file that cannot be opened does not stop the transfer: the lock then keeps only this
// process's threads apart.
void DeviceLock::TakeProcessLock() {
    ProcessLock& shared = SharedProcessLock();
    std::lock_guard guard(shared.mutex);
    m_bHoldsProcessLock = true;
    if (shared.holders++ > 0) return;
    shared.file = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (shared.file < 0) return;
    while (::flock(shared.file, LOCK_EX) != 0 && errno == EINTR) {
    }
}

bool DeviceLock::TryProcessLock() {
    ProcessLock& shared = SharedProcessLock();
    std::lock_guard guard(shared.mutex);
    if (shared.holders == 0) {
        const int file = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (file >= 0 && ::flock(file, LOCK_EX | LOCK_NB) != 0) {
            ::close(file);
            return false;
        }
        shared.file = file;
    }
    ++shared.holders;
    m_bHoldsProcessLock = true;
    return true;
}

void DeviceLock::ReleaseProcessLock() {
    ProcessLock& shared = SharedProcessLock();
    std::lock_guard guard(shared.mutex);
    m_bHoldsProcessLock = false;
    if (--shared.holders > 0 || shared.file < 0) return;
    ::flock(shared.file, LOCK_UN);
    ::close(shared.file);
    shared.file = -1;
}

void DeviceLock::lock() {
    m_Mutex.lock();
    if (m_nDepth++ == 0) TakeProcessLock();
}

bool DeviceLock::try_lock() {
    if (!m_Mutex.try_lock()) return false;
    if (m_nDepth == 0 && !TryProcessLock()) {
        m_Mutex.unlock();
        return false;
    }
    ++m_nDepth;
    return true;
}

void DeviceLock::unlock() {
    if (--m_nDepth == 0) ReleaseProcessLock();
    m_Mutex.unlock();
}

}  // namespace varnel::program
