#include "firmware_buffers.h"

namespace varnel {

std::span<const uint8_t> g_LdromBuff;
uint32_t g_LdromSize = 0;
uint8_t g_LdromReadBack[kLdromFlashSize] = {};
std::vector<uint8_t> g_FileBuff;
uint32_t g_FileSize = 0;
std::vector<uint8_t> g_APROMBuff;
uint32_t g_APRomSize = 0;
uint8_t g_BootData[kBootDataSize] = {};
uint8_t g_BootDataHead[kBootDataSize / 2] = {};

void ReleaseFirmwareBuffers() {
    std::vector<uint8_t>().swap(g_FileBuff);
    g_FileSize = 0;
    std::vector<uint8_t>().swap(g_APROMBuff);
}

}  // namespace varnel
