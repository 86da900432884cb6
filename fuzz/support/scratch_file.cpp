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

void ScratchFile::Write(const uint8_t* data, size_t size) {
    if (::ftruncate(m_Fd, 0) != 0) std::abort();
    size_t done = 0;
    while (done < size) {
        const ssize_t put = ::pwrite(m_Fd, data + done, size - done, static_cast<off_t>(done));
        if (put <= 0) std::abort();
        done += static_cast<size_t>(put);
    }
}

}  // namespace varnel::fuzz
