// The firmware engine's library-wide buffers, one set per process: the selected boot-loader
// image and its read-back, the loaded update file, its descrambled application image, and the
// data block read through the boot loader.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace varnel {

inline constexpr uint32_t kLdromFlashSize = 4096;
inline constexpr uint32_t kBootDataSize = 4096;

extern std::span<const uint8_t> g_LdromBuff;  // the selected built-in image; empty when none
extern uint32_t g_LdromSize;
extern uint8_t g_LdromReadBack[kLdromFlashSize];
extern std::vector<uint8_t> g_FileBuff;  // the whole update file; empty when none is loaded
extern uint32_t g_FileSize;
extern std::vector<uint8_t> g_APROMBuff;  // the descrambled application image
extern uint32_t g_APRomSize;
extern uint8_t g_BootData[kBootDataSize];
extern uint8_t g_BootDataHead[kBootDataSize / 2];  // the first half of the last block read

// Frees the file and image buffers (after programming, and before the next file).
void ReleaseFirmwareBuffers();

}  // namespace varnel
