// Device macro names are kept in the ANSI code page the host names; these convert in it.
#pragma once

#include "ansi_codec.h"

namespace varnel {

std::u16string AnsiToUtf16(std::string_view bytes);
std::string Utf16ToAnsi(std::u16string_view text);

}  // namespace varnel
