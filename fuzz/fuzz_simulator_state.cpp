// The simulator's state file: a damaged or hostile file must be refused, never crash it, and a
// file it accepts must encode back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "state_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const auto state = varnel::sim::DecodeState({data, size}, error);
    if (state) {
        const auto bytes = varnel::sim::EncodeState(*state);
        std::string again;
        if (!varnel::sim::DecodeState(bytes, again)) __builtin_trap();
    }
    return 0;
}
