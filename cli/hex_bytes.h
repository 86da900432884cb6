// Request bytes given on the command line as hexadecimal, and bytes shown back as hexadecimal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnelctl {

// Each token is one byte ("F3", "0xf3", "7") or an even run of digits ("F3010300"). Nothing for
// malformed input, with the reason in *error.
std::optional<std::vector<uint8_t>> ParseHexBytes(const std::vector<std::string>& tokens,
                                                  std::string* error);

// "F3 01 03" for text, "f30103" for JSON.
std::string FormatHexSpaced(const uint8_t* data, size_t size);
std::string FormatHexCompact(const uint8_t* data, size_t size);

}  // namespace varnelctl
