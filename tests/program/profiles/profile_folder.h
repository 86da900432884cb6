// A profile folder of the test's own, and what the tests look at in it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "keymap_image.h"

namespace varnel::testing {

namespace fs = std::filesystem;

class TempFolder {
  public:
    TempFolder() {
        char pattern[] = "/tmp/varnel-profiles-test-XXXXXX";
        m_Path = ::mkdtemp(pattern);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(m_Path, ec);
    }
    const fs::path& Path() const { return m_Path; }

  private:
    fs::path m_Path;
};

inline std::vector<uint8_t> FileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void PutFile(const fs::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The image's bytes, cut to `size` or padded with `fill`.
inline std::vector<uint8_t> ProfileBytes(const program::KeyMapImage& image, size_t size,
                                         uint8_t fill = 0) {
    std::vector<uint8_t> bytes(image.begin(), image.end());
    bytes.resize(size, fill);
    return bytes;
}

// An image whose entries give keypad key `key` keypad macro `macro` each.
inline program::KeyMapImage MacroMap(std::initializer_list<std::pair<int, int>> keyMacros) {
    program::KeyMapImage image = program::EmptyKeyMap();
    for (const auto& [key, macro] : keyMacros) {
        program::WorkingEntry entry = program::WorkingEntryFor(key);
        program::SetMacroBit(entry.data(), macro);
        program::UpsertEntry(image, entry);
    }
    return image;
}

// A map whose count says 22: no keypad takes it.
inline program::KeyMapImage OverfullMap() {
    program::KeyMapImage image = MacroMap({{0, 1}});
    image[12] = 22;
    return image;
}

}  // namespace varnel::testing
