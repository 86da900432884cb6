#include "file_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "cli_error.h"

namespace varnelctl {

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temporary = path + ".tmp." + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::remove(temporary.c_str());
            throw DeviceError("Cannot write " + path + ": " + std::strerror(errno));
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw DeviceError("Cannot write " + path + ": " + reason);
    }
}

}  // namespace varnelctl
