// The host the library uses until the program installs its own: a command-line process has no
// windows, so messages go to stderr and questions are answered No.
#include <cerrno>
#include <cstdio>

#include "host.h"
#include "user_language.h"

namespace varnel {

namespace {

// Without a desktop the library still needs a screen size for absolute mouse positions.
constexpr LumoScreenSize kDefaultScreen{1920, 1080};

class DefaultLumoHost final : public CLumoHost {
  public:
    int ShowMessageBox(const std::u16string& text, const std::u16string& caption,
                       uint32_t type) override {
        std::fprintf(stderr, "%s: %s\n", Utf16ToUtf8(caption).c_str(), Utf16ToUtf8(text).c_str());
        return (type & 0xF) == kLumoMbYesNo ? kLumoIdNo : kLumoIdOk;
    }

    // There is no window to deliver raw input to.
    int RegisterRawInputDevices(const LumoRawInputDevice*, uint32_t) override { return ENOTSUP; }

    uint16_t GetUserDefaultLanguage() override { return UserLanguageFromEnvironment(); }

    LumoScreenSize GetVirtualScreenSize() override { return kDefaultScreen; }

    uint32_t GetAnsiCodePage() override {
        return AnsiCodePageForLanguage(UserLanguageFromEnvironment());
    }
};

}  // namespace

CLumoHost& DefaultHost() {
    static DefaultLumoHost host;
    return host;
}

}  // namespace varnel
