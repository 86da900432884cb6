// Bytes arriving on the simulator socket, as the library's transport and the simulator decode
// them: the frame stream and the interface list inside it.
#include <cstddef>
#include <cstdint>

#include "socket_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varnel::sockproto;
    FrameDecoder decoder;
    // Feed in two pieces so that frames split across reads are exercised too.
    const size_t half = size / 2;
    decoder.Feed(data, half);
    for (int pass = 0; pass < 2; ++pass) {
        while (auto frame = decoder.Next()) {
            if (frame->type == MessageType::Interfaces) {
                if (auto list = DecodeInterfaces(frame->payload)) {
                    // A decoded list encodes back to a frame the decoder reads again.
                    FrameDecoder again;
                    const auto bytes = EncodeInterfaces(*list);
                    again.Feed(bytes.data(), bytes.size());
                    if (!again.Next()) __builtin_trap();
                }
            }
        }
        if (pass == 0) decoder.Feed(data + half, size - half);
    }
    return 0;
}
