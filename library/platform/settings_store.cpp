#include "settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace varnel {

namespace {

struct Section {
    std::string name;
    std::vector<std::string> lines;  // "name=value" lines and anything else, kept as read
};

enum class FileRead { Ok, Missing, Unreadable };

FileRead ReadSections(const std::string& path, std::vector<Section>& sections) {
    std::ifstream in(path);
    if (!in) return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    sections.push_back({});  // values before the first header: the empty key path
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
        } else if (!line.empty()) {
            sections.back().lines.push_back(line);
        }
    }
    return in.bad() ? FileRead::Unreadable : FileRead::Ok;
}

bool ParseValue(const std::string& line, std::string& name, uint32_t& value) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) return false;
    const std::string text = line.substr(equals + 1);
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || parsed > 0xFFFFFFFFull) return false;
    name = line.substr(0, equals);
    value = static_cast<uint32_t>(parsed);
    return true;
}

// Writes beside the file, flushes, syncs and renames, so a crash never leaves half a file.
bool ReplaceFile(const std::string& path, const std::string& contents) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok =
        ::write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace

std::string SettingsFilePath() {
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.config";
    } else {
        base = ".";
    }
    return base + "/Varnel/VarnelLibrary.ini";
}

SettingsKeyRead ReadSettingsKey(const std::string& keyPath) {
    const int saved = errno;
    std::vector<Section> sections;
    SettingsKeyRead result;
    const FileRead read = ReadSections(SettingsFilePath(), sections);
    errno = saved;
    if (read == FileRead::Unreadable) {
        result.status = SettingsKeyRead::Status::Unreadable;
        return result;
    }
    for (const Section& section : sections) {
        if (section.name != keyPath || (keyPath.empty() && section.lines.empty())) continue;
        result.status = SettingsKeyRead::Status::Opened;
        for (const std::string& line : section.lines) {
            std::string name;
            uint32_t value = 0;
            if (ParseValue(line, name, value)) result.values[name] = value;
        }
    }
    return result;
}

bool WriteSettingsKey(const std::string& keyPath, const SettingsValues& values) {
    const int saved = errno;
    const std::string path = SettingsFilePath();
    std::vector<Section> sections;
    if (ReadSections(path, sections) == FileRead::Unreadable) {
        errno = saved;
        return false;
    }
    if (sections.empty()) sections.push_back({});
    Section* target = nullptr;
    for (Section& section : sections) {
        if (section.name == keyPath) target = &section;
    }
    if (!target) target = &sections.emplace_back(Section{keyPath, {}});
    // Values of the key that this write does not name stay as they were.
    SettingsValues merged;
    std::vector<std::string> others;
    for (const std::string& line : target->lines) {
        std::string name;
        uint32_t value = 0;
        ParseValue(line, name, value) ? void(merged[name] = value) : others.push_back(line);
    }
    for (const auto& [name, value] : values) merged[name] = value;
    target->lines = others;
    for (const auto& [name, value] : merged) {
        target->lines.push_back(name + "=" + std::to_string(value));
    }
    std::ostringstream text;
    for (const Section& section : sections) {
        if (section.name.empty() && section.lines.empty()) continue;
        if (!section.name.empty() || &section != &sections.front()) {
            text << "[" << section.name << "]\n";
        }
        for (const std::string& line : section.lines) text << line << "\n";
    }
    const bool ok = ReplaceFile(path, text.str());
    errno = saved;
    return ok;
}

}  // namespace varnel
