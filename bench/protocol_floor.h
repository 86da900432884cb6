// The floor of a transfer as the library actually ran it: every request report it wrote (each
// costs two 1 ms bus frames, the request's and its reply's) and every fixed protocol pause it
// took. While a meter lives, the process's transport is wrapped to count writes and the pauses
// are tallied as they are slept.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "hid_transport.h"
#include "protocol_pause.h"

namespace varnel::bench {

class ProtocolFloorMeter {
  public:
    static constexpr double kFrameMs = 1.0;

    ProtocolFloorMeter() : m_Inner(CurrentHidTransport()) {
        InstallHidTransport(std::make_shared<CountingTransport>(m_Inner, m_Tally));
        SetProtocolPauseHook([tally = m_Tally](unsigned milliseconds) {
            tally->pauseMs += milliseconds;
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        });
    }
    ~ProtocolFloorMeter() {
        SetProtocolPauseHook({});
        InstallHidTransport(m_Inner);
    }
    ProtocolFloorMeter(const ProtocolFloorMeter&) = delete;
    ProtocolFloorMeter& operator=(const ProtocolFloorMeter&) = delete;

    void Reset() { *m_Tally = {}; }
    uint64_t Requests() const { return m_Tally->requests; }
    uint64_t PauseMs() const { return m_Tally->pauseMs; }
    double FloorMs() const {
        return static_cast<double>(m_Tally->requests) * 2 * kFrameMs +
               static_cast<double>(m_Tally->pauseMs);
    }

  private:
    struct Tally {
        uint64_t requests = 0;
        uint64_t pauseMs = 0;
    };

    class CountingConnection final : public HidConnection {
      public:
        CountingConnection(std::unique_ptr<HidConnection> inner, std::shared_ptr<Tally> tally)
            : m_Inner(std::move(inner)), m_Tally(std::move(tally)) {}
        bool Write(const uint8_t* report, int timeoutMs, size_t* written) override {
            const bool ok = m_Inner->Write(report, timeoutMs, written);
            if (ok) ++m_Tally->requests;
            return ok;
        }
        bool Read(uint8_t* report, int timeoutMs, size_t* read) override {
            return m_Inner->Read(report, timeoutMs, read);
        }

      private:
        std::unique_ptr<HidConnection> m_Inner;
        std::shared_ptr<Tally> m_Tally;
    };

    class CountingTransport final : public HidTransport {
      public:
        CountingTransport(std::shared_ptr<HidTransport> inner, std::shared_ptr<Tally> tally)
            : m_Inner(std::move(inner)), m_Tally(std::move(tally)) {}
        std::vector<HidInterfaceInfo> Enumerate() override { return m_Inner->Enumerate(); }
        std::unique_ptr<HidConnection> Open(const std::string& path) override {
            auto connection = m_Inner->Open(path);
            if (!connection) return nullptr;
            return std::make_unique<CountingConnection>(std::move(connection), m_Tally);
        }
        std::string ExchangeLockName() const override { return m_Inner->ExchangeLockName(); }

      private:
        std::shared_ptr<HidTransport> m_Inner;
        std::shared_ptr<Tally> m_Tally;
    };

    std::shared_ptr<HidTransport> m_Inner;
    std::shared_ptr<Tally> m_Tally = std::make_shared<Tally>();
};

}  // namespace varnel::bench
