#include "profile_names.h"

#include <QString>
#include <algorithm>

namespace varnel::program {

namespace {

std::u16string Numbered(const std::u16string& stem, int number) {
    const std::string digits = std::to_string(number);
    return stem + std::u16string(digits.begin(), digits.end());
}

}  // namespace

bool IsUsableProfileName(const std::u16string& name) {
    if (name.empty() || name.starts_with(u"..")) return false;
    return std::none_of(name.begin(), name.end(), [](char16_t c) {
        return c == u'/' || c == u'\\' || c < 0x20 || c == 0x7F;
    });
}

std::u16string NewProfileName(const std::vector<std::u16string>& names) {
    for (int number = 0;; ++number) {
        const std::u16string candidate = Numbered(u"Profile", number);
        const QString prefix = QString::fromStdU16String(candidate);
        const bool taken = std::any_of(names.begin(), names.end(), [&](const auto& name) {
            return QString::fromStdU16String(name).startsWith(prefix, Qt::CaseInsensitive);
        });
        if (!taken) return candidate;
    }
}

std::u16string CopyProfileName(const std::vector<std::u16string>& names,
                               const std::u16string& source) {
    for (int number = 0;; ++number) {
        const std::u16string candidate = Numbered(source + u"_Copy", number);
        if (std::find(names.begin(), names.end(), candidate) == names.end()) return candidate;
    }
}

}  // namespace varnel::program
