// Wire format between the socket HID transport and the keypad simulator.
//
// Every message is one frame: a 32-bit little-endian length (of the type byte and the payload),
// one type byte, then the payload. A client connection either asks for the interface list, opens
// one interface and then carries reports, subscribes to arrival and removal events, or sends one
// control line to the simulator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel::sockproto {

enum class MessageType : uint8_t {
    // client -> simulator
    Enumerate = 0x01,  // empty payload; answered by Interfaces
    Open = 0x02,       // payload: interface path; answered by Opened
    Report = 0x03,     // payload: one 65-byte report (also simulator -> client)
    Subscribe = 0x04,  // empty payload; the connection then receives Event frames
    Control = 0x05,    // payload: one control line ("plug", "state", ...); answered by ControlReply
    // simulator -> client
    Interfaces = 0x81,    // payload: u16 count, then that many interface records
    Opened = 0x82,        // payload: one byte, 1 when the interface is present and now open
    Event = 0x84,         // payload: "arrival PATH" or "removal PATH"
    ControlReply = 0x85,  // payload: one status byte (0 success), then the reply text
};

inline constexpr size_t kReportSize = 65;
inline constexpr size_t kMaxFrame = 1 << 20;

struct InterfaceRecord {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    int16_t interfaceNumber = -1;
    std::string path;
};

struct Frame {
    MessageType type{};
    std::vector<uint8_t> payload;
};

// Encoding of whole frames and of the interface list.
std::vector<uint8_t> EncodeFrame(MessageType type, const void* payload, size_t size);
std::vector<uint8_t> EncodeFrame(MessageType type, const std::string& text);
std::vector<uint8_t> EncodeInterfaces(const std::vector<InterfaceRecord>& interfaces);
std::optional<std::vector<InterfaceRecord>> DecodeInterfaces(const std::vector<uint8_t>& payload);

// Incremental decoder for a byte stream: feed what arrived, take whole frames out.
class FrameDecoder {
  public:
    void Feed(const uint8_t* data, size_t size);
    // The next whole frame, if one has arrived. Sets Broken() on an impossible length.
    std::optional<Frame> Next();
    bool Broken() const { return m_bBroken; }

  private:
    std::vector<uint8_t> m_Buffer;
    size_t m_nStart = 0;
    bool m_bBroken = false;
};

// Blocking helpers on a connected stream socket. A negative deadline waits without end.
bool SendAll(int fd, const std::vector<uint8_t>& bytes);
// Reads one frame, waiting at most timeoutMs in all. Returns nothing on time-out, error or EOF.
std::optional<Frame> ReceiveFrame(int fd, FrameDecoder& decoder, int timeoutMs);
// Connects to the simulator's socket; -1 on failure (errno set).
int ConnectUnixSocket(const std::string& path);

}  // namespace varnel::sockproto
