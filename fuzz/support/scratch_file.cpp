#include "scratch_file.h"

#include <unistd.h>

#include <cstdlib>

#include "text_encoding.h"

namespace varnel::fuzz {

ScratchFile::ScratchFile(const std::string& suffix) {
    const char* folder = std::getenv("TMPDIR");
    m_Path = std::string(folder && *folder ? folder : "/tmp") + "/varnel-fuzz-XXXXXX" + suffix;
    m_Fd = ::mkstemps(m_Path.data(), static_cast<int>(suffix.size()));
    if (m_Fd < 0) std::abort();
    m_Path16 = Utf8ToUtf16(m_Path);
    const std::string name = m_Path.substr(m_Path.rfind('/') + 1);
    m_Stem16 = Utf8ToUtf16(name.substr(0, name.size() - suffix.size()));
}

ScratchFile::~ScratchFile() {
    ::close(m_Fd);
    ::unlink(m_Path.c_str());
}

// Overwrites, then cuts the file to the new length. Cutting it to nothing first would make ext4
// write the file out on every close (its guard for files replaced by truncation), at the cost of
// most of a run's time.
void ScratchFile::Write(const uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t put = ::pwrite(m_Fd, data + done, size - done, static_cast<off_t>(done));
        if (put <= 0) std::abort();
        done += static_cast<size_t>(put);
    }
    if (::ftruncate(m_Fd, static_cast<off_t>(size)) != 0) std::abort();
}

}  // namespace varnel::fuzz
