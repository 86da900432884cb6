#include "macro_area.h"

#include <cstdio>
#include <cstring>

namespace varnel::sim {

namespace {

constexpr uint8_t kMagic[] = {'K', 'R', 'A', 'M'};
constexpr uint32_t kMostMacros = 30;
constexpr uint32_t kTableOffset = 8;
constexpr size_t kNameSize = 20;

uint32_t ReadWord(const FlashArea& area, uint64_t offset) {
    uint8_t bytes[4] = {};
    area.Read(offset, bytes);
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

StoredMacro ReadHeader(const FlashArea& area, uint64_t offset) {
    uint8_t header[4 + kNameSize] = {};
    area.Read(offset, header);
    StoredMacro macro;
    macro.cellCount = static_cast<uint16_t>(header[0] | header[1] << 8);
    macro.repeat = static_cast<int16_t>(header[2] | header[3] << 8);
    const char* name = reinterpret_cast<const char*>(header + 4);
    macro.name.assign(name, strnlen(name, kNameSize));
    return macro;
}

}  // namespace

MacroAreaSummary SummarizeMacroArea(const FlashArea& dataArea) {
    MacroAreaSummary summary;
    uint8_t magic[sizeof kMagic] = {};
    dataArea.Read(kMacroAreaOffset, magic);
    summary.hasMagic = std::memcmp(magic, kMagic, sizeof kMagic) == 0;
    if (!summary.hasMagic) return summary;
    summary.count = ReadWord(dataArea, kMacroAreaOffset + 4);
    if (summary.count == 0 || summary.count > kMostMacros) return summary;
    for (uint32_t i = 0; i < summary.count; ++i) {
        const uint32_t start = ReadWord(dataArea, kMacroAreaOffset + kTableOffset + 4 * i);
        if (start >= kMacroAreaSize) break;
        summary.macros.push_back(ReadHeader(dataArea, kMacroAreaOffset + start));
    }
    // The table's entry after the last macro is where the data ends; with 30 macros there is
    // none, and the end is found by walking the last macro's cells.
    if (summary.count < kMostMacros) {
        summary.usedBytes = ReadWord(dataArea, kMacroAreaOffset + kTableOffset + 4 * summary.count);
    } else if (!summary.macros.empty() && summary.macros.size() == kMostMacros) {
        uint64_t offset = ReadWord(dataArea, kMacroAreaOffset + kTableOffset + 4 * 29) + 24;
        const uint16_t cells = summary.macros.back().cellCount;
        for (uint32_t c = 0; c < cells && cells != 0xFFFF && offset < kMacroAreaSize; ++c) {
            const uint32_t code = ReadWord(dataArea, kMacroAreaOffset + offset) & 0xFFFF;
            offset += ((code & 0x7000) == 0x4000 || code == 0x8000) ? 8 : 12;
        }
        summary.usedBytes = static_cast<uint32_t>(offset);
    }
    return summary;
}

std::string PrintableName(const std::string& name) {
    std::string text;
    for (unsigned char c : name) {
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            text += static_cast<char>(c);
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            text += escape;
        }
    }
    return text;
}

}  // namespace varnel::sim
