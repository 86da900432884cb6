// The fixed pauses that belong to the keypad's protocol (after a one-byte query, a command, an
// erase). Tests replace the sleeper to observe the pauses without waiting for them.
#pragma once

#include <cstdint>
#include <functional>

namespace varnel {

void ProtocolPause(unsigned milliseconds);

// The pause after a sized erase: 40 ms for every started 2048 bytes, and one more 40 ms.
inline constexpr unsigned SizedErasePauseMs(uint32_t size) {
    return ((size >> 11) + 1) * 40;
}

using PauseHook = std::function<void(unsigned milliseconds)>;
// Installs a replacement for the sleep; an empty hook restores sleeping.
void SetProtocolPauseHook(PauseHook hook);

}  // namespace varnel
