// The hidapi backend (hidraw on Linux). The only file that includes <hidapi.h>.
#include <hidapi.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "hid_transport.h"

namespace varnel {

namespace {

class HidapiConnection final : public HidConnection {
  public:
    explicit HidapiConnection(hid_device* device) : m_pDevice(device) {}
    ~HidapiConnection() override { hid_close(m_pDevice); }

    // hidraw writes are bounded by the kernel's own output time-out; hidapi offers no shorter
    // one, and a write returns only once the report has left or failed, so nothing stays pending.
    bool Write(const uint8_t* report, int /*timeoutMs*/, size_t* written) override {
        const int n = hid_write(m_pDevice, report, kHidReportSize);
        if (n < 0) return false;
        if (written) *written = static_cast<size_t>(n);
        return true;
    }

    // The keypad's reports are unnumbered, so hidapi hands them over without the leading report
    // identifier; put it back to keep the 65-byte form.
    bool Read(uint8_t* report, int timeoutMs, size_t* read) override {
        const int n = hid_read_timeout(m_pDevice, report + 1, kHidReportSize - 1, timeoutMs);
        if (n <= 0) {
            if (n == 0) errno = ETIMEDOUT;
            return false;
        }
        report[0] = 0;
        if (read) *read = static_cast<size_t>(n) + 1;
        return true;
    }

  private:
    hid_device* m_pDevice;
};

class HidapiTransport final : public HidTransport {
  public:
    HidapiTransport() {
        static std::once_flag once;
        std::call_once(once, [] { hid_init(); });
    }

    // hidapi lists one entry per top-level collection, each with its usage page and usage.
    std::vector<HidInterfaceInfo> Enumerate() override {
        std::vector<HidInterfaceInfo> out;
        hid_device_info* list = hid_enumerate(0, 0);
        for (hid_device_info* d = list; d; d = d->next) {
            HidInterfaceInfo info;
            info.path = d->path ? d->path : "";
            info.vendorId = d->vendor_id;
            info.productId = d->product_id;
            info.usagePage = d->usage_page;
            info.usage = d->usage;
            info.interfaceNumber = d->interface_number;
            out.push_back(std::move(info));
        }
        hid_free_enumeration(list);
        return out;
    }

    std::unique_ptr<HidConnection> Open(const std::string& path) override {
        hid_device* device = hid_open_path(path.c_str());
        if (!device) return nullptr;
        return std::make_unique<HidapiConnection>(device);
    }

    std::string ExchangeLockName() const override { return "varnel-keypad.lock"; }
};

}  // namespace

std::shared_ptr<HidTransport> MakeHidapiTransport() {
    return std::make_shared<HidapiTransport>();
}

}  // namespace varnel
