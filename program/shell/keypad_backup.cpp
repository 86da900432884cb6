#include "keypad_backup.h"

#include <cstring>
#include <mutex>

#include "crc32.h"
#include "keymap_transfer.h"
#include "keypad_macros.h"

namespace varnel::program {

namespace {

constexpr char kMagic[] = "VARNELBK";
constexpr size_t kMagicSize = 8;
constexpr uint16_t kVersion = 1;
constexpr uint32_t kMostMacros = 30;
constexpr uint8_t kCodeStep = 0x09;
constexpr uint8_t kAskStep = 0xFF;
constexpr uint8_t kSteps = 8;

class Writer {
  public:
    void Bytes(const void* data, size_t size) {
        const auto* p = static_cast<const uint8_t*>(data);
        m_Out.insert(m_Out.end(), p, p + size);
    }
    void U8(uint8_t value) { m_Out.push_back(value); }
    void U16(uint16_t value) { Bytes(&value, 2); }  // the suite's platforms are little-endian
    void U32(uint32_t value) { Bytes(&value, 4); }
    std::vector<uint8_t>& Out() { return m_Out; }

  private:
    std::vector<uint8_t> m_Out;
};

// Reads fields in order; every read past the end fails and leaves the reader failed.
class Reader {
  public:
    explicit Reader(const std::vector<uint8_t>& bytes, size_t end) : m_Bytes(bytes), m_End(end) {}
    bool Bytes(void* out, size_t size) {
        if (!m_bOk || size > m_End - m_At) return m_bOk = false;
        std::memcpy(out, m_Bytes.data() + m_At, size);
        m_At += size;
        return true;
    }
    uint8_t U8() {
        uint8_t v = 0;
        Bytes(&v, 1);
        return v;
    }
    uint16_t U16() {
        uint16_t v = 0;
        Bytes(&v, 2);
        return v;
    }
    uint32_t U32() {
        uint32_t v = 0;
        Bytes(&v, 4);
        return v;
    }
    size_t Left() const { return m_End - m_At; }
    bool Ok() const { return m_bOk; }

  private:
    const std::vector<uint8_t>& m_Bytes;
    size_t m_End;
    size_t m_At = 0;
    bool m_bOk = true;
};

bool SameMacros(const std::vector<DeviceMacro>& a, const std::vector<DeviceMacro>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i].header, &b[i].header, sizeof(MacroHeader)) != 0) return false;
        if (a[i].cells.size() != b[i].cells.size()) return false;
        if (!a[i].cells.empty() && std::memcmp(a[i].cells.data(), b[i].cells.data(),
                                               a[i].cells.size() * sizeof(MacroCell)) != 0) {
            return false;
        }
    }
    return true;
}

std::vector<DeviceMacro> KeypadCollection(CLumoApi& api) {
    std::vector<DeviceMacro> macros;
    for (int i = 0; i < api.GetDeviceMacroCount(); ++i) macros.push_back(*api.GetDeviceMacro(i));
    return macros;
}

}  // namespace

std::vector<uint8_t> EncodeKeypadBackup(const KeypadBackup& backup) {
    Writer out;
    out.Bytes(kMagic, kMagicSize);
    out.U16(kVersion);
    out.U8(backup.step);
    out.U8(0);
    out.Bytes(backup.keyMap.data(), kKeyMapSize);
    out.U32(static_cast<uint32_t>(backup.macros.size()));
    for (const DeviceMacro& macro : backup.macros) {
        out.Bytes(&macro.header, sizeof macro.header);
        out.U32(static_cast<uint32_t>(macro.cells.size()));
        out.Bytes(macro.cells.data(), macro.cells.size() * sizeof(MacroCell));
    }
    out.U32(Crc32(out.Out()));
    return out.Out();
}

std::optional<KeypadBackup> DecodeKeypadBackup(const std::vector<uint8_t>& bytes,
                                               std::string& problem) {
    if (bytes.size() < kMagicSize + 4 || std::memcmp(bytes.data(), kMagic, kMagicSize) != 0) {
        problem = "not a keypad backup";
        return std::nullopt;
    }
    const size_t body = bytes.size() - 4;
    uint32_t stored = 0;
    std::memcpy(&stored, bytes.data() + body, 4);
    if (Crc32(std::span(bytes.data(), body)) != stored) {
        problem = "the backup is damaged (its checksum does not match)";
        return std::nullopt;
    }
    Reader in(bytes, body);
    uint8_t magic[kMagicSize];
    in.Bytes(magic, kMagicSize);
    if (const uint16_t version = in.U16(); version != kVersion) {
        problem = "backup version " + std::to_string(version) + " is not known to this version";
        return std::nullopt;
    }
    KeypadBackup backup;
    backup.step = in.U8();
    in.U8();
    in.Bytes(backup.keyMap.data(), kKeyMapSize);
    const uint32_t count = in.U32();
    if (count > kMostMacros) {
        problem = "the backup claims " + std::to_string(count) + " macros";
        return std::nullopt;
    }
    for (uint32_t i = 0; i < count && in.Ok(); ++i) {
        DeviceMacro macro;
        in.Bytes(&macro.header, sizeof macro.header);
        const uint32_t cells = in.U32();
        if (cells > in.Left() / sizeof(MacroCell)) {
            problem = "the backup is truncated";
            return std::nullopt;
        }
        macro.cells.resize(cells);
        in.Bytes(macro.cells.data(), cells * sizeof(MacroCell));
        backup.macros.push_back(std::move(macro));
    }
    if (!in.Ok() || in.Left() != 0 || backup.step >= kSteps || !IsValidKeyMap(backup.keyMap)) {
        problem = "the backup is damaged";
        return std::nullopt;
    }
    return backup;
}

std::optional<KeypadBackup> ReadKeypadBackup(CLumoApi& api, DeviceLock& lock,
                                             std::string& problem) {
    std::lock_guard hold(lock);
    const KeyMapRead read = ReadKeyMap(api, lock);
    if (!read.present) {
        problem = read.bootLoader ? "the keypad is in its boot loader" : "no keypad answers";
        return std::nullopt;
    }
    if (!read.valid) {
        problem = "the keypad's key map is not valid; there is nothing sound to back up";
        return std::nullopt;
    }
    KeypadBackup backup;
    backup.keyMap = read.image;
    backup.step = api.QueryDevice2(kCodeStep, kAskStep);
    ReadKeypadMacros(api, lock);
    backup.macros = KeypadCollection(api);
    return backup;
}

bool RestoreKeypadBackup(CLumoApi& api, DeviceLock& lock, const KeypadBackup& backup,
                         std::string& problem) {
    std::lock_guard hold(lock);
    KeyMapImage edited = backup.keyMap;
    KeyMapImage device{};
    const bool mapWritten = WriteKeyMapFull(api, lock, edited, device);
    api.SendDeviceCommand2(kCodeStep, backup.step);
    api.ClearDeviceMacros();
    for (const DeviceMacro& macro : backup.macros) api.AddDeviceMacro(macro);
    const bool macrosWritten = KeypadImageFits(api) && UploadKeypadMacros(api, lock, nullptr);
    api.SendDeviceCommand(kCommandConfigurationChanged);
    if (!mapWritten || !macrosWritten) {
        problem = mapWritten ? "the keypad did not take its macros"
                             : "the keypad did not take its key map";
        return false;
    }
    // Read everything back: only what arrived counts.
    const KeyMapRead read = ReadKeyMap(api, lock);
    ReadKeypadMacros(api, lock);
    if (!read.valid || read.image != backup.keyMap) {
        problem = "the key map read back differs from the backup";
    } else if (api.QueryDevice2(kCodeStep, kAskStep) != backup.step) {
        problem = "the step read back differs from the backup";
    } else if (!SameMacros(KeypadCollection(api), backup.macros)) {
        problem = "the macros read back differ from the backup";
    } else {
        return true;
    }
    return false;
}

}  // namespace varnel::program
