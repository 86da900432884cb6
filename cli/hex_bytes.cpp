#include "hex_bytes.h"

#include <cctype>

namespace varnelctl {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Format(const uint8_t* data, size_t size, const char* digits, bool spaced) {
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        if (spaced && i) out.push_back(' ');
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 0xF]);
    }
    return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> ParseHexBytes(const std::vector<std::string>& tokens,
                                                  std::string* error) {
    std::vector<uint8_t> bytes;
    for (const std::string& token : tokens) {
        std::string digits = token;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
            digits = digits.substr(2);
        }
        bool valid = !digits.empty() && (digits.size() <= 2 || digits.size() % 2 == 0);
        for (char c : digits) valid = valid && HexDigit(c) >= 0;
        if (!valid) {
            if (error) *error = "\"" + token + "\" is not a hexadecimal byte";
            return std::nullopt;
        }
        if (digits.size() == 1) digits.insert(digits.begin(), '0');
        for (size_t i = 0; i < digits.size(); i += 2) {
            bytes.push_back(
                static_cast<uint8_t>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1])));
        }
    }
    return bytes;
}

std::string FormatHexSpaced(const uint8_t* data, size_t size) {
    return Format(data, size, "0123456789ABCDEF", true);
}

std::string FormatHexCompact(const uint8_t* data, size_t size) {
    return Format(data, size, "0123456789abcdef", false);
}

}  // namespace varnelctl
