// Conversion between UTF-16 and the ANSI code page the host names (1252 Western, 949 Korean),
// the code page of device macro names. Conversion follows Windows: in code page 1252 the bytes
// 0x81, 0x8D, 0x8F, 0x90 and 0x9D stand for U+0081 and so on, so every byte string decodes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

std::u16string AnsiToUtf16(std::string_view bytes);
std::u16string AnsiToUtf16(std::string_view bytes, uint32_t codePage);
// Characters the code page cannot hold become '?'.
std::string Utf16ToAnsi(std::u16string_view text);
std::string Utf16ToAnsi(std::u16string_view text, uint32_t codePage);

}  // namespace varnel
