// CHidIO: finds the keypad among the HID interfaces present, opens it for one exchange and moves
// single 65-byte reports with a time-out. No handle is kept between exchanges, so the keypad may
// be unplugged or re-enumerated under another identity between any two of them.
#pragma once

#include <cstdint>
#include <memory>

#include "exchange_lock.h"
#include "hid_transport.h"

namespace varnel {

class CHidIO {
  public:
    static constexpr int kTransferTimeoutMs = 2000;
    // How long a write waits for another process's exchange to end.
    static constexpr int kLockTimeoutMs = 10000;

    CHidIO() = default;
    virtual ~CHidIO();
    CHidIO(const CHidIO&) = delete;
    CHidIO& operator=(const CHidIO&) = delete;

    // True as soon as an interface with this identity is present, even when none of its
    // interfaces is the vendor one (top-level usage 0) or it cannot be opened: the following
    // Write then fails.
    bool Open(uint16_t vendorId, uint16_t productId);
    // One 65-byte report each way; *count is 0 at entry and the bytes moved on success.
    bool Read(uint8_t* report, uint32_t* count = nullptr);
    bool Write(const uint8_t* report, uint32_t* count = nullptr);
    // Closes the interface and ends the exchange; safe when nothing is open.
    void Close();

    bool IsOpen() const { return m_hDevice != nullptr; }

  private:
    std::shared_ptr<HidTransport> m_pTransport;
    // One connection serves both directions (the system's HID layer reads and writes one node).
    std::unique_ptr<HidConnection> m_hDevice;
    ExchangeLock m_ExchangeLock;
};

}  // namespace varnel
