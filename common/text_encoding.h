// Conversions between UTF-8 (file paths and texts on this system) and UTF-16 (texts and paths
// across the library's interface). Ill-formed input becomes U+FFFD.
#pragma once

#include <string>

namespace varnel {

std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);

}  // namespace varnel
