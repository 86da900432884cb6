#include "control_client.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "socket_protocol.h"

namespace varnel::sim {

ControlOutcome SendControlLine(const std::string& socketPath, const std::string& line,
                               int timeoutMs) {
    using sockproto::MessageType;
    ControlOutcome outcome;
    const int fd = sockproto::ConnectUnixSocket(socketPath);
    if (fd < 0) {
        outcome.problem = std::strerror(errno);
        return outcome;
    }
    sockproto::FrameDecoder decoder;
    std::optional<sockproto::Frame> reply;
    if (sockproto::SendAll(fd, sockproto::EncodeFrame(MessageType::Control, line))) {
        reply = sockproto::ReceiveFrame(fd, decoder, timeoutMs);
    }
    ::close(fd);
    if (!reply || reply->type != MessageType::ControlReply || reply->payload.empty()) {
        outcome.problem = "no answer to the control line";
        return outcome;
    }
    outcome.reached = true;
    outcome.ok = reply->payload[0] == 0;
    outcome.text.assign(reply->payload.begin() + 1, reply->payload.end());
    return outcome;
}

}  // namespace varnel::sim
