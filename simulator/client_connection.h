// One client of the simulator's socket: its frame decoder, unsent output and what it asked for.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "socket_protocol.h"

namespace varnel::sim {

class ClientConnection {
  public:
    // Takes ownership of a connected, non-blocking socket.
    ClientConnection(int fd, uint64_t id);
    ~ClientConnection();
    ClientConnection(const ClientConnection&) = delete;
    ClientConnection& operator=(const ClientConnection&) = delete;

    int Fd() const { return m_Fd; }
    uint64_t Id() const { return m_nId; }

    // Reads what the socket holds; false on end of stream, error or an undecodable stream.
    bool ReadAvailable();
    std::optional<sockproto::Frame> NextFrame() { return m_Decoder.Next(); }

    // Queues the bytes and writes as much as the socket takes without blocking.
    void Send(const std::vector<uint8_t>& bytes);
    // Writes queued output; false on a write error.
    bool Flush();
    bool HasUnsentOutput() const { return m_nUnsentStart < m_Unsent.size(); }

    // The interface this connection opened; only the vendor interface carries reports.
    std::optional<sockproto::InterfaceRecord> openInterface;
    bool subscribed = false;
    // Set when the server decided to close it; it ignores further input and is closed soon.
    bool closing = false;

  private:
    int m_Fd;
    uint64_t m_nId;
    sockproto::FrameDecoder m_Decoder;
    std::vector<uint8_t> m_Unsent;
    size_t m_nUnsentStart = 0;
};

}  // namespace varnel::sim
