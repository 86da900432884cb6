// Conversion between UTF-16 and a Windows ANSI code page (1252 Western, 949 Korean), as
// Windows converts: in code page 1252 the bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D stand for U+0081
// and so on, so every byte string decodes. Characters the code page cannot hold become '?'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

std::u16string AnsiToUtf16(std::string_view bytes, uint32_t codePage);
std::string Utf16ToAnsi(std::u16string_view text, uint32_t codePage);

}  // namespace varnel
