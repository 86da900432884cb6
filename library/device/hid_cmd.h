// CHidCmd and the exchange procedures: every request the library sends to the keypad runs
// through one of these. A request is a 64-byte block copied into bytes 1 to 64 of the report;
// reply byte k is report byte k + 1.
#pragma once

#include <cstddef>
#include <cstdint>

#include "hid_io.h"

namespace varnel {

inline constexpr size_t kRequestSize = 64;
// One write or read request carries at most this many data bytes (8 header + 56 data = 64).
inline constexpr uint32_t kChunkSize = 56;

struct DeviceIdentity {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

// What one exchange needs: the report buffer and the connection.
class CHidCmd {
  public:
    CHidCmd() = default;
    virtual ~CHidCmd() = default;
    CHidCmd(const CHidCmd&) = delete;
    CHidCmd& operator=(const CHidCmd&) = delete;

    void Close() { m_Io.Close(); }

    uint8_t m_Report[kHidReportSize] = {};
    CHidIO m_Io;
};

namespace exchange {

// Read until a reply echoes the request's code, then copy request byte 1 data bytes from reply
// byte 2. True once the request was written, whether or not a matching reply arrived.
bool QueryUntilEcho(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request, uint8_t* reply);
// One reply; a write (0xF2) is verified against the reply's echo and status, anything else
// returns reply byte 1. Failures are shown through the host.
int BootCommand(DeviceIdentity identity, const uint8_t* request);
// One reply; true when it arrived with a non-zero status byte.
bool Command(DeviceIdentity identity, const uint8_t* request);
// One reply; true when any reply arrived.
bool Send(DeviceIdentity identity, const uint8_t* request);
// Reply bytes 1 to 3 of the matching reply; true only when one arrived.
bool ReadVersion(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request, uint8_t* version);
// Reads until a form-I reply (data from byte 2) or an echo (data from byte 3).
bool QueryInfo(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request, uint8_t* reply);
// Byte 1 of the matching reply, else 0. QueryDevice pauses 40 ms afterwards in every case.
uint8_t QueryDevice(CHidCmd& cmd, DeviceIdentity identity, uint8_t code);
uint8_t QueryDevice2(CHidCmd& cmd, DeviceIdentity identity, uint8_t code, uint8_t argument);
// A one- or two-byte command through Command, then the 500 ms the keypad needs to act on it.
void SendDeviceCommand(DeviceIdentity identity, uint8_t code);
void SendDeviceCommand2(DeviceIdentity identity, uint8_t code, uint8_t argument);

}  // namespace exchange

}  // namespace varnel
