#include "number_parsing.h"

#include <charconv>

namespace varnel::sim {

namespace {

bool HasHexPrefix(std::string_view text) {
    return text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

std::optional<uint64_t> ParseDigits(std::string_view text, int base, uint64_t max) {
    // from_chars accepts neither signs nor spaces here, which is what we want.
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc{} || stop != end || value > max) return std::nullopt;
    return value;
}

}  // namespace

std::optional<uint64_t> ParseUnsigned(std::string_view text, uint64_t max) {
    if (HasHexPrefix(text)) return ParseDigits(text.substr(2), 16, max);
    return ParseDigits(text, 10, max);
}

std::optional<uint64_t> ParseHex(std::string_view text, uint64_t max) {
    return ParseDigits(HasHexPrefix(text) ? text.substr(2) : text, 16, max);
}

}  // namespace varnel::sim
