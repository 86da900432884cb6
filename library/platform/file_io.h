// Whole-file reads and atomic replacement of files that the library writes (macro files,
// exported boot-loader images), with the system's error numbers for the messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

// The whole file, or the system's error number.
struct FileBytes {
    std::string bytes;
    int error = 0;
};

FileBytes ReadWholeFile(const std::string& path);

// Writes a file beside the target, flushes and syncs it, and renames it over the target. Returns
// 0, or the error number of the step that failed; the temporary file is then removed.
int ReplaceFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// The system's description of an error number.
std::string SystemError(int error);

}  // namespace varnel
