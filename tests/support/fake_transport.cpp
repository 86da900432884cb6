#include "fake_transport.h"

#include <cerrno>
#include <cstring>

namespace varnel::testing {

Report MakeReply(std::initializer_list<uint8_t> payload) {
    Report report{};
    std::copy(payload.begin(), payload.end(), report.begin() + 1);
    return report;
}

namespace {

class FakeConnection final : public HidConnection {
  public:
    explicit FakeConnection(std::shared_ptr<FakeKeypad> keypad) : m_pKeypad(std::move(keypad)) {}

    bool Write(const uint8_t* report, int, size_t* written) override {
        if (m_pKeypad->writeFails) {
            errno = ETIMEDOUT;
            return false;
        }
        Report request;
        std::memcpy(request.data(), report, kHidReportSize);
        m_pKeypad->writes.push_back(request);
        if (m_pKeypad->respond) {
            for (const Report& reply : m_pKeypad->respond(request)) {
                m_pKeypad->pending.push_back(reply);
            }
        }
        if (written) *written = kHidReportSize;
        return true;
    }

    bool Read(uint8_t* report, int timeoutMs, size_t* read) override {
        m_pKeypad->readTimeouts.push_back(timeoutMs);
        if (m_pKeypad->pending.empty()) {
            errno = ETIMEDOUT;
            return false;
        }
        std::memcpy(report, m_pKeypad->pending.front().data(), kHidReportSize);
        m_pKeypad->pending.pop_front();
        if (read) *read = kHidReportSize;
        return true;
    }

  private:
    std::shared_ptr<FakeKeypad> m_pKeypad;
};

}  // namespace

std::vector<HidInterfaceInfo> FakeTransport::Enumerate() {
    ++m_pKeypad->enumerations;
    return m_pKeypad->interfaces;
}

std::unique_ptr<HidConnection> FakeTransport::Open(const std::string& path) {
    m_pKeypad->openedPaths.push_back(path);
    if (m_pKeypad->openFails) return nullptr;
    return std::make_unique<FakeConnection>(m_pKeypad);
}

std::vector<HidInterfaceInfo> ApplicationInterfaces(uint16_t vendorId, uint16_t productId) {
    auto path = [&](int mi) {
        char text[96];
        std::snprintf(text, sizeof text, "fake#VID_%04X&PID_%04X&MI_%02d", vendorId, productId, mi);
        return std::string(text);
    };
    return {
        {path(0), vendorId, productId, 0x01, 0x06, 0},
        {path(1), vendorId, productId, 0x01, 0x02, 1},
        {path(2), vendorId, productId, 0x0C, 0x01, 2},
        {path(3), vendorId, productId, 0xFF00, 0x00, 3},
    };
}

std::vector<HidInterfaceInfo> BootLoaderInterfaces() {
    return {{"fake#VID_060B&PID_2320&MI_00", 0x060B, 0x2320, 0xFF00, 0x00, 0}};
}

ScopedFakeTransport::ScopedFakeTransport()
    : m_pKeypad(std::make_shared<FakeKeypad>()), m_pPrevious(CurrentHidTransport()) {
    InstallHidTransport(std::make_shared<FakeTransport>(m_pKeypad));
}

ScopedFakeTransport::~ScopedFakeTransport() {
    InstallHidTransport(m_pPrevious);
}

}  // namespace varnel::testing
