// The HID transport seam: what the device link needs of the system's HID layer. Discovery rules
// (which interface to pick, what counts as present) live above it, in CHidIO.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace varnel {

// Every report travels in this form: byte 0 is the report identifier 0, bytes 1 to 64 payload.
inline constexpr size_t kHidReportSize = 65;

struct HidInterfaceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;  // top-level collection usage
    int interfaceNumber = -1;
};

// One opened interface. Both calls fail on time-out, error or removal of the device, and leave
// nothing pending when they return. On failure errno tells why (ETIMEDOUT for a time-out).
class HidConnection {
  public:
    virtual ~HidConnection() = default;
    virtual bool Write(const uint8_t* report, int timeoutMs, size_t* written) = 0;
    virtual bool Read(uint8_t* report, int timeoutMs, size_t* read) = 0;
};

class HidTransport {
  public:
    virtual ~HidTransport() = default;
    // The HID interfaces present now, in the system's enumeration order.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens a path from Enumerate for reading and writing; null when it cannot be opened.
    virtual std::unique_ptr<HidConnection> Open(const std::string& path) = 0;
    // Name of the machine-wide lock that serialises exchanges on the devices of this transport.
    virtual std::string ExchangeLockName() const = 0;
};

std::shared_ptr<HidTransport> MakeHidapiTransport();
std::shared_ptr<HidTransport> MakeSocketTransport(const std::string& socketPath);

// Builds the transport a spec names: "hidapi" or "socket:PATH". Null for an unknown spec, with
// the reason in *error.
std::shared_ptr<HidTransport> MakeHidTransport(const std::string& spec, std::string* error);

// The process-wide transport: the one last installed, else the one VARNEL_HID names, else hidapi.
std::shared_ptr<HidTransport> CurrentHidTransport();
void InstallHidTransport(std::shared_ptr<HidTransport> transport);

}  // namespace varnel
