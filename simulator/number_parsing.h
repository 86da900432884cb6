// Strict number parsing for command-line values and fault rules: the whole text must be a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace varnel::sim {

// Decimal, or hex with a 0x prefix; nothing when malformed or above `max`.
std::optional<uint64_t> ParseUnsigned(std::string_view text, uint64_t max);
// Hex with or without a 0x prefix; nothing when malformed or above `max`.
std::optional<uint64_t> ParseHex(std::string_view text, uint64_t max);

}  // namespace varnel::sim
