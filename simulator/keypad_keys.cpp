#include "keypad_keys.h"

#include <algorithm>
#include <cctype>

#include "number_parsing.h"

namespace varnel::sim {

namespace {

struct KeypadKey {
    const char* name;
    uint8_t triggerByte;
    uint8_t triggerBit;
};

constexpr KeypadKey kKeys[kKeypadKeyCount] = {
    {"F1", 0, 0}, {"F2", 1, 0}, {"F3", 2, 0},  {"F4", 0, 7},    {"NumLock", 0, 1}, {"/", 1, 1},
    {"*", 2, 1},  {"-", 1, 6},  {"+", 0, 6},   {"ENTER", 2, 5}, {"1", 0, 4},       {"2", 1, 4},
    {"3", 2, 4},  {"4", 0, 3},  {"5", 1, 3},   {"6", 2, 3},     {"7", 0, 2},       {"8", 1, 2},
    {"9", 2, 2},  {"0", 0, 5},  {"DEL", 1, 5},
};

// An index as varnelctl writes it ("#14"), or spelt out ("index:14").
constexpr std::string_view kIndexPrefixes[] = {"#", "index:"};

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<int> FindByName(std::string_view name) {
    if (SameLetters(name, "Num")) return 4;  // the caption on the keypad itself
    for (int index = 0; index < kKeypadKeyCount; ++index) {
        if (SameLetters(name, kKeys[index].name)) return index;
    }
    return std::nullopt;
}

}  // namespace

const char* const kKeypadKeyHelp =
    "a key is F1 F2 F3 F4 NumLock / * - + ENTER 0-9 DEL, or #N (index:N) for N from 0 to 20";

const char* KeypadKeyName(int keyIndex) {
    return kKeys[keyIndex].name;
}

std::array<uint8_t, 3> KeypadKeyTrigger(int keyIndex) {
    std::array<uint8_t, 3> trigger{};
    trigger[kKeys[keyIndex].triggerByte] = static_cast<uint8_t>(1u << kKeys[keyIndex].triggerBit);
    return trigger;
}

std::optional<int> ParseKeypadKey(std::string_view text) {
    for (const std::string_view prefix : kIndexPrefixes) {
        if (!SameLetters(text.substr(0, prefix.size()), prefix)) continue;
        const auto index = ParseUnsigned(text.substr(prefix.size()), kKeypadKeyCount - 1);
        if (!index) return std::nullopt;
        return static_cast<int>(*index);
    }
    if (const auto key = FindByName(text)) return key;
    // "Num/", "Num5", "NumEnter", "NumDel": the keypad's keys as a full keyboard names them.
    if (text.size() > 3 && SameLetters(text.substr(0, 3), "Num")) return FindByName(text.substr(3));
    return std::nullopt;
}

}  // namespace varnel::sim
