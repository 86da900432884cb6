#include "ansi_codec.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <vector>

namespace varnel {

namespace {

// The iconv name of a Windows code page: 949 is glibc's CP949 (Unified Hangul Code).
std::string IconvName(uint32_t codePage) {
    return "CP" + std::to_string(codePage);
}

// Bytes Windows maps to the C1 control of the same value in code page 1252 and glibc refuses.
bool IsUndefinedIn1252(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

// Runs iconv over `in`; an input it refuses is handed to `refused`, which returns how many input
// bytes it consumed after appending its own output (0 gives up the rest).
template <typename Refused>
std::string Convert(const std::string& from, const std::string& to, std::string_view in,
                    Refused refused) {
    std::string out;
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    std::vector<char> buffer(in.size() * 4 + 16);
    const char* next = in.data();
    size_t left = in.size();
    while (left > 0) {
        char* outNext = buffer.data();
        size_t outLeft = buffer.size();
        const size_t result = iconv(cd, const_cast<char**>(&next), &left, &outNext, &outLeft);
        out.append(buffer.data(), static_cast<size_t>(outNext - buffer.data()));
        if (result != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        const size_t consumed = refused(std::string_view(next, left), out);
        if (consumed == 0) break;
        next += consumed;
        left -= consumed;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv_close(cd);
    return out;
}

void AppendUtf16LE(std::string& out, char16_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

std::u16string FromUtf16LE(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return text;
}

}  // namespace

std::u16string AnsiToUtf16(std::string_view bytes, uint32_t codePage) {
    const std::string utf16 =
        Convert(IconvName(codePage), "UTF-16LE", bytes,
                [codePage](std::string_view rest, std::string& out) {
                    const auto byte = static_cast<unsigned char>(rest[0]);
                    AppendUtf16LE(out, codePage == 1252 && IsUndefinedIn1252(byte) ? byte : u'?');
                    return size_t{1};
                });
    return FromUtf16LE(utf16);
}

std::string Utf16ToAnsi(std::u16string_view text, uint32_t codePage) {
    std::string utf16;
    for (char16_t unit : text) AppendUtf16LE(utf16, unit);
    return Convert("UTF-16LE", IconvName(codePage), utf16,
                   [codePage](std::string_view rest, std::string& out) {
                       const char16_t unit = static_cast<char16_t>(
                           static_cast<unsigned char>(rest[0]) |
                           (rest.size() > 1 ? static_cast<unsigned char>(rest[1]) << 8 : 0));
                       const bool c1 = codePage == 1252 && unit < 0x100 &&
                                       IsUndefinedIn1252(static_cast<unsigned char>(unit));
                       out.push_back(c1 ? static_cast<char>(unit) : '?');
                       // A surrogate pair the code page cannot hold is one character.
                       const bool pair = unit >= 0xD800 && unit < 0xDC00 && rest.size() >= 4;
                       return size_t{pair ? 4u : 2u};
                   });
}

}  // namespace varnel
