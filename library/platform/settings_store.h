// The library's settings store: named 32-bit values under a key path, as the registry keeps
// them on Windows. Here they live in one INI file, $XDG_CONFIG_HOME/Varnel/VarnelLibrary.ini
// (~/.config when the variable is not set), one section per key path and one line per value:
//
//   [SOFTWARE\VarnelKeypad\VARNELKEYPAD\Initialization]
//   RecOptions=183
//
// Values are decimal. Writing replaces the whole file atomically and keeps the other sections.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace varnel {

using SettingsValues = std::map<std::string, uint32_t>;

struct SettingsKeyRead {
    enum class Status {
        Opened,      // the key exists; `values` holds what it has
        Missing,     // no file or no section yet: nothing stored under the key
        Unreadable,  // the store exists but cannot be read
    } status = Status::Missing;
    SettingsValues values;
};

std::string SettingsFilePath();
SettingsKeyRead ReadSettingsKey(const std::string& keyPath);
// False when the store cannot be written; then nothing changed.
bool WriteSettingsKey(const std::string& keyPath, const SettingsValues& values);

}  // namespace varnel
