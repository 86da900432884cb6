// The firmware update engine: the boot-loader refresh while the application runs, the update
// file and its descrambled image, and the verified programming of the application flash while
// the boot loader runs.
#include <cstdio>
#include <cstring>

#include "area_transfer.h"
#include "file_io.h"
#include "firmware_buffers.h"
#include "firmware_file.h"
#include "host.h"
#include "ldrom_images.h"
#include "lumo_api_library.h"
#include "protocol_pause.h"
#include "requests.h"
#include "text_encoding.h"

namespace varnel {

namespace {

constexpr uint8_t kAreaLdrom = 1;
constexpr uint8_t kAreaAprom = 2;
constexpr uint8_t kAreaData = 3;
constexpr uint32_t kLdromAddress = 0x100000;
constexpr uint32_t kBootDataAddress = 0x1F000;
constexpr uint32_t kApromEraseSize = 0x10000;
constexpr uint32_t kFlashPageSize = 2048;
constexpr uint32_t kLdromErasePauseMs = 80;
constexpr uint32_t kApromErasePauseMs = 1320;
constexpr uint32_t kApromEraseSettleMs = 400;
constexpr int kLdromRefreshAttempts = 6;
constexpr uint8_t kCodeRestart = 0xF4;
constexpr uint8_t kRestartSwitchMode = 0x01;
constexpr char16_t kLdromResourceType[] = u"LDROM";

uint32_t RoundUpToPage(uint32_t size) {
    return (size + kFlashPageSize - 1) / kFlashPageSize * kFlashPageSize;
}

void ShowFormatted(const char* format, auto... values) {
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    ShowLibraryMessage(Utf8ToUtf16(text), kLumoMbOk | kLumoMbIconError);
}

uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// The data block names the keypad as product then vendor identifier, at its head or at the end
// of its first half.
bool BootDataNames(const uint8_t* block, uint16_t vendorId, uint16_t productId) {
    for (const uint32_t at : {0u, 2044u}) {
        if (GetU16(block + at + 2) == vendorId && GetU16(block + at) == productId) return true;
    }
    return false;
}

}  // namespace

uint32_t CLumoAPILibrary::DecodeBlock(uint32_t offset, uint8_t* data, uint32_t length) {
    if (!data) return 0;
    return DescrambleBlock(offset, data, length);
}

int CLumoAPILibrary::GetFirmwareFileId(const uint8_t* file, uint16_t* ids) {
    if (!file || !ids) return 0;
    const FirmwareFileId id = *ReadFirmwareFileId(std::span<const uint8_t>(file, kFirmwareIdEnd));
    ids[0] = id.vendorId;
    ids[1] = id.productId;
    return 1;
}

bool CLumoAPILibrary::CheckFirmwareHeader(const uint8_t* header) {
    return header && FirmwareHeaderMatches(header, {m_usDevVID, m_usDevPID});
}

bool CLumoAPILibrary::DecFirmware(const uint8_t* file, uint32_t size) {
    if (!file) return false;
    const std::span<const uint8_t> bytes(file, size);
    const FirmwareFileProblem problem = CheckFirmwareFile(bytes, {m_usDevVID, m_usDevPID});
    if (problem == FirmwareFileProblem::TooShort || problem == FirmwareFileProblem::TooLarge) {
        return false;
    }
    g_APRomSize = size - kFirmwareHeaderSize;  // recorded even for a file of another keypad
    if (problem != FirmwareFileProblem::None) return false;
    g_APROMBuff = ExtractApplicationImage(bytes);
    return true;
}

void CLumoAPILibrary::LoadLdromResource(const char16_t* type, uint16_t id) {
    const bool isLdrom = type && std::u16string_view(type) == kLdromResourceType;
    g_LdromBuff = isLdrom ? BuiltInLdromImage(id) : std::span<const uint8_t>();
    g_LdromSize = static_cast<uint32_t>(g_LdromBuff.size());
}

void CLumoAPILibrary::ExportLdromResource(const char16_t* type, uint16_t id, const char16_t* path) {
    LoadLdromResource(type, id);
    if (!path || g_LdromBuff.empty()) return;
    const std::string file = Utf16ToUtf8(path);
    if (const int error = ReplaceFileAtomically(
            file, std::vector<uint8_t>(g_LdromBuff.begin(), g_LdromBuff.end()))) {
        ShowLibraryMessage(Utf8ToUtf16("Cannot write " + file + ": " + SystemError(error)),
                           kLumoMbOk | kLumoMbIconError);
    }
}

bool CLumoAPILibrary::EraseLdrom() {
    uint8_t request[kRequestSize];
    BuildEraseRequest(request, kAreaLdrom, 0, kLdromFlashSize);
    const bool erased = Command(request);
    ProtocolPause(kLdromErasePauseMs);
    return erased;
}

int CLumoAPILibrary::WriteLdromData(uint32_t address, uint32_t length, const uint8_t* data) {
    if (!data) return 0;
    WriteAreaChunks([this](const uint8_t* request) { return Command(request); }, kAreaLdrom,
                    address, data, length);
    return 0;
}

int CLumoAPILibrary::WriteLdrom() {
    return WriteLdromData(kLdromAddress, g_LdromSize, g_LdromBuff.data());
}

bool CLumoAPILibrary::VerifyLdrom() {
    ReadAreaChunks([this](const uint8_t* request, uint8_t* data) { return Query(request, data); },
                   kAreaLdrom, kLdromAddress, g_LdromReadBack, kLdromFlashSize);
    return std::memcmp(g_LdromReadBack, g_LdromBuff.data(), g_LdromSize) == 0;
}

// A build that carries no boot-loader image for this keypad keeps the keypad's own boot loader
// and lets the update go on: writing anything else into boot-loader flash would leave a keypad
// that can no longer be updated.
bool CLumoAPILibrary::UpdateLdrom() {
    const uint16_t id = LdromResourceFor(m_usDevPID);
    LoadLdromResource(kLdromResourceType, id);
    if (g_LdromBuff.empty()) {
        ShowFormatted(
            "This build carries no boot-loader image %u; the keypad keeps its own boot loader.",
            static_cast<unsigned>(id));
        return true;
    }
    bool verified = VerifyLdrom();
    for (int attempt = 0; !verified && attempt < kLdromRefreshAttempts; ++attempt) {
        EraseLdrom();
        WriteLdrom();
        verified = VerifyLdrom();
    }
    return verified;
}

int CLumoAPILibrary::LdromBootHold() {
    uint8_t request[kRequestSize] = {kCodeRestart, kRestartSwitchMode};
    Command(request);
    return 0;
}

bool CLumoAPILibrary::ReadBootDataBlock(uint8_t* block) {
    const bool read = ReadAreaChunks(
        [this](const uint8_t* request, uint8_t* data) { return BootQuery(request, data); },
        kAreaData, kBootDataAddress, g_BootData, kBootDataSize);
    if (block) std::memcpy(block, g_BootData, kBootDataSize);
    return read;
}

void CLumoAPILibrary::LoadFirmwareFile(const char16_t* path) {
    if (!path) return;
    FileBytes read = ReadWholeFile(Utf16ToUtf8(path));
    if (read.error != 0) return;
    ReleaseFirmwareBuffers();
    g_FileBuff.assign(read.bytes.begin(), read.bytes.end());
    g_FileSize = static_cast<uint32_t>(g_FileBuff.size());
    // A file too short to name a keypad names none.
    const FirmwareFileId file = ReadFirmwareFileId(g_FileBuff).value_or(FirmwareFileId{});
    m_usFileVID = file.vendorId;
    m_usFilePID = file.productId;

    const uint16_t bootIdentity[] = {m_usBootVID, m_usBootPID};
    if (IsDevicePresent(bootIdentity)) {
        const bool read = ReadBootDataBlock(g_BootData);
        std::memcpy(g_BootDataHead, g_BootData, sizeof g_BootDataHead);
        if (read && BootDataNames(g_BootData, m_usFileVID, m_usFilePID)) {
            m_usDevVID = m_usFileVID;
            m_usDevPID = m_usFilePID;
        }
        return;
    }
    m_usDevVID = m_usFileVID;
    m_usDevPID = m_usFilePID;
    const uint16_t application[] = {m_usDevVID, m_usDevPID};
    if (IsDevicePresent(application) && UpdateLdrom()) LdromBootHold();
}

int CLumoAPILibrary::EraseAprom() {
    uint8_t request[kRequestSize];
    BuildEraseRequest(request, kAreaAprom, 0, kApromEraseSize);
    const int status = BootCommand(request);
    ProtocolPause(kApromErasePauseMs);
    ProtocolPause(kApromEraseSettleMs);
    return status;
}

int CLumoAPILibrary::EraseApromSize(uint32_t size) {
    return EraseApromRange(0, size);
}

int CLumoAPILibrary::EraseApromRange(uint32_t start, uint32_t end) {
    uint8_t request[kRequestSize];
    BuildEraseRequest(request, kAreaAprom, start, end - start);
    const int status = BootCommand(request);
    ProtocolPause(SizedErasePauseMs(end - start));
    return status;
}

// The full erase covers the first 64 KiB of application flash; an image that reaches beyond it
// has the rest erased as well, since flash that is not erased cannot take the new image.
bool CLumoAPILibrary::ProgramAprom(const uint8_t* data, uint32_t size) {
    if (!data && size > 0) return false;
    m_nProgress = 0;
    EraseAprom();
    if (size > kApromEraseSize) EraseApromRange(kApromEraseSize, RoundUpToPage(size));
    uint8_t request[kRequestSize];
    return ForEachChunk(size, [&](Chunk chunk) {
        BuildWriteRequest(request, kAreaAprom, chunk.offset, data + chunk.offset, chunk.length);
        if (!BootCommand(request)) {
            ShowFormatted("Error Update(%d/%d)!", static_cast<int>(chunk.offset),
                          static_cast<int>(size));
            return false;
        }
        const int percent = static_cast<int>(static_cast<double>(chunk.offset + chunk.length) *
                                             100 / static_cast<double>(size));
        if (percent != m_nProgress) {
            m_nProgress = percent;
            if (m_pProgressWindow) {
                m_pProgressWindow->SendWindowMessage(kLumoProgressMessage,
                                                     static_cast<uintptr_t>(percent), 0);
            }
        }
        return true;
    });
}

bool CLumoAPILibrary::WriteAprom() {
    if (g_FileBuff.empty()) return false;
    if (!DecFirmware(g_FileBuff.data(), g_FileSize)) {
        ShowFormatted("ret DecFirmware Update File Error(0x%04X,0x%04X)", m_usFileVID, m_usFilePID);
        return false;
    }
    if (g_APRomSize > kMaxApplicationImage) {
        ShowFormatted("Error! Aprom Size over!(Size(%d),Max:(%d)", static_cast<int>(g_APRomSize),
                      static_cast<int>(kMaxApplicationImage));
        return false;
    }
    const bool programmed = ProgramAprom(g_APROMBuff.data(), g_APRomSize);
    ReleaseFirmwareBuffers();
    return programmed;
}

}  // namespace varnel
