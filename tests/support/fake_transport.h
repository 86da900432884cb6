// A scripted HID transport for tests of the device link: a list of interfaces and a keypad whose
// replies the test decides. Reads never wait; a read with nothing queued fails as a time-out.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hid_transport.h"

namespace varnel::testing {

using Report = std::array<uint8_t, kHidReportSize>;

// A reply report from its 64-byte payload bytes.
Report MakeReply(std::initializer_list<uint8_t> payload);

struct FakeKeypad {
    std::vector<HidInterfaceInfo> interfaces;
    // Replies queued for each request written; by default none.
    std::function<std::vector<Report>(const Report& request)> respond;
    bool openFails = false;
    bool writeFails = false;

    std::vector<Report> writes;
    std::vector<std::string> openedPaths;
    std::vector<int> readTimeouts;
    int enumerations = 0;
    std::deque<Report> pending;
};

class FakeTransport final : public HidTransport {
  public:
    explicit FakeTransport(std::shared_ptr<FakeKeypad> keypad) : m_pKeypad(std::move(keypad)) {}
    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;
    std::string ExchangeLockName() const override { return "varnel-test-fake.lock"; }

  private:
    std::shared_ptr<FakeKeypad> m_pKeypad;
};

// The keypad's four application interfaces, keyboard and mouse first, vendor interface last.
std::vector<HidInterfaceInfo> ApplicationInterfaces(uint16_t vendorId = 0x1C6C,
                                                    uint16_t productId = 0xC008);

// The boot loader's one interface, the vendor interface of top-level usage 0.
std::vector<HidInterfaceInfo> BootLoaderInterfaces();

// Installs a fake transport for the test's lifetime and restores the previous one after.
class ScopedFakeTransport {
  public:
    ScopedFakeTransport();
    ~ScopedFakeTransport();
    FakeKeypad& Keypad() { return *m_pKeypad; }

  private:
    std::shared_ptr<FakeKeypad> m_pKeypad;
    std::shared_ptr<HidTransport> m_pPrevious;
};

}  // namespace varnel::testing
