// How varnelctl shows a key map: each keypad key with its caption, what it does and whether it
// is reassigned.
#pragma once

#include "cli_context.h"
#include "device_lock.h"
#include "keymap_image.h"

namespace varnelctl {

// Keys that run macros show the keypad's macro names: read the keypad's macros first
// (ReadKeypadMacros) when the keypad is attached.
int PrintKeyMap(CliContext& context, varnel::program::KeyMapImage& image);

// The keypad's key map, refused when it is not valid (keymap clear puts an empty one in place).
varnel::program::KeyMapImage ReadKeypadMap(CliContext& context, varnel::program::DeviceLock& lock);

}  // namespace varnelctl
