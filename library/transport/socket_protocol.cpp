#include "socket_protocol.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace varnel::sockproto {

namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

std::vector<uint8_t> EncodeFrame(MessageType type, const void* payload, size_t size) {
    std::vector<uint8_t> out;
    out.reserve(5 + size);
    const uint32_t length = static_cast<uint32_t>(size + 1);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(length >> (8 * i)));
    out.push_back(static_cast<uint8_t>(type));
    const auto* bytes = static_cast<const uint8_t*>(payload);
    if (size != 0) out.insert(out.end(), bytes, bytes + size);
    return out;
}

std::vector<uint8_t> EncodeFrame(MessageType type, const std::string& text) {
    return EncodeFrame(type, text.data(), text.size());
}

std::vector<uint8_t> EncodeInterfaces(const std::vector<InterfaceRecord>& interfaces) {
    std::vector<uint8_t> payload;
    PutU16(payload, static_cast<uint16_t>(interfaces.size()));
    for (const InterfaceRecord& r : interfaces) {
        PutU16(payload, r.vendorId);
        PutU16(payload, r.productId);
        PutU16(payload, r.usagePage);
        PutU16(payload, r.usage);
        PutU16(payload, static_cast<uint16_t>(r.interfaceNumber));
        PutU16(payload, static_cast<uint16_t>(r.path.size()));
        payload.insert(payload.end(), r.path.begin(), r.path.end());
    }
    return EncodeFrame(MessageType::Interfaces, payload.data(), payload.size());
}

std::optional<std::vector<InterfaceRecord>> DecodeInterfaces(const std::vector<uint8_t>& payload) {
    if (payload.size() < 2) return std::nullopt;
    const uint8_t* p = payload.data();
    const uint8_t* end = p + payload.size();
    const uint16_t count = GetU16(p);
    p += 2;
    std::vector<InterfaceRecord> out;
    for (uint16_t i = 0; i < count; ++i) {
        if (end - p < 12) return std::nullopt;
        InterfaceRecord r;
        r.vendorId = GetU16(p);
        r.productId = GetU16(p + 2);
        r.usagePage = GetU16(p + 4);
        r.usage = GetU16(p + 6);
        r.interfaceNumber = static_cast<int16_t>(GetU16(p + 8));
        const uint16_t pathLength = GetU16(p + 10);
        p += 12;
        if (end - p < pathLength) return std::nullopt;
        r.path.assign(reinterpret_cast<const char*>(p), pathLength);
        p += pathLength;
        out.push_back(std::move(r));
    }
    return out;
}

void FrameDecoder::Feed(const uint8_t* data, size_t size) {
    if (m_nStart > 0 && m_nStart == m_Buffer.size()) {
        m_Buffer.clear();
        m_nStart = 0;
    }
    m_Buffer.insert(m_Buffer.end(), data, data + size);
}

std::optional<Frame> FrameDecoder::Next() {
    const size_t available = m_Buffer.size() - m_nStart;
    if (m_bBroken || available < 4) return std::nullopt;
    const uint8_t* p = m_Buffer.data() + m_nStart;
    const uint32_t length = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
    if (length == 0 || length > kMaxFrame) {
        m_bBroken = true;
        return std::nullopt;
    }
    if (available < 4 + length) return std::nullopt;
    Frame frame;
    frame.type = static_cast<MessageType>(p[4]);
    frame.payload.assign(p + 5, p + 4 + length);
    m_nStart += 4 + length;
    if (m_nStart > 4096 && m_nStart * 2 > m_Buffer.size()) {
        m_Buffer.erase(m_Buffer.begin(), m_Buffer.begin() + static_cast<ptrdiff_t>(m_nStart));
        m_nStart = 0;
    }
    return frame;
}

bool SendAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        sent += static_cast<size_t>(n);
    }
    return true;
}

std::optional<Frame> ReceiveFrame(int fd, FrameDecoder& decoder, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (auto frame = decoder.Next()) return frame;
        if (decoder.Broken()) return std::nullopt;
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() < 0) return std::nullopt;
            wait = static_cast<int>(left.count()) + 1;
        }
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, wait);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        uint8_t chunk[4096];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        decoder.Feed(chunk, static_cast<size_t>(n));
    }
}

int ConnectUnixSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return -1;
    }
    return fd;
}

}  // namespace varnel::sockproto
