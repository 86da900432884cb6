#include "mcr_import.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

#include "ansi_code_page.h"
#include "key_table.h"
#include "macro_lists.h"
#include "recorder_key_names.h"

namespace varnel {

namespace {

// The pause the import puts between the press and the release of a click or a key press.
constexpr uint32_t kPressPauseMs = 100;

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string UpperCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return upper;
}

// Field `index` of a line split at ':', or the empty text when the line has fewer fields.
std::u16string_view Field(std::u16string_view line, size_t index) {
    for (; index > 0; --index) {
        const size_t colon = line.find(u':');
        if (colon == std::u16string_view::npos) return {};
        line.remove_prefix(colon + 1);
    }
    return line.substr(0, line.find(u':'));
}

// A signed decimal number the way atoi reads one: leading white space, one sign, then digits up
// to the first other character; 0 without digits. Values beyond 32 bits stop at the bound.
int32_t ReadInteger(std::u16string_view text) {
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';
    int64_t value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = std::min<int64_t>(value * 10 + (text[at] - u'0'), int64_t{INT32_MAX} + 1);
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// A position field: only the text after its last 'C' counts when there is one.
int32_t ReadPosition(std::u16string_view field) {
    field = Trim(field);
    const size_t c = field.rfind(u'C');
    return ReadInteger(c == std::u16string_view::npos ? field : field.substr(c + 1));
}

MacroItem MouseItem(int32_t x, int32_t y, uint32_t flags) {
    return {kMacroItemMouse, static_cast<uint32_t>(x), static_cast<uint32_t>(y), flags};
}

MacroItem PauseItem(uint32_t milliseconds) {
    return {kMacroItemDelay, milliseconds, 0, 0};
}

MacroItem KeyItem(uint16_t keyCode, uint32_t action) {
    return {kMacroItemKeyboard, keyCode, action, 0};
}

// Mouse actions by their exact name: the flags of the press and, for clicks, of the release
// that follows a pause (0: none).
struct MouseAction {
    std::u16string_view name;
    uint32_t press;
    uint32_t release;
};

constexpr MouseAction kMouseActions[] = {
    {u"LeftButtonDown", 0x2, 0}, {u"LeftButtonUp", 0x4, 0},      {u"RightButtonDown", 0x8, 0},
    {u"RightButtonUp", 0x10, 0}, {u"MiddleButtonDown", 0x20, 0}, {u"MiddleButtonUp", 0x40, 0},
    {u"Click", 0x2, 0x4},        {u"RightClick", 0x8, 0x10},
};

constexpr uint32_t kWheelFlag = 0x800;

void AddMouseSteps(std::u16string_view line, std::vector<MacroItem>& items) {
    const int32_t x = ReadPosition(Field(line, 1));
    const int32_t y = ReadPosition(Field(line, 2));
    const std::u16string_view action = Trim(Field(line, 3));
    if (action == u"Wheel") {
        // The wheel amount is signed 16-bit data in bits 16-31.
        const int32_t amount = std::clamp(ReadInteger(Trim(Field(line, 4))), INT16_MIN, INT16_MAX);
        items.push_back(MouseItem(x, y, kWheelFlag | static_cast<uint16_t>(amount) << 16));
        return;
    }
    for (const MouseAction& known : kMouseActions) {
        if (known.name != action) continue;
        items.push_back(MouseItem(x, y, known.press));
        if (known.release != 0) {
            items.push_back(PauseItem(kPressPauseMs));
            items.push_back(MouseItem(x, y, known.release));
        }
        return;
    }
}

// The number after the line's last space; a negative number counts as 0 rather than wrapping
// round to a pause of weeks.
void AddDelayStep(std::u16string_view line, std::vector<MacroItem>& items) {
    const size_t space = line.rfind(u' ');
    if (space == std::u16string_view::npos) return;
    items.push_back(
        PauseItem(static_cast<uint32_t>(std::max(0, ReadInteger(line.substr(space + 1))))));
}

uint16_t ImportKeyCode(int row) {
    const KeyRow& key = ImportKeyTable()[row];
    return static_cast<uint16_t>(key.virtualKey | (key.scanCode & 0xFF) << 8);
}

// The key a KEYBOARD line names: a short name of the import key table (the first equal row),
// else one of the recorder's own names.
std::optional<uint16_t> NamedKey(std::u16string_view name) {
    const KeyRow* rows = ImportKeyTable();
    for (int row = 0; row < kKeyRowCount; ++row) {
        if (rows[row].shortName == name) return ImportKeyCode(row);
    }
    if (const int row = FindRecorderKeyRow(name); row >= 0) return ImportKeyCode(row);
    return std::nullopt;
}

// A line whose key is unknown uses the key of the previous KEYBOARD line; before any line named
// a key there is nothing to press and the line is skipped.
void AddKeyboardSteps(std::u16string_view line, std::optional<uint16_t>& previousKey,
                      std::vector<MacroItem>& items) {
    if (const auto named = NamedKey(Trim(Field(line, 1)))) previousKey = named;
    if (!previousKey) return;
    const uint16_t key = *previousKey;
    const size_t lastColon = line.rfind(u':');
    const std::u16string action =
        UpperCase(lastColon == std::u16string_view::npos ? line : line.substr(lastColon + 1));
    if (action.find(u"KEYDOWN") != std::u16string::npos) {
        items.push_back(KeyItem(key, 1));
    } else if (action.find(u"KEYUP") != std::u16string::npos) {
        items.push_back(KeyItem(key, 2));
    } else if (action.find(u"KEYPRESS") != std::u16string::npos) {
        items.push_back(KeyItem(key, 1));
        items.push_back(PauseItem(kPressPauseMs));
        items.push_back(KeyItem(key, 2));
    }
}

}  // namespace

std::vector<std::u16string> SplitRecorderLines(std::string_view fileText) {
    const std::u16string text = AnsiToUtf16(fileText);
    std::vector<std::u16string> lines;
    std::u16string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find(u'\n');
        std::u16string_view line = rest.substr(0, end);
        while (!line.empty() && IsSpace(line.back())) line.remove_suffix(1);
        lines.emplace_back(line);
        rest = end == std::u16string_view::npos ? std::u16string_view{} : rest.substr(end + 1);
    }
    return lines;
}

EditorMacro ImportRecorderLines(const std::vector<std::u16string>& lines, std::u16string name) {
    EditorMacro macro;
    SetDefaultMacroOptions(macro);
    macro.playbackCursor = -1;
    macro.name = std::move(name);
    macro.items.push_back({kMacroItemStart, 0, 0, 0});
    std::optional<uint16_t> previousKey;
    for (const std::u16string& line : lines) {
        // Field 0 names the command; the tests go in this order, so "MOUSE" wins over the others.
        const std::u16string command = UpperCase(Field(line, 0));
        if (command.find(u"MOUSE") != std::u16string::npos) {
            AddMouseSteps(line, macro.items);
        } else if (command.find(u"DELAY") != std::u16string::npos) {
            AddDelayStep(line, macro.items);
        } else if (command.find(u"KEYBOARD") != std::u16string::npos) {
            AddKeyboardSteps(line, previousKey, macro.items);
        }
    }
    return macro;
}

std::u16string RecorderMacroName(std::u16string_view path) {
    const size_t slash = path.rfind(u'/');
    const std::u16string_view fileName =
        slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    const std::u16string_view stem = fileName.substr(0, fileName.rfind(u'.'));
    return std::u16string(stem.empty() ? fileName : stem);
}

}  // namespace varnel
