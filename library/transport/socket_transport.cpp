// The socket backend: HID interfaces served by the keypad simulator over a Unix socket.
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include "hid_transport.h"
#include "socket_protocol.h"

namespace varnel {

namespace {

namespace sp = sockproto;

// How long the simulator may take to answer an enumeration or an open.
constexpr int kSetupTimeoutMs = 2000;

class SocketFd {
public:
    explicit SocketFd(int fd) : m_fd(fd) {}
    ~SocketFd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    SocketFd(const SocketFd&) = delete;
    SocketFd& operator=(const SocketFd&) = delete;
    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// Sends within the time-out; a simulator that stops reading cannot block the caller for longer.
bool SendWithin(int fd, const std::vector<uint8_t>& bytes, int timeoutMs) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n >= 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
        pollfd pfd{fd, POLLOUT, 0};
        const int ready = ::poll(&pfd, 1, timeoutMs);
        if (ready == 0) errno = ETIMEDOUT;
        if (ready <= 0) return false;
    }
    return true;
}

class SocketConnection final : public HidConnection {
public:
    SocketConnection(int fd, sp::FrameDecoder decoder) : m_Fd(fd), m_Decoder(std::move(decoder)) {}

    bool Write(const uint8_t* report, int timeoutMs, size_t* written) override {
        if (!SendWithin(m_Fd.Get(), sp::EncodeFrame(sp::MessageType::Report, report, kHidReportSize),
                        timeoutMs)) {
            return false;
        }
        if (written) *written = kHidReportSize;
        return true;
    }

    bool Read(uint8_t* report, int timeoutMs, size_t* read) override {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            errno = 0;
            auto frame = sp::ReceiveFrame(m_Fd.Get(), m_Decoder, static_cast<int>(left.count()));
            if (!frame) {
                if (errno == 0) errno = Clock::now() >= deadline ? ETIMEDOUT : ENODEV;
                return false;
            }
            if (frame->type != sp::MessageType::Report || frame->payload.size() != kHidReportSize) {
                continue;
            }
            std::memcpy(report, frame->payload.data(), kHidReportSize);
            if (read) *read = kHidReportSize;
            return true;
        }
    }

private:
    SocketFd m_Fd;
    sp::FrameDecoder m_Decoder;
};

class SocketTransport final : public HidTransport {
public:
    explicit SocketTransport(std::string path) : m_strPath(std::move(path)) {}

    // A simulator that is not running looks like a machine without a keypad.
    std::vector<HidInterfaceInfo> Enumerate() override {
        SocketFd fd(sp::ConnectUnixSocket(m_strPath));
        if (fd.Get() < 0) return {};
        if (!SendWithin(fd.Get(), sp::EncodeFrame(sp::MessageType::Enumerate, nullptr, 0),
                        kSetupTimeoutMs)) {
            return {};
        }
        sp::FrameDecoder decoder;
        auto frame = sp::ReceiveFrame(fd.Get(), decoder, kSetupTimeoutMs);
        if (!frame || frame->type != sp::MessageType::Interfaces) return {};
        auto records = sp::DecodeInterfaces(frame->payload);
        if (!records) return {};
        std::vector<HidInterfaceInfo> out;
        out.reserve(records->size());
        for (auto& r : *records) {
            out.push_back({std::move(r.path), r.vendorId, r.productId, r.usagePage, r.usage,
                           r.interfaceNumber});
        }
        return out;
    }

    std::unique_ptr<HidConnection> Open(const std::string& path) override {
        SocketFd fd(sp::ConnectUnixSocket(m_strPath));
        if (fd.Get() < 0) return nullptr;
        if (!SendWithin(fd.Get(), sp::EncodeFrame(sp::MessageType::Open, path), kSetupTimeoutMs)) {
            return nullptr;
        }
        sp::FrameDecoder decoder;
        auto frame = sp::ReceiveFrame(fd.Get(), decoder, kSetupTimeoutMs);
        if (!frame || frame->type != sp::MessageType::Opened || frame->payload.size() != 1 ||
            frame->payload[0] != 1) {
            return nullptr;
        }
        return std::make_unique<SocketConnection>(fd.Release(), std::move(decoder));
    }

    // Each simulator is a keypad of its own, so each socket gets its own exchange lock.
    std::string ExchangeLockName() const override {
        uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a: the same name in every process
        for (unsigned char c : m_strPath) hash = (hash ^ c) * 0x100000001b3ull;
        return "varnel-keypad-sim-" + std::to_string(hash) + ".lock";
    }

private:
    std::string m_strPath;
};

}  // namespace

std::shared_ptr<HidTransport> MakeSocketTransport(const std::string& socketPath) {
    return std::make_shared<SocketTransport>(socketPath);
}

}  // namespace varnel
