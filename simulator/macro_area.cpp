#include "macro_area.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace varnel::sim {

namespace {

constexpr uint8_t kMagic[] = {'K', 'R', 'A', 'M'};
constexpr uint32_t kMostMacros = 30;
constexpr uint32_t kTableOffset = 8;
constexpr size_t kNameSize = 20;
constexpr uint32_t kHeaderSize = 24;
constexpr uint16_t kNoCells = 0xFFFF;

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

uint32_t StoredCellSize(uint16_t code) {
    return (code & 0x7000) == 0x4000 || code == 0x8000 ? 8 : 12;
}

struct CellRun {
    std::vector<StoredCell> cells;
    uint64_t end = 0;  // from the area's start, where the last cell read ends
};

// The cells of the macro whose header starts at `start` (from the area's start); the walk stops
// at the first cell that would not fit in the area.
CellRun ReadCells(const FlashArea& area, uint64_t start, uint16_t cellCount) {
    CellRun run;
    run.end = start + kHeaderSize;
    if (cellCount == kNoCells) return run;
    for (uint32_t c = 0; c < cellCount; ++c) {
        uint8_t bytes[12] = {};
        area.Read(kMacroAreaOffset + run.end, std::span(bytes, 2));
        StoredCell cell;
        cell.code = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
        const uint32_t size = StoredCellSize(cell.code);
        if (run.end + size > kMacroAreaSize) break;
        area.Read(kMacroAreaOffset + run.end, std::span(bytes, size));
        cell.delayMs =
            bytes[2] | bytes[3] << 8 | bytes[4] << 16 | static_cast<uint32_t>(bytes[5]) << 24;
        if (size == 12) std::copy_n(bytes + 6, cell.data.size(), cell.data.begin());
        run.cells.push_back(cell);
        run.end += size;
    }
    return run;
}

bool HasMagic(const FlashArea& dataArea) {
    uint8_t magic[sizeof kMagic] = {};
    dataArea.Read(kMacroAreaOffset, magic);
    return std::memcmp(magic, kMagic, sizeof kMagic) == 0;
}

uint32_t MacroStart(const FlashArea& dataArea, uint32_t index) {
    return ReadWord(dataArea, kMacroAreaOffset + kTableOffset + 4 * index);
}

}  // namespace

MacroAreaSummary SummarizeMacroArea(const FlashArea& dataArea) {
    MacroAreaSummary summary;
    summary.hasMagic = HasMagic(dataArea);
    if (!summary.hasMagic) return summary;
    summary.count = ReadWord(dataArea, kMacroAreaOffset + 4);
    if (summary.count == 0 || summary.count > kMostMacros) return summary;
    for (uint32_t i = 0; i < summary.count; ++i) {
        const uint32_t start = MacroStart(dataArea, i);
        if (start >= kMacroAreaSize) break;
        summary.macros.push_back(ReadHeader(dataArea, kMacroAreaOffset + start));
    }
    // The table's entry after the last macro is where the data ends; with 30 macros there is
    // none, and the end is found by walking the last macro's cells.
    if (summary.count < kMostMacros) {
        summary.usedBytes = MacroStart(dataArea, summary.count);
    } else if (!summary.macros.empty() && summary.macros.size() == kMostMacros) {
        const CellRun last = ReadCells(dataArea, MacroStart(dataArea, kMostMacros - 1),
                                       summary.macros.back().cellCount);
        summary.usedBytes = static_cast<uint32_t>(last.end);
    }
    return summary;
}

StoredMacroReading ReadStoredMacro(const FlashArea& dataArea, uint32_t index) {
    StoredMacroReading reading;
    if (!HasMagic(dataArea)) {
        reading.problem = "the macro area has no magic";
        return reading;
    }
    const uint32_t count = ReadWord(dataArea, kMacroAreaOffset + 4);
    if (count > kMostMacros) {
        reading.problem = "the macro area's count " + std::to_string(count) + " is above 30";
        return reading;
    }
    if (index >= count) {
        reading.problem = count == 0 ? std::string("the macro area holds no macros")
                                     : "the macro area holds " + std::to_string(count) +
                                           (count == 1 ? " macro" : " macros");
        return reading;
    }
    const uint32_t start = MacroStart(dataArea, index);
    if (start >= kMacroAreaSize) {
        reading.problem = "its offset " + std::to_string(start) + " lies outside the macro area";
        return reading;
    }
    reading.found = true;
    reading.header = ReadHeader(dataArea, kMacroAreaOffset + start);
    reading.cells = ReadCells(dataArea, start, reading.header.cellCount).cells;
    return reading;
}

namespace {

// Printable ASCII except backslash and double quote as it is, any other byte through
// `escapeFormat`.
std::string EscapeName(const std::string& name, const char* escapeFormat) {
    std::string text;
    for (unsigned char c : name) {
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            text += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, escapeFormat, c);
            text += escape;
        }
    }
    return text;
}

}  // namespace

std::string PrintableName(const std::string& name) {
    return EscapeName(name, "\\x%02X");
}

std::string JsonName(const std::string& name) {
    return EscapeName(name, "\\u%04X");
}

}  // namespace varnel::sim
