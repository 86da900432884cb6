#include "sim_server.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>

#include "client_connection.h"
#include "control_verbs.h"
#include "keypad_link.h"
#include "listen_socket.h"
#include "save_debouncer.h"
#include "state_saver.h"
#include "timer_queue.h"

namespace varnel::sim {

namespace {

using sockproto::MessageType;

// The last few microseconds before a timer are spent spinning: waking from ppoll overshoots by
// tens of microseconds even with a 1 ns timer slack, and usb-fs reports should leave on time.
constexpr std::chrono::microseconds kSpinBeforeTimer{30};

timespec ToPollTimeout(std::chrono::nanoseconds duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((duration - seconds).count())};
}

}  // namespace

struct SimServer::Impl final : LinkListener {
    Impl(ServerOptions serverOptions, DeviceModel model)
        : options(std::move(serverOptions)),
          link(std::move(model), {options.timing, SteadyClock::now(), options.restartDelay}, timers,
               *this) {
        for (const FaultRule& fault : options.faults) link.ApplyFault(fault);
        if (options.statePath) {
            saver.emplace(*options.statePath);
            saveDebouncer.emplace(timers, [this] { saver->Submit(link.Model().State()); });
        }
        if (options.startPlugged) link.Plug();
    }

    // LinkListener
    void SendReport(uint64_t connection, const std::vector<uint8_t>& report) override {
        const auto found = connections.find(connection);
        if (found == connections.end() || found->second->closing) return;
        found->second->Send(
            sockproto::EncodeFrame(MessageType::Report, report.data(), report.size()));
    }
    void InterfaceEvent(const std::string& event) override {
        const auto frame = sockproto::EncodeFrame(MessageType::Event, event);
        for (auto& [id, connection] : connections) {
            if (connection->subscribed) connection->Send(frame);
        }
    }
    void KeypadLeft() override {
        for (auto& [id, connection] : connections) {
            if (connection->openInterface) connection->closing = true;
        }
    }
    void StateChanged() override {
        if (saveDebouncer) saveDebouncer->Changed(SteadyClock::now());
    }

    void Accept() {
        for (;;) {
            const int fd = ::accept4(listener.Fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) return;  // EAGAIN once the backlog is empty; other errors are transient
            const uint64_t id = nextConnectionId++;
            connections.emplace(id, std::make_unique<ClientConnection>(fd, id));
        }
    }

    void Serve(ClientConnection& connection) {
        if (!connection.ReadAvailable()) connection.closing = true;
        while (!connection.closing) {
            auto frame = connection.NextFrame();
            if (!frame) break;
            HandleFrame(connection, *frame);
        }
    }

    void HandleFrame(ClientConnection& connection, const sockproto::Frame& frame) {
        switch (frame.type) {
            case MessageType::Enumerate:
                connection.Send(sockproto::EncodeInterfaces(link.PresentInterfaces()));
                break;
            case MessageType::Open: {
                const std::string path(frame.payload.begin(), frame.payload.end());
                connection.openInterface.reset();
                for (const auto& interface : link.PresentInterfaces()) {
                    if (interface.path == path) connection.openInterface = interface;
                }
                const uint8_t opened = connection.openInterface ? 1 : 0;
                connection.Send(sockproto::EncodeFrame(MessageType::Opened, &opened, 1));
                break;
            }
            case MessageType::Report:
                HandleReport(connection, frame.payload);
                break;
            case MessageType::Subscribe:
                connection.subscribed = true;
                break;
            case MessageType::Control: {
                const ControlReply reply =
                    RunControlLine(std::string(frame.payload.begin(), frame.payload.end()), link);
                std::vector<uint8_t> payload{static_cast<uint8_t>(reply.ok ? 0 : 1)};
                payload.insert(payload.end(), reply.text.begin(), reply.text.end());
                connection.Send(sockproto::EncodeFrame(MessageType::ControlReply, payload.data(),
                                                       payload.size()));
                if (reply.stop) stopping = true;
                break;
            }
            default:
                break;  // unknown frame types are ignored, as newer clients may send them
        }
    }

    void HandleReport(ClientConnection& connection, const std::vector<uint8_t>& report) {
        // Only the vendor interface carries commands, and only in whole reports with id 0.
        if (!connection.openInterface || connection.openInterface->usagePage != kVendorUsagePage ||
            report.size() != sockproto::kReportSize || report[0] != 0) {
            return;
        }
        Packet request;
        std::copy(report.begin() + 1, report.end(), request.begin());
        link.ReceiveRequest(connection.Id(), request, SteadyClock::now());
    }

    void CloseFinished() {
        for (auto it = connections.begin(); it != connections.end();) {
            if (it->second->closing) {
                it->second->Flush();  // the reply that preceded a removal still gets out
                it = connections.erase(it);
            } else {
                ++it;
            }
        }
    }

    // Waits for socket activity or the next timer, whichever comes first.
    void Wait(int stopFd) {
        std::vector<pollfd> fds{{stopFd, POLLIN, 0}, {listener.Fd(), POLLIN, 0}};
        std::vector<ClientConnection*> polled;
        for (auto& [id, connection] : connections) {
            const short events = POLLIN | (connection->HasUnsentOutput() ? POLLOUT : 0);
            fds.push_back({connection->Fd(), events, 0});
            polled.push_back(connection.get());
        }
        const std::optional<TimePoint> due = timers.NextDue();
        timespec timeout{};
        const timespec* wait = nullptr;
        bool spinAfterwards = false;
        if (due) {
            const auto left = *due - SteadyClock::now();
            spinAfterwards = left <= kSpinBeforeTimer;
            timeout = ToPollTimeout(spinAfterwards ? std::chrono::nanoseconds(0)
                                                   : left - kSpinBeforeTimer);
            wait = &timeout;
        }
        const int ready = ::ppoll(fds.data(), fds.size(), wait, nullptr);
        if (ready == 0 && spinAfterwards) {
            while (SteadyClock::now() < *due) {
            }
        }
        if (ready <= 0) return;
        if (fds[0].revents & POLLIN) {
            uint64_t count = 0;
            if (::read(stopFd, &count, sizeof count) < 0) {
                // the flag is set either way; reading only drains the counter
            }
            stopping = true;
        }
        if (fds[1].revents & POLLIN) Accept();
        for (size_t i = 0; i < polled.size(); ++i) {
            const short revents = fds[i + 2].revents;
            if (revents & POLLOUT && !polled[i]->Flush()) polled[i]->closing = true;
            if (revents & (POLLIN | POLLHUP | POLLERR)) Serve(*polled[i]);
        }
    }

    ServerOptions options;
    TimerQueue timers;
    KeypadLink link;
    std::optional<BackgroundStateSaver> saver;
    std::optional<SaveDebouncer> saveDebouncer;
    ListenSocket listener;
    std::map<uint64_t, std::unique_ptr<ClientConnection>> connections;
    uint64_t nextConnectionId = 1;
    bool stopping = false;
};

SimServer::SimServer(ServerOptions options, DeviceModel model)
    : m_Impl(std::make_unique<Impl>(std::move(options), std::move(model))),
      m_StopFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

SimServer::~SimServer() {
    ::close(m_StopFd);
}

bool SimServer::Listen(std::string& error) {
    return m_Impl->listener.Open(m_Impl->options.socketPath, error);
}

bool SimServer::Run() {
    // Timers of the usb-fs frame clock need wake-ups close to the nanosecond deadlines.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    Impl& impl = *m_Impl;
    while (!impl.stopping) {
        impl.timers.RunDue(SteadyClock::now());
        impl.CloseFinished();
        if (impl.stopping) break;
        impl.Wait(m_StopFd);
        impl.CloseFinished();
    }
    for (auto& [id, connection] : impl.connections) connection->Flush();
    if (!impl.saver) return true;
    // The file is written on every exit, so it exists even when nothing changed.
    impl.saver->Submit(impl.link.Model().State());
    std::string error;
    return impl.saver->Flush(error);
}

void SimServer::RequestStop() {
    const uint64_t one = 1;
    if (::write(m_StopFd, &one, sizeof one) < 0) {
        // the counter can only be full after 2^64 - 1 requests; nothing to do
    }
}

}  // namespace varnel::sim
