// Explains a keypad that is attached but cannot be opened: its hidraw node denies the user.
#pragma once

#include <string>

namespace varnelctl {

// A message naming the first hidraw node of the keypad that the user may not open, and the udev
// rule that grants access; empty when there is no such node.
std::string HidrawPermissionHint();

}  // namespace varnelctl
