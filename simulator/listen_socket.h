// The simulator's listening Unix socket.
#pragma once

#include <sys/types.h>

#include <string>

namespace varnel::sim {

class ListenSocket {
  public:
    ListenSocket() = default;
    // Removes the socket file, unless another process has replaced it since.
    ~ListenSocket();
    ListenSocket(const ListenSocket&) = delete;
    ListenSocket& operator=(const ListenSocket&) = delete;

    // Binds and listens at `path`, replacing a stale socket file that nobody listens on. Refuses
    // a path where a live simulator listens or that is not a socket.
    bool Open(const std::string& path, std::string& error);
    int Fd() const { return m_Fd; }

  private:
    int m_Fd = -1;
    std::string m_Path;
    ino_t m_Inode = 0;
};

}  // namespace varnel::sim
