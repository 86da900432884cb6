// Key map and macro area images written byte by byte from plain descriptions, the way the host
// lays them out, for the simulator's tests.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "flash_area.h"
#include "persistent_state.h"

namespace varnel::sim::testing_images {

inline constexpr uint32_t kKeyMapAt = 0x1F000;
inline constexpr uint32_t kMacroAreaAt = 0x10000;

inline void PutLittle(std::vector<uint8_t>& image, size_t offset, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

struct EntrySpec {
    std::array<uint8_t, 3> trigger{};
    std::vector<std::pair<int, int>> outputs;  // (entry offset 3 to 18, bit)
    uint32_t macroBits = 0;
};

struct KeyMapSpec {
    std::vector<EntrySpec> entries;
    std::optional<uint16_t> count = std::nullopt;  // the number of entries unless given
    std::string signature = "REPROGRAM01";
};

// 497 bytes: signature, NumLock sync 3, count, then the entries in their 23-byte slots.
inline std::vector<uint8_t> BuildKeyMap(const KeyMapSpec& spec) {
    std::vector<uint8_t> image(497, 0);
    std::memcpy(image.data(), spec.signature.data(), std::min<size_t>(spec.signature.size(), 11));
    image[11] = 3;
    PutLittle(image, 12, spec.count.value_or(static_cast<uint16_t>(spec.entries.size())), 2);
    for (size_t slot = 0; slot < spec.entries.size(); ++slot) {
        const EntrySpec& entry = spec.entries[slot];
        const size_t at = 14 + 23 * slot;
        std::copy(entry.trigger.begin(), entry.trigger.end(), image.begin() + at);
        for (const auto& [offset, bit] : entry.outputs) image[at + offset] |= 1 << bit;
        PutLittle(image, at + 19, entry.macroBits, 3);
    }
    return image;
}

struct CellSpec {
    uint16_t code = 0;
    uint32_t delay = 0;
    std::array<uint8_t, 6> data{};
};

struct MacroSpec {
    std::string name;
    std::vector<CellSpec> cells;
    int16_t repeat = 0;
};

// Magic, count, offset table, then each header followed by its cells: 8 bytes for mouse
// buttons without a position and for 0x8000 (code, delay and two data bytes the keypad
// ignores), 12 for the others.
inline std::vector<uint8_t> BuildMacroArea(const std::vector<MacroSpec>& macros) {
    std::vector<uint8_t> image(128, 0);
    std::memcpy(image.data(), "KRAM", 4);
    PutLittle(image, 4, static_cast<uint32_t>(macros.size()), 4);
    for (size_t i = 0; i < macros.size(); ++i) {
        PutLittle(image, 8 + 4 * i, static_cast<uint32_t>(image.size()), 4);
        const MacroSpec& macro = macros[i];
        std::vector<uint8_t> header(24, 0);
        PutLittle(header, 0, static_cast<uint32_t>(macro.cells.size()), 2);
        PutLittle(header, 2, static_cast<uint16_t>(macro.repeat), 2);
        std::memcpy(header.data() + 4, macro.name.data(), std::min<size_t>(macro.name.size(), 20));
        image.insert(image.end(), header.begin(), header.end());
        for (const CellSpec& spec : macro.cells) {
            const bool small = (spec.code & 0x7000) == 0x4000 || spec.code == 0x8000;
            std::vector<uint8_t> cell(small ? 8 : 12, 0);
            PutLittle(cell, 0, spec.code, 2);
            PutLittle(cell, 2, spec.delay, 4);
            std::copy_n(spec.data.begin(), cell.size() - 6, cell.begin() + 6);
            image.insert(image.end(), cell.begin(), cell.end());
        }
    }
    if (macros.size() < 30) {
        PutLittle(image, 8 + 4 * macros.size(), static_cast<uint32_t>(image.size()), 4);
    }
    return image;
}

// A data area as a fresh keypad has it (all 0xFF) with the images programmed where the keypad
// keeps them; an empty image leaves its place erased.
inline FlashArea DataArea(const std::vector<uint8_t>& keyMap,
                          const std::vector<uint8_t>& macroArea = {}) {
    FlashArea area(kDataAreaSize);
    if (!keyMap.empty()) area.Program(kKeyMapAt, keyMap);
    if (!macroArea.empty()) area.Program(kMacroAreaAt, macroArea);
    return area;
}

}  // namespace varnel::sim::testing_images
