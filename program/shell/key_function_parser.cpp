#include "key_function_parser.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <vector>

#include "key_assignment.h"
#include "key_label_tables.h"
#include "text_encoding.h"

namespace varnel::program {

namespace {

constexpr int kMostCombinedKeys = 6;

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    return value;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Words beside the caption names, and the choice among keys that share a name.
constexpr std::pair<std::string_view, int> kKeyWords[] = {
    {"escape", 0},
    {"printscreen", 13},
    {"prtsc", 13},
    {"scrolllock", 14},
    {"break", 15},
    {"backquote", 16},
    {"1", 17},
    {"2", 18},
    {"3", 19},
    {"4", 20},
    {"5", 21},
    {"6", 22},
    {"7", 23},
    {"8", 24},
    {"9", 25},
    {"0", 26},
    {"-", 27},
    {"minus", 27},
    {"equals", 28},
    {"backspace", 29},
    {"insert", 30},
    {"pageup", 32},
    {"pgup", 32},
    {"numlock", 33},
    {"num/", 34},
    {"numslash", 34},
    {"num*", 35},
    {"numstar", 35},
    {"num-", 36},
    {"numminus", 36},
    {"del", 51},
    {"delete", 51},
    {"pagedown", 53},
    {"pgdn", 53},
    {"num7", 54},
    {"num8", 55},
    {"num9", 56},
    {"+", 57},
    {"plus", 57},
    {"numplus", 57},
    {"caps", 58},
    {"enter", 70},
    {"return", 70},
    {"num4", 71},
    {"num5", 72},
    {"num6", 73},
    {"shift", 74},
    {"/", 85},
    {"slash", 85},
    {"rshift", 86},
    {"up", 87},
    {"num1", 88},
    {"num2", 89},
    {"num3", 90},
    {"numenter", 91},
    {"ctrl", 92},
    {"control", 92},
    {"win", 93},
    {"windows", 93},
    {"alt", 94},
    {"ralt", 96},
    {"altgr", 96},
    {"fn", 97},
    {"apps", 98},
    {"menu", 98},
    {"rctrl", 99},
    {"left", 100},
    {"down", 101},
    {"right", 102},
    {"num0", 103},
    {"numdel", 104},
    {"mouseleft", 105},
    {"mousemiddle", 106},
    {"mouseright", 107},
    {"lshift", 74},
    {"lctrl", 92},
    {"lalt", 94},
    {"lwin", 93},
};

const std::map<std::string, int>& KeyWords() {
    static const std::map<std::string, int> words = [] {
        std::map<std::string, int> map;
        for (const auto& [word, index] : kKeyWords) map.emplace(word, index);
        // The caption names; a shared one was chosen above already.
        for (int index = 0; index < kKeyNames; ++index) {
            map.emplace(Lower(Utf16ToUtf8(std::u16string(KeyNameOf(index)))), index);
        }
        return map;
    }();
    return words;
}

constexpr std::pair<std::string_view, MouseButton> kMouseWords[] = {
    {"left", MouseButton::Left}, {"middle", MouseButton::Middle}, {"right", MouseButton::Right}};

constexpr std::pair<std::string_view, MediaFunction> kMediaWords[] = {
    {"web", MediaFunction::WebBrowser},     {"search", MediaFunction::Search},
    {"email", MediaFunction::Email},        {"e-mail", MediaFunction::Email},
    {"desktop", MediaFunction::Desktop},    {"desk", MediaFunction::Desktop},
    {"media", MediaFunction::MediaPlayer},  {"volume-down", MediaFunction::VolumeDown},
    {"vol-", MediaFunction::VolumeDown},    {"mute", MediaFunction::Mute},
    {"volume-up", MediaFunction::VolumeUp}, {"vol+", MediaFunction::VolumeUp},
};

template <typename T, size_t N>
std::optional<T> Lookup(const std::pair<std::string_view, T> (&words)[N], std::string_view word) {
    const std::string lower = Lower(word);
    for (const auto& [name, value] : words) {
        if (name == lower) return value;
    }
    return std::nullopt;
}

Parsed<WorkingEntry> Refused(std::string error) {
    return {std::nullopt, std::move(error)};
}

// The key words of a combination. The + key is written "+" alone or as the last word.
std::vector<std::string_view> SplitCombination(std::string_view text) {
    std::vector<std::string_view> words;
    const bool plusLast = text == "+" || text.ends_with("++");
    if (plusLast) text.remove_suffix(text == "+" ? 1 : 2);
    if (!text.empty() || !plusLast) {
        size_t start = 0;
        for (;;) {
            const size_t plus = text.find('+', start);
            words.push_back(Trim(text.substr(start, plus - start)));
            if (plus == std::string_view::npos) break;
            start = plus + 1;
        }
    }
    if (plusLast) words.push_back("+");
    return words;
}

Parsed<WorkingEntry> ParseCombination(std::string_view text, int keyIndex) {
    const std::vector<std::string_view> words = SplitCombination(text);
    if (words.size() > kMostCombinedKeys) {
        return Refused(Quoted(text) + " names " + std::to_string(words.size()) +
                       " keys; a key can press at most six at once");
    }
    std::array<uint8_t, kOutputsSize> outputs{};
    for (const std::string_view word : words) {
        if (word.empty()) return Refused(Quoted(text) + " has an empty key name");
        const std::optional<int> nameIndex = FindKeyName(word);
        if (!nameIndex) {
            return Refused(words.size() == 1 ? "unknown key name or function " + Quoted(word)
                                             : "unknown key name " + Quoted(word));
        }
        const OutputBit bit = OutputBitOfKeyName(*nameIndex);
        uint8_t& cell = outputs[bit.offset - kOutputsOffset];
        const auto mask = static_cast<uint8_t>(1u << bit.bit);
        if (cell & mask) return Refused(Quoted(word) + " is named twice in " + Quoted(text));
        cell |= mask;
    }
    return {KeyboardEntry(keyIndex, outputs), {}};
}

Parsed<WorkingEntry> ParseMacro(std::string_view which, int keyIndex,
                                const KeypadMacroNames& macros) {
    const int count = static_cast<int>(macros.names.size());
    if (const std::optional<int> number = Number(which)) {
        if (*number < 1 || *number > count || *number > kMostKeypadMacros) {
            return Refused("the keypad has no macro " + std::string(which) + " (it holds " +
                           std::to_string(count) + ")");
        }
        return {KeypadMacroEntry(keyIndex, *number - 1), {}};
    }
    const std::u16string name = Utf8ToUtf16(std::string(which));
    auto found = std::find(macros.names.begin(), macros.names.end(), name);
    if (found == macros.names.end()) {
        found = std::find_if(macros.names.begin(), macros.names.end(), [&](const auto& candidate) {
            return Lower(Utf16ToUtf8(candidate)) == Lower(which);
        });
    }
    const auto macro = static_cast<int>(found - macros.names.begin());
    if (which.empty() || found == macros.names.end() || macro >= kMostKeypadMacros) {
        return Refused("the keypad has no macro named " + Quoted(which));
    }
    return {KeypadMacroEntry(keyIndex, macro), {}};
}

}  // namespace

std::optional<int> FindKeyName(std::string_view word) {
    const auto found = KeyWords().find(Lower(Trim(word)));
    if (found == KeyWords().end()) return std::nullopt;
    return found->second;
}

Parsed<int> ParseKeypadKey(std::string_view text) {
    const std::string word = Lower(Trim(text));
    if (word.starts_with('#')) {
        const std::optional<int> index = Number(std::string_view(word).substr(1));
        if (index && *index >= 0 && *index < kKeypadKeys) return {*index, {}};
    }
    constexpr std::pair<std::string_view, int> kAliases[] = {
        {"numlock", 4}, {"slash", 5}, {"star", 6}, {"minus", 7}, {"plus", 8}, {"delete", 20}};
    if (const std::optional<int> alias = Lookup(kAliases, word)) return {*alias, {}};
    for (int key = 0; key < kKeypadKeys; ++key) {
        if (Lower(Utf16ToUtf8(std::u16string(DefaultCaption(key)))) == word) return {key, {}};
    }
    return {std::nullopt, "unknown keypad key " + Quoted(text) +
                              " (F1 to F4, NumLock, /, *, -, +, ENTER, 0 to 9, DEL, or #0 to #20)"};
}

Parsed<WorkingEntry> ParseKeyFunction(std::string_view text, int keyIndex,
                                      const KeypadMacroNames& macros) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) return Refused("no function given");
    const std::string lower = Lower(trimmed);
    if (lower == "default") return {ResetEntry(keyIndex), {}};
    if (lower == "calculator") return {CalculatorEntry(keyIndex), {}};
    if (lower == "macro-stop") return {MacroStopEntry(keyIndex), {}};

    const size_t colon = trimmed.find(':');
    if (colon == std::string_view::npos) return ParseCombination(trimmed, keyIndex);
    const std::string kind = lower.substr(0, colon);
    const std::string_view which = Trim(trimmed.substr(colon + 1));
    if (kind == "mouse") {
        if (const auto button = Lookup(kMouseWords, which)) {
            return {MouseButtonEntry(keyIndex, *button), {}};
        }
        return Refused("unknown mouse button " + Quoted(which) + " (left, middle or right)");
    }
    if (kind == "media") {
        if (const auto function = Lookup(kMediaWords, which)) {
            return {MediaEntry(keyIndex, *function), {}};
        }
        return Refused("unknown media function " + Quoted(which) +
                       " (web, search, email, desktop, media, volume-down, mute, volume-up)");
    }
    if (kind == "macro") return ParseMacro(which, keyIndex, macros);
    return Refused("unknown function " + Quoted(trimmed) +
                   " (keys such as Ctrl+C, mouse:BUTTON, media:FUNCTION, calculator, macro:N, "
                   "macro:NAME, macro-stop or default)");
}

Parsed<WorkingEntry> ParseKeyFunction(CLumoApi& api, std::string_view text, int keyIndex) {
    return ParseKeyFunction(text, keyIndex, ReadKeypadMacroNames(api));
}

}  // namespace varnel::program
