#include "key_label_tables.h"

#include <stdexcept>

namespace varnel::program {

namespace {

struct KeyName {
    std::u16string_view name;
    uint8_t column;  // output byte 0 to 15 (entry offset 3 to 18)
    uint8_t row;     // bit 0 to 7
};

// clang-format off
constexpr std::array<KeyName, kKeyNames> kKeyNameTable = {{
    {u"ESC", 1, 0}, {u"F1", 2, 0}, {u"F2", 3, 0}, {u"F3", 4, 0}, {u"F4", 5, 0},
    {u"F5", 6, 0}, {u"F6", 7, 0}, {u"F7", 8, 0}, {u"F8", 9, 0}, {u"F9", 10, 0},
    {u"F10", 11, 0}, {u"F11", 12, 0}, {u"F12", 13, 0}, {u"PS", 14, 0}, {u"ScrLck", 15, 0},
    {u"Pause", 15, 7}, {u"`", 2, 1}, {u"1", 3, 1}, {u"2", 4, 1}, {u"3", 5, 1},
    {u"4", 6, 1}, {u"5", 7, 1}, {u"6", 8, 1}, {u"7", 9, 1}, {u"8", 10, 1},
    {u"9", 11, 1}, {u"0", 12, 1}, {u"-", 13, 1}, {u"=", 14, 1}, {u"Back", 3, 7},
    {u"INS", 4, 7}, {u"HOME", 5, 7}, {u"PGUP", 6, 7}, {u"NUM", 7, 7}, {u"/", 8, 7},
    {u"*", 9, 7}, {u"-", 10, 7}, {u"Tab", 2, 2}, {u"Q", 3, 2}, {u"W", 4, 2},
    {u"E", 5, 2}, {u"R", 6, 2}, {u"T", 7, 2}, {u"Y", 8, 2}, {u"U", 9, 2},
    {u"I", 10, 2}, {u"O", 11, 2}, {u"P", 12, 2}, {u"[", 13, 2}, {u"]", 14, 2},
    {u"\\", 15, 2}, {u"Del", 5, 6}, {u"End", 6, 6}, {u"PGDN", 7, 6}, {u"7", 8, 6},
    {u"8", 9, 6}, {u"9", 11, 7}, {u"+", 12, 7}, {u"CapsLock", 2, 3}, {u"A", 3, 3},
    {u"S", 4, 3}, {u"D", 5, 3}, {u"F", 6, 3}, {u"G", 7, 3}, {u"H", 8, 3},
    {u"J", 9, 3}, {u"K", 10, 3}, {u"L", 11, 3}, {u";", 12, 3}, {u"'", 13, 3},
    {u"Enter", 15, 3}, {u"4", 7, 5}, {u"5", 8, 5}, {u"6", 9, 5}, {u"Shift", 2, 4},
    {u"<", 3, 4}, {u"Z", 4, 4}, {u"X", 5, 4}, {u"C", 6, 4}, {u"V", 7, 4},
    {u"B", 8, 4}, {u"N", 9, 4}, {u"M", 10, 4}, {u",", 11, 4}, {u".", 12, 4},
    {u"/", 13, 4}, {u"Shift", 15, 4}, {u"▲", 5, 5}, {u"1", 6, 5}, {u"2", 14, 7},
    {u"3", 13, 7}, {u"Enter", 15, 6}, {u"Ctrl", 2, 5}, {u"Win", 2, 6}, {u"Alt", 3, 5},
    {u"Space", 4, 6}, {u"Alt", 11, 5}, {u"Win", 0, 1}, {u"App", 12, 5}, {u"Ctrl", 12, 6},
    {u"◀", 13, 5}, {u"▼", 13, 6}, {u"▶", 14, 5}, {u"0", 14, 6}, {u"DEL", 15, 5},
    {u"M-Left", 0, 2}, {u"M-Middle", 0, 3}, {u"M-Right", 0, 4},
}};
// clang-format on

constexpr std::array<uint8_t, kKeyNames> MakeJoinOrder() {
    // Runs of name indices, first and last included.
    constexpr std::pair<uint8_t, uint8_t> kRuns[] = {
        {74, 74},   {86, 86},   {92, 92}, {99, 99}, {94, 94}, {96, 96}, {105, 107}, {0, 14},
        {16, 28},   {37, 50},   {58, 70}, {75, 85}, {87, 88}, {71, 73}, {98, 98},   {100, 100},
        {102, 102}, {104, 104}, {93, 93}, {95, 95}, {51, 55}, {97, 97}, {101, 101}, {103, 103},
        {91, 91},   {29, 36},   {56, 57}, {90, 90}, {89, 89}, {15, 15},
    };
    std::array<uint8_t, kKeyNames> order{};
    size_t at = 0;
    for (const auto& [first, last] : kRuns) {
        for (int index = first; index <= last; ++index) order[at++] = static_cast<uint8_t>(index);
    }
    if (at != kKeyNames) throw std::logic_error("the join order must name every key once");
    return order;
}

constexpr std::array<uint8_t, kKeyNames> kJoinOrder = MakeJoinOrder();

constexpr std::array<std::u16string_view, kMediaFunctions> kMediaShortNames = {
    u"Web", u"Search", u"E-Mail", u"Desk", u"Media", u"Vol-", u"Mute", u"Vol+",
};

constexpr std::array<std::u16string_view, kKeypadKeys> kDefaultCaptions = {
    u"F1", u"F2", u"F3", u"F4", u"NUM", u"/", u"*", u"-", u"+", u"ENTER", u"1",
    u"2",  u"3",  u"4",  u"5",  u"6",   u"7", u"8", u"9", u"0", u"DEL",
};

}  // namespace

std::u16string_view KeyNameOf(int nameIndex) {
    if (nameIndex < 0 || nameIndex >= kKeyNames) return {};
    return kKeyNameTable[static_cast<size_t>(nameIndex)].name;
}

OutputBit OutputBitOfKeyName(int nameIndex) {
    const KeyName& name = kKeyNameTable.at(static_cast<size_t>(nameIndex));
    return {static_cast<uint8_t>(kOutputsOffset + name.column), name.row};
}

std::optional<int> KeyNameIndexAt(OutputBit bit) {
    for (int index = 0; index < kKeyNames; ++index) {
        const OutputBit named = OutputBitOfKeyName(index);
        if (named.offset == bit.offset && named.bit == bit.bit) return index;
    }
    return std::nullopt;
}

const std::array<uint8_t, kKeyNames>& KeyNameJoinOrder() {
    return kJoinOrder;
}

std::u16string_view MediaShortName(MediaFunction function) {
    return kMediaShortNames.at(static_cast<size_t>(function));
}

OutputBit MediaFunctionBit(MediaFunction function) {
    return {static_cast<uint8_t>(kFirstMediaOffset + static_cast<int>(function)), 0};
}

std::u16string_view DefaultCaption(int keyIndex) {
    return kDefaultCaptions.at(static_cast<size_t>(keyIndex));
}

}  // namespace varnel::program
