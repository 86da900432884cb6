// A file in the temporary folder that a fuzz target rewrites with each input, for operations that
// take a path. Created once per process and removed with the object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnel::fuzz {

class ScratchFile {
  public:
    // `suffix` ends the file's name (".mcr"); the name starts "varnel-fuzz-".
    explicit ScratchFile(const std::string& suffix);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Replaces the file's contents; aborts when the file cannot be written, since a target that
    // reads a stale file would fuzz nothing.
    void Write(const uint8_t* data, size_t size);

    const std::u16string& Path16() const { return m_Path16; }
    // The file's name without its folder and suffix.
    const std::u16string& Stem16() const { return m_Stem16; }

  private:
    std::string m_Path;
    std::u16string m_Path16;
    std::u16string m_Stem16;
    int m_Fd = -1;
};

}  // namespace varnel::fuzz
