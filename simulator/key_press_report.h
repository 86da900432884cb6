// The answer to the `press` control verb, as text for people or as JSON for scripts.
#pragma once

#include <string>

#include "key_press.h"

namespace varnel::sim {

std::string FormatKeyPressText(const KeyPressOutcome& outcome);
std::string FormatKeyPressJson(const KeyPressOutcome& outcome);

}  // namespace varnel::sim
