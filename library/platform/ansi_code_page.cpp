#include "ansi_code_page.h"

#include "host.h"

namespace varnel {

std::u16string AnsiToUtf16(std::string_view bytes) {
    return AnsiToUtf16(bytes, Host().GetAnsiCodePage());
}

std::string Utf16ToAnsi(std::u16string_view text) {
    return Utf16ToAnsi(text, Host().GetAnsiCodePage());
}

}  // namespace varnel
