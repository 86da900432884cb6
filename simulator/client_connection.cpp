#include "client_connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace varnel::sim {

namespace {
// A client that stops reading is cut off instead of making the simulator buffer without end.
constexpr size_t kMaxUnsent = 8 << 20;
}  // namespace

ClientConnection::ClientConnection(int fd, uint64_t id) : m_Fd(fd), m_nId(id) {}

ClientConnection::~ClientConnection() {
    ::close(m_Fd);
}

bool ClientConnection::ReadAvailable() {
    for (;;) {
        uint8_t chunk[4096];
        const ssize_t n = ::recv(m_Fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            m_Decoder.Feed(chunk, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return !m_Decoder.Broken();
        return false;
    }
}

void ClientConnection::Send(const std::vector<uint8_t>& bytes) {
    if (closing && m_Unsent.empty()) return;
    m_Unsent.insert(m_Unsent.end(), bytes.begin(), bytes.end());
    if (!Flush() || m_Unsent.size() - m_nUnsentStart > kMaxUnsent) closing = true;
}

bool ClientConnection::Flush() {
    while (HasUnsentOutput()) {
        const ssize_t n = ::send(m_Fd, m_Unsent.data() + m_nUnsentStart,
                                 m_Unsent.size() - m_nUnsentStart, MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
        m_nUnsentStart += static_cast<size_t>(n);
    }
    m_Unsent.clear();
    m_nUnsentStart = 0;
    return true;
}

}  // namespace varnel::sim
