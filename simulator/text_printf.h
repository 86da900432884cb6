// printf-style formatting into a std::string, for the simulator's reports.
#pragma once

#include <cstdio>
#include <string>

namespace varnel::sim {

template <typename... Values>
std::string Printf(const char* format, Values... values) {
    const int length = std::snprintf(nullptr, 0, format, values...);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, values...);
    text.pop_back();
    return text;
}

}  // namespace varnel::sim
