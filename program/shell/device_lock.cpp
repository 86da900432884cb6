#include "device_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace varnel::program {

DeviceLock::~DeviceLock() {
    ReleaseProcessLock();
}

std::string DeviceLock::LockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/varnel-keypad-transfer.lock";
    return "/tmp/" + std::to_string(::getuid()) + "-varnel-keypad-transfer.lock";
}

// A lock file that cannot be opened does not stop the transfer: the lock then keeps only this
// process's threads apart.
void DeviceLock::TakeProcessLock() {
    m_nFile = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_nFile < 0) return;
    while (::flock(m_nFile, LOCK_EX) != 0 && errno == EINTR) {
    }
}

void DeviceLock::ReleaseProcessLock() {
    if (m_nFile < 0) return;
    ::flock(m_nFile, LOCK_UN);
    ::close(m_nFile);
    m_nFile = -1;
}

void DeviceLock::lock() {
    m_Mutex.lock();
    if (m_nDepth++ == 0) TakeProcessLock();
}

bool DeviceLock::try_lock() {
    if (!m_Mutex.try_lock()) return false;
    if (m_nDepth == 0) {
        const int file = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (file >= 0 && ::flock(file, LOCK_EX | LOCK_NB) != 0) {
            ::close(file);
            m_Mutex.unlock();
            return false;
        }
        m_nFile = file;
    }
    ++m_nDepth;
    return true;
}

void DeviceLock::unlock() {
    if (--m_nDepth == 0) ReleaseProcessLock();
    m_Mutex.unlock();
}

}  // namespace varnel::program
