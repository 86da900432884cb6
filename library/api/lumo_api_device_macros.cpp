// The device macro list on the keypad: image size, upload and read-back of the macro area, the
// library's own encoder, the data area's erase and settings blocks.
#include <cstring>
#include <utility>

#include "area_transfer.h"
#include "device_image.h"
#include "host.h"
#include "key_table.h"
#include "lumo_api_library.h"
#include "macro_encoding.h"
#include "macro_lists.h"
#include "macro_settings.h"
#include "protocol_pause.h"
#include "requests.h"
#include "string_table.h"

namespace varnel {

namespace {

constexpr uint8_t kDataArea = 3;
constexpr uint16_t kTextTooManyMacros = 205;
constexpr uint32_t kSettingsBlockSize = 512;
constexpr uint32_t kSettingsDataSize = 232;
constexpr uint32_t kSettingsBlockFirst = 250;

// The library-wide transfer buffers: one for reading and one for writing.
uint8_t g_ReadImage[kMacroAreaSize];
std::vector<uint8_t> g_WriteImage;

uint32_t SettingsBlockAddress(uint32_t index) {
    return (index + kSettingsBlockFirst) * kSettingsBlockSize;
}

}  // namespace

uint32_t CLumoAPILibrary::GetDeviceImageSize() {
    return DeviceImageSize(DeviceMacros());
}

uint32_t CLumoAPILibrary::GetDeviceImageSize2() {
    return GetDeviceImageSize();
}

bool CLumoAPILibrary::EraseDeviceArea(uint32_t start, uint32_t size) {
    uint8_t request[kRequestSize];
    BuildEraseRequest(request, kDataArea, start, size);
    const bool erased = Command(request);
    ProtocolPause(SizedErasePauseMs(size));
    return erased;
}

int CLumoAPILibrary::WriteDeviceMacros(uint32_t address, uint32_t /*unused*/) {
    return WriteDeviceImage(address, true);
}

int CLumoAPILibrary::WriteDeviceMacrosPlain(uint32_t address, uint32_t /*unused*/) {
    return WriteDeviceImage(address, false);
}

// The image goes from offset 4 on; the magic is written last, so an interrupted upload leaves
// an area without a valid magic.
int CLumoAPILibrary::WriteDeviceImage(uint32_t address, bool withProgress) {
    if (DeviceMacros().empty()) return 0;
    g_WriteImage = BuildDeviceImage(DeviceMacros());
    const auto total = static_cast<uint32_t>(g_WriteImage.size() - 4);
    auto progress = [&](uint32_t done) {
        if (!withProgress || !m_pProgressWindow) return;
        const int percent = static_cast<int>(static_cast<double>(done) * 100.0 / total);
        if (percent == m_nProgress) return;
        m_nProgress = percent;
        m_pProgressWindow->SendWindowMessage(kLumoProgressMessage, static_cast<uintptr_t>(percent),
                                             0);
    };
    const auto command = [this](const uint8_t* request) { return Command(request); };
    if (!WriteAreaChunks(command, kDataArea, address + 4, g_WriteImage.data() + 4, total,
                         progress)) {
        return 0;
    }
    uint8_t request[kRequestSize];
    BuildWriteRequest(request, kDataArea, address, kImageMagic, 4);
    return Command(request) ? 1 : 0;
}

int CLumoAPILibrary::ReadDeviceMacros(uint32_t address, uint32_t maxBytes) {
    const auto query = [this](const uint8_t* request, uint8_t* data) {
        return Query(request, data);
    };
    std::memset(g_ReadImage, 0, sizeof g_ReadImage);
    ReadAreaChunks(query, kDataArea, address, g_ReadImage, kImageHeaderSize);
    const DeviceImageHead head = ParseDeviceImageHead({g_ReadImage, kImageHeaderSize});
    if (!head.magic) return 0;
    std::memset(g_ReadImage, 0, sizeof g_ReadImage);
    // The stated size never runs past the read buffer.
    const uint32_t size = std::min(head.DataSize(), kMacroAreaSize);
    const bool result = ReadAreaChunks(query, kDataArea, address, g_ReadImage, size, maxBytes);
    if (!ParseDeviceImage({g_ReadImage, kMacroAreaSize}, head, DeviceMacros())) return 0;
    return result ? 1 : 0;
}

int CLumoAPILibrary::ReadDeviceMacrosPlain(uint32_t address, uint32_t maxBytes) {
    return ReadDeviceMacros(address, maxBytes);
}

// Replaces the macro of the same name or appends; a list that would no longer fit the macro
// area is put back as it was (the replaced macro comes back rather than being lost).
void CLumoAPILibrary::PutDeviceMacro(const EditorMacro* macro) {
    if (!macro) return;
    auto& macros = DeviceMacros();
    if (macros.size() >= kMaxDeviceMacros) {
        ShowLibraryMessage(LibraryText(kTextTooManyMacros));
        return;
    }
    m_wGameWidth = static_cast<uint16_t>(GetMacroSetting(MacroSetting::GameWidth));
    m_wGameHeight = static_cast<uint16_t>(GetMacroSetting(MacroSetting::GameHeight));
    MacroEncoderContext context{KeyCodeToUsage, m_wGameWidth, m_wGameHeight,
                                Host().GetAnsiCodePage()};
    DeviceMacro encoded = EncodeMacro(*macro, kLibraryEncoderRules, context);
    const int index = FindDeviceMacro(macro->name, -1);
    if (index >= 0) {
        DeviceMacro previous = std::exchange(macros[index], std::move(encoded));
        if (DeviceImageFits(macros)) return;
        macros[index] = std::move(previous);
    } else {
        macros.push_back(std::move(encoded));
        if (DeviceImageFits(macros)) return;
        macros.pop_back();
    }
    ShowLibraryMessage(LibraryText(kTextTooManyMacros));
}

void CLumoAPILibrary::ReadSettingsBlock(uint32_t index, uint8_t* buffer) {
    if (!buffer) return;
    uint8_t block[4 + kSettingsDataSize] = {};
    const auto query = [this](const uint8_t* request, uint8_t* data) {
        return Query(request, data);
    };
    ReadAreaChunks(query, kDataArea, SettingsBlockAddress(index), block, sizeof block);
    std::memcpy(buffer, block + 4, kSettingsDataSize);
}

// The block starts with the identity word (vendor << 16 | product + 1), then the caller's data.
void CLumoAPILibrary::WriteSettingsBlock(uint32_t index, const uint8_t* buffer) {
    if (!buffer) return;
    uint8_t announce[kRequestSize] = {0xF6, 0x1C, 0x04};
    std::memcpy(announce + 3, &index, 4);
    Send(announce);
    ProtocolPause(20);
    uint8_t erase[kRequestSize];
    BuildEraseRequest(erase, kDataArea, SettingsBlockAddress(index), kSettingsBlockSize);
    Command(erase);
    ProtocolPause(50);
    uint8_t block[4 + kSettingsDataSize];
    const uint32_t identity = (static_cast<uint32_t>(m_usDevVID) << 16) | (m_usDevPID + 1u);
    std::memcpy(block, &identity, 4);
    std::memcpy(block + 4, buffer, kSettingsDataSize);
    const auto command = [this](const uint8_t* request) { return Command(request); };
    WriteAreaChunks(command, kDataArea, SettingsBlockAddress(index), block, sizeof block);
}

uint32_t CLumoAPILibrary::QueryDeviceState() {
    const uint8_t request[kRequestSize] = {0xF5, 0x07, 0x04};
    uint8_t reply[kRequestSize] = {};
    if (!QueryInfo(request, reply)) return 0;
    uint32_t state = 0;
    std::memcpy(&state, reply, 4);
    return state;
}

}  // namespace varnel
