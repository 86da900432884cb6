// The fixed pauses that belong to the keypad's protocol (after a one-byte query, a command, an
// erase). Tests replace the sleeper to observe the pauses without waiting for them.
#pragma once

#include <functional>

namespace varnel {

void ProtocolPause(unsigned milliseconds);

using PauseHook = std::function<void(unsigned milliseconds)>;
// Installs a replacement for the sleep; an empty hook restores sleeping.
void SetProtocolPauseHook(PauseHook hook);

}  // namespace varnel
