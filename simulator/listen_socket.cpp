#include "listen_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "socket_protocol.h"

namespace varnel::sim {

namespace {

std::string WithErrno(const std::string& message) {
    return message + ": " + std::strerror(errno);
}

// Clears the way for binding: false when the path belongs to someone else.
bool RemoveStaleSocket(const std::string& path, std::string& error) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        if (errno == ENOENT) return true;
        error = WithErrno("cannot examine " + path);
        return false;
    }
    if (!S_ISSOCK(status.st_mode)) {
        error = path + " exists and is not a socket";
        return false;
    }
    const int probe = sockproto::ConnectUnixSocket(path);
    if (probe >= 0) {
        ::close(probe);
        error = "a simulator is already listening on " + path;
        return false;
    }
    if (errno != ECONNREFUSED) {
        error = WithErrno("cannot probe " + path);
        return false;
    }
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        error = WithErrno("cannot remove the stale socket " + path);
        return false;
    }
    return true;
}

}  // namespace

ListenSocket::~ListenSocket() {
    if (m_Fd < 0) return;
    ::close(m_Fd);
    struct stat status {};
    if (::lstat(m_Path.c_str(), &status) == 0 && status.st_ino == m_Inode) {
        ::unlink(m_Path.c_str());
    }
}

bool ListenSocket::Open(const std::string& path, std::string& error) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        error = "socket path '" + path + "' is empty or too long";
        return false;
    }
    if (!RemoveStaleSocket(path, error)) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = WithErrno("cannot create a socket");
        return false;
    }
    struct stat status {};
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 64) != 0 || ::lstat(path.c_str(), &status) != 0) {
        error = WithErrno("cannot listen on " + path);
        ::close(fd);
        return false;
    }
    m_Fd = fd;
    m_Path = path;
    m_Inode = status.st_ino;
    return true;
}

}  // namespace varnel::sim
