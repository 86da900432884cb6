// How varnelctl shows a key map: each keypad key with its caption, what it does and whether it
// is reassigned.
#pragma once

#include "cli_context.h"
#include "keymap_image.h"

namespace varnelctl {

int PrintKeyMap(CliContext& context, varnel::program::KeyMapImage& image);

}  // namespace varnelctl
