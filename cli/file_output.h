// Files varnelctl writes (update files, backups): written beside the target and renamed over it,
// so that an interrupted command leaves no half file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnelctl {

// A DeviceError that names the file when it cannot be written.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace varnelctl
