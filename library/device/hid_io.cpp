#include "hid_io.h"

#include <cerrno>

namespace varnel {

CHidIO::~CHidIO() {
    Close();
}

bool CHidIO::Open(uint16_t vendorId, uint16_t productId) {
    m_hDevice.reset();
    m_pTransport = CurrentHidTransport();
    if (!m_pTransport) return false;
    const int saved = errno;  // a failed probe is no error of the caller's
    bool present = false;
    for (const HidInterfaceInfo& info : m_pTransport->Enumerate()) {
        if (info.vendorId != vendorId || info.productId != productId) continue;
        present = true;
        // The keypad's keyboard, mouse and consumer interfaces carry the same identity; its
        // vendor interface is the one whose top-level usage is 0 (the usage page is not examined).
        if (info.usage != 0) continue;
        m_hDevice = m_pTransport->Open(info.path);
        break;
    }
    errno = saved;
    return present;
}

bool CHidIO::Write(const uint8_t* report, uint32_t* count) {
    if (count) *count = 0;
    if (!m_hDevice) {
        errno = ENODEV;
        return false;
    }
    if (!m_ExchangeLock.Acquire(m_pTransport->ExchangeLockName(), kLockTimeoutMs)) return false;
    size_t written = 0;
    if (!m_hDevice->Write(report, kTransferTimeoutMs, &written)) return false;
    if (count) *count = static_cast<uint32_t>(written);
    return true;
}

bool CHidIO::Read(uint8_t* report, uint32_t* count) {
    if (count) *count = 0;
    if (!m_hDevice) {
        errno = ENODEV;
        return false;
    }
    size_t read = 0;
    if (!m_hDevice->Read(report, kTransferTimeoutMs, &read)) return false;
    if (count) *count = static_cast<uint32_t>(read);
    return true;
}

void CHidIO::Close() {
    m_hDevice.reset();
    m_ExchangeLock.Release();
}

}  // namespace varnel
