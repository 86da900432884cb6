#include "hid_cmd.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "host.h"
#include "protocol_pause.h"

namespace varnel::exchange {

namespace {

constexpr uint8_t kCodeWrite = 0xF2;
constexpr uint8_t kCodeFormI = 0x49;  // 'I'
constexpr unsigned kQueryPauseMs = 40;
constexpr unsigned kCommandPauseMs = 500;

// Payload bytes of a reply from byte `first` on; copies never run past the report.
size_t ClampedLength(size_t wanted, size_t first) {
    return std::min(wanted, kRequestSize - first);
}

const uint8_t* Reply(const CHidCmd& cmd) {
    return cmd.m_Report + 1;
}

// Opens the identity and writes the request. On failure the connection is closed again.
bool Begin(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request) {
    if (!cmd.m_Io.Open(identity.vendorId, identity.productId)) return false;
    cmd.m_Report[0] = 0;
    std::memcpy(cmd.m_Report + 1, request, kRequestSize);
    if (!cmd.m_Io.Write(cmd.m_Report)) {
        cmd.Close();
        return false;
    }
    return true;
}

bool ReadReport(CHidCmd& cmd) {
    uint32_t count = 0;
    return cmd.m_Io.Read(cmd.m_Report, &count) && count > 0;
}

// Reads until a reply's byte 0 is `code` (or `otherCode`); stale replies are skipped. Each read
// can wait its full time-out, so a keypad that never echoes ends the loop that way.
bool ReadUntil(CHidCmd& cmd, uint8_t code, int otherCode = -1) {
    while (ReadReport(cmd)) {
        const uint8_t first = Reply(cmd)[0];
        if (first == code || first == otherCode) return true;
    }
    return false;
}

// Exchange of one request and exactly one reply on a connection of its own.
bool ExchangeOnce(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request) {
    if (!Begin(cmd, identity, request)) return false;
    const bool replied = ReadReport(cmd);
    cmd.Close();
    return replied;
}

uint8_t QueryByte(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request) {
    if (!Begin(cmd, identity, request)) return 0;
    const bool matched = ReadUntil(cmd, request[0]);
    const uint8_t value = matched ? Reply(cmd)[1] : 0;
    cmd.Close();
    return value;
}

}  // namespace

bool QueryUntilEcho(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request, uint8_t* reply) {
    if (!Begin(cmd, identity, request)) return false;
    if (ReadUntil(cmd, request[0])) {
        std::memcpy(reply, Reply(cmd) + 2, ClampedLength(request[1], 2));
    }
    cmd.Close();
    return true;
}

int BootCommand(DeviceIdentity identity, const uint8_t* request) {
    CHidCmd cmd;
    if (!Begin(cmd, identity, request)) return 0;
    if (!ReadReport(cmd)) {
        const int error = errno;
        cmd.Close();
        char text[64];
        std::snprintf(text, sizeof text, "ERROR: Read fail(%d)!", error);
        ShowLibraryMessage(Utf8ToUtf16(text), kLumoMbOk | kLumoMbIconError);
        return 0;
    }
    cmd.Close();
    const uint8_t* reply = Reply(cmd);
    if (request[0] != kCodeWrite) return reply[1];
    const size_t length = std::min<size_t>(request[1], kChunkSize);
    if (reply[1] == 0 || std::memcmp(request + 8, reply + 2, length) != 0) {
        ShowLibraryMessage(u"Write Verifyed Failed!", kLumoMbOk | kLumoMbIconError);
        return 0;
    }
    return 1;
}

bool Command(DeviceIdentity identity, const uint8_t* request) {
    CHidCmd cmd;
    return ExchangeOnce(cmd, identity, request) && Reply(cmd)[1] != 0;
}

bool Send(DeviceIdentity identity, const uint8_t* request) {
    CHidCmd cmd;
    return ExchangeOnce(cmd, identity, request);
}

bool ReadVersion(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request, uint8_t* version) {
    if (!Begin(cmd, identity, request)) return false;
    const bool matched = ReadUntil(cmd, request[0]);
    if (matched) std::memcpy(version, Reply(cmd) + 1, 3);
    cmd.Close();
    return matched;
}

bool QueryInfo(CHidCmd& cmd, DeviceIdentity identity, const uint8_t* request, uint8_t* reply) {
    const size_t expected = request[0] == kCodeFormI ? request[1] : request[2];
    if (!Begin(cmd, identity, request)) return false;
    const bool matched = ReadUntil(cmd, kCodeFormI, request[0]);
    if (matched) {
        const size_t first = Reply(cmd)[0] == kCodeFormI ? 2 : 3;
        std::memcpy(reply, Reply(cmd) + first, ClampedLength(expected, first));
    }
    cmd.Close();
    return matched;
}

uint8_t QueryDevice(CHidCmd& cmd, DeviceIdentity identity, uint8_t code) {
    uint8_t request[kRequestSize] = {code};
    const uint8_t value = QueryByte(cmd, identity, request);
    ProtocolPause(kQueryPauseMs);
    return value;
}

uint8_t QueryDevice2(CHidCmd& cmd, DeviceIdentity identity, uint8_t code, uint8_t argument) {
    uint8_t request[kRequestSize] = {code, argument};
    return QueryByte(cmd, identity, request);
}

void SendDeviceCommand(DeviceIdentity identity, uint8_t code) {
    uint8_t request[kRequestSize] = {code};
    Command(identity, request);
    ProtocolPause(kCommandPauseMs);
}

void SendDeviceCommand2(DeviceIdentity identity, uint8_t code, uint8_t argument) {
    uint8_t request[kRequestSize] = {code, argument};
    Command(identity, request);
    ProtocolPause(kCommandPauseMs);
}

}  // namespace varnel::exchange
