// The socket backend: HID interfaces served by the keypad simulator over a Unix socket.
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>
#include <utility>

#include "hid_transport.h"
#include "socket_protocol.h"

namespace varnel {

namespace {

namespace sp = sockproto;

// How long the simulator may take to answer an enumeration or an open.
constexpr int kSetupTimeoutMs = 2000;

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

// Connections to the simulator are kept and reused between exchanges: opening a fresh socket
// for every enumeration and every exchange would cost more than the exchange itself. A socket is
// given back only while healthy; the simulator closes it when the keypad goes away.
class SocketPool {
  public:
    explicit SocketPool(std::string path) : m_strPath(std::move(path)) {}
    ~SocketPool() {
        for (auto& idle : m_Idle) ::close(idle.fd);
    }

    struct Lease {
        int fd = -1;
        sp::FrameDecoder decoder;
        bool reused = false;
    };

    Lease Take() {
        {
            std::lock_guard lock(m_Mutex);
            if (!m_Idle.empty()) {
                Lease lease = std::move(m_Idle.back());
                m_Idle.pop_back();
                lease.reused = true;
                return lease;
            }
        }
        Lease lease;
        lease.fd = sp::ConnectUnixSocket(m_strPath);
        return lease;
    }

    void Give(Lease lease) {
        if (lease.fd < 0 || lease.decoder.Broken()) return Discard(lease);
        std::lock_guard lock(m_Mutex);
        m_Idle.push_back(std::move(lease));
    }

    static void Discard(Lease& lease) {
        if (lease.fd >= 0) ::close(lease.fd);
        lease.fd = -1;
    }

    // Sends a request and waits for the frame of the expected type; frames left over from an
    // earlier use of the socket (late replies, acknowledgements) are skipped.
    static std::optional<sp::Frame> Ask(Lease& lease, const std::vector<uint8_t>& request,
                                        sp::MessageType expected) {
        if (!SendWithin(lease.fd, request, kSetupTimeoutMs)) return std::nullopt;
        for (;;) {
            auto frame = sp::ReceiveFrame(lease.fd, lease.decoder, kSetupTimeoutMs);
            if (!frame || frame->type == expected) return frame;
        }
    }

    // As Ask, on a reused socket first and on a fresh one when the reused one has gone stale.
    std::optional<sp::Frame> AskWithLease(Lease& lease, const std::vector<uint8_t>& request,
                                          sp::MessageType expected) {
        lease = Take();
        if (lease.fd < 0) return std::nullopt;
        auto frame = Ask(lease, request, expected);
        if (frame || !lease.reused) return frame;
        Discard(lease);
        lease = Lease{};
        lease.fd = sp::ConnectUnixSocket(m_strPath);
        if (lease.fd < 0) return std::nullopt;
        return Ask(lease, request, expected);
    }

  private:
    std::string m_strPath;
    std::mutex m_Mutex;
    std::vector<Lease> m_Idle;
};

class SocketConnection final : public HidConnection {
  public:
    SocketConnection(std::shared_ptr<SocketPool> pool, SocketPool::Lease lease)
        : m_pPool(std::move(pool)), m_Lease(std::move(lease)) {}

    // The socket stays on the interface until its next open: replies that arrive meanwhile are
    // skipped by the next reader, and a keypad that goes away closes the socket.
    ~SocketConnection() override {
        if (m_bFailed) {
            SocketPool::Discard(m_Lease);
        } else {
            m_pPool->Give(std::move(m_Lease));
        }
    }

    bool Write(const uint8_t* report, int timeoutMs, size_t* written) override {
        if (!SendWithin(m_Lease.fd,
                        sp::EncodeFrame(sp::MessageType::Report, report, kHidReportSize),
                        timeoutMs)) {
            m_bFailed = true;
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
            auto frame = sp::ReceiveFrame(m_Lease.fd, m_Lease.decoder,
                                          static_cast<int>(std::max<int64_t>(left.count(), 0)));
            if (!frame) {
                const bool timedOut = Clock::now() >= deadline;
                if (!timedOut) m_bFailed = true;  // the simulator closed it: the keypad went away
                if (errno == 0) errno = timedOut ? ETIMEDOUT : ENODEV;
                return false;
            }
            if (frame->type == sp::MessageType::Opened && m_bAwaitingOpen) {
                m_bAwaitingOpen = false;
                if (frame->payload.size() == 1 && frame->payload[0] == 1) continue;
                errno = ENODEV;  // the interface went away between enumeration and open
                return false;
            }
            // Reports that arrived before this open are not this reader's, as on a real device.
            if (m_bAwaitingOpen || frame->type != sp::MessageType::Report ||
                frame->payload.size() != kHidReportSize) {
                continue;
            }
            std::memcpy(report, frame->payload.data(), kHidReportSize);
            if (read) *read = kHidReportSize;
            return true;
        }
    }

  private:
    std::shared_ptr<SocketPool> m_pPool;
    SocketPool::Lease m_Lease;
    bool m_bFailed = false;
    bool m_bAwaitingOpen = true;
};

class SocketTransport final : public HidTransport {
  public:
    explicit SocketTransport(std::string path)
        : m_strPath(path), m_pPool(std::make_shared<SocketPool>(std::move(path))) {}

    // A simulator that is not running looks like a machine without a keypad.
    std::vector<HidInterfaceInfo> Enumerate() override {
        SocketPool::Lease lease;
        auto frame =
            m_pPool->AskWithLease(lease, sp::EncodeFrame(sp::MessageType::Enumerate, nullptr, 0),
                                  sp::MessageType::Interfaces);
        if (!frame) {
            SocketPool::Discard(lease);
            return {};
        }
        m_pPool->Give(std::move(lease));
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

    // The open is not waited for: its answer is read together with the reply to the first
    // request, which saves a round trip per exchange. Enumeration has just used the same socket,
    // so an interface it listed is there unless the keypad left in these microseconds; then the
    // first read fails.
    std::unique_ptr<HidConnection> Open(const std::string& path) override {
        SocketPool::Lease lease = m_pPool->Take();
        if (lease.fd < 0) return nullptr;
        if (!SendWithin(lease.fd, sp::EncodeFrame(sp::MessageType::Open, path), kSetupTimeoutMs)) {
            SocketPool::Discard(lease);
            return nullptr;
        }
        return std::make_unique<SocketConnection>(m_pPool, std::move(lease));
    }

    // Each simulator is a keypad of its own, so each socket gets its own exchange lock.
    std::string ExchangeLockName() const override {
        uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a: the same name in every process
        for (unsigned char c : m_strPath) hash = (hash ^ c) * 0x100000001b3ull;
        return "varnel-keypad-sim-" + std::to_string(hash) + ".lock";
    }

  private:
    std::string m_strPath;
    std::shared_ptr<SocketPool> m_pPool;
};

}  // namespace

std::shared_ptr<HidTransport> MakeSocketTransport(const std::string& socketPath) {
    return std::make_shared<SocketTransport>(socketPath);
}

}  // namespace varnel
