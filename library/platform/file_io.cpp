#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace varnel {

std::string SystemError(int error) {
    return std::strerror(error);
}

FileBytes ReadWholeFile(const std::string& path) {
    FileBytes file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        file.error = errno;
        return file;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            file.bytes.append(buffer, static_cast<size_t>(got));
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            file.error = errno;
            break;
        }
    }
    ::close(fd);
    return file;
}

namespace {

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put > 0) {
            done += static_cast<size_t>(put);
        } else if (put < 0 && errno != EINTR) {
            return false;
        }
    }
    return true;
}

// A new file beside `path`, created with the permissions of the file it will replace (or the
// usual ones, less the umask, for a new file).
int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    static std::atomic<unsigned> s_nCounter{0};
    struct stat existing {};
    const bool replaces = ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + ".tmp." + std::to_string(::getpid()) + "." +
                    std::to_string(s_nCounter.fetch_add(1));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd >= 0 && replaces) ::fchmod(fd, existing.st_mode & 07777);
        return fd;
    }
    errno = EEXIST;
    return -1;
}

// Makes the rename durable: syncs the folder that holds the file. A folder that cannot be
// opened or synced does not undo the save, which has already happened.
void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int ReplaceFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0) return errno;
    bool written = WriteAll(fd, bytes);
    int error = written ? 0 : errno;
    if (written && ::fsync(fd) != 0) {
        written = false;
        error = errno;
    }
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolderOf(path);
    return 0;
}

}  // namespace varnel
