#include "macro_encoding.h"

#include <algorithm>
#include <array>

#include "ansi_codec.h"

namespace varnel {

namespace {

constexpr uint16_t kCodeKeyReport = 0x8001;
constexpr uint16_t kCodeKeyRelease = 0x8000;
constexpr uint16_t kCodeRelativeMove = 0x5000;
constexpr uint16_t kCodeAbsoluteMove = 0x6000;
constexpr uint32_t kFlagPosition = 0x0001;
constexpr uint32_t kFlagAbsolute = 0x8000;
constexpr uint32_t kFlagWheel = 0x0800;
constexpr uint32_t kRepeatEndless = 0x100;
constexpr uint32_t kRepeatWhileHeld = 0x200;
constexpr int kKeySlots = 5;

// The keyboard report as the keypad will send it: modifier bits and five key slots.
struct KeyboardState {
    uint8_t modifiers = 0;
    std::array<uint8_t, kKeySlots> keys{};

    void Press(uint8_t usage) {
        if (usage >= 0xE0 && usage <= 0xE7) {
            modifiers |= static_cast<uint8_t>(1u << (usage - 0xE0));
        } else if (usage != 0 && std::find(keys.begin(), keys.end(), usage) == keys.end()) {
            const auto empty = std::find(keys.begin(), keys.end(), 0);
            if (empty != keys.end()) *empty = usage;  // all five taken: the press is lost
        }
    }

    void Release(uint8_t usage) {
        if (usage >= 0xE0 && usage <= 0xE7) {
            modifiers &= static_cast<uint8_t>(~(1u << (usage - 0xE0)));
        } else if (usage != 0) {
            std::replace(keys.begin(), keys.end(), usage, uint8_t{0});
        }
    }

    void WriteTo(uint8_t* data) const {
        data[0] = modifiers;
        std::copy(keys.begin(), keys.end(), data + 1);
    }
};

// The button bits of a mouse item: the first test that applies. A click's down test comes first.
uint16_t ButtonCode(uint32_t word3) {
    const uint32_t flags = word3 & 0xFFFF;
    const auto wheelAmount = static_cast<int16_t>(word3 >> 16);
    auto all = [word3](uint32_t mask) { return (word3 & mask) == mask; };
    if (flags & 0x0002) return 0x4001;  // left down
    if (flags & 0x0004) return 0x4020;  // left up
    if (flags & 0x0008) return 0x4002;  // right down
    if (flags & 0x0010) return 0x4040;  // right up
    if (flags & 0x0020) return 0x4004;  // middle down
    if (flags & 0x0040) return 0x4080;  // middle up
    if (flags & kFlagWheel) return wheelAmount < 0 ? 0x4800 : 0x4400;
    if (all(0x10080)) return 0x4008;  // back down
    if (all(0x10100)) return 0x4100;  // back up
    if (all(0x20080)) return 0x4010;  // forward down
    return 0;
}

void PutPosition(uint8_t* data, int32_t x, int32_t y) {
    const auto x16 = static_cast<uint16_t>(x);
    const auto y16 = static_cast<uint16_t>(y);
    data[0] = static_cast<uint8_t>(x16);
    data[1] = static_cast<uint8_t>(x16 >> 8);
    data[2] = static_cast<uint8_t>(y16);
    data[3] = static_cast<uint8_t>(y16 >> 8);
}

// Screen pixels on the keypad's 0 to 10000 scale. A screen size of 0 (settings that could not
// be read) gives 0 instead of dividing by it.
int32_t ScaleToKeypad(int32_t pixels, uint32_t screen) {
    if (screen == 0) return 0;
    return static_cast<int32_t>(static_cast<double>(pixels) * 10000.0 / screen);
}

MacroCell MouseCell(const MacroItem& item, const MacroEncoderContext& context) {
    MacroCell cell;
    const uint16_t buttons = ButtonCode(item.word3);
    const auto x = static_cast<int32_t>(item.word1);
    const auto y = static_cast<int32_t>(item.word2);
    if (!(item.word3 & kFlagPosition)) {
        cell.code = buttons;
    } else if (item.word3 & kFlagAbsolute) {
        cell.code = buttons | kCodeAbsoluteMove;
        int32_t sx = ScaleToKeypad(x, context.gameWidth);
        const int32_t sy = ScaleToKeypad(y, context.gameHeight);
        if (sx == 0 && sy == 0) sx = 1;  // (0, 0) would read as no position
        PutPosition(cell.data, sx, sy);
    } else {
        cell.code = buttons | kCodeRelativeMove;
        PutPosition(cell.data, x, y);
    }
    return cell;
}

}  // namespace

int16_t RepeatOf(uint32_t repeatWord, bool fromFlags) {
    if (fromFlags && (repeatWord & kRepeatEndless)) return -1;
    if (fromFlags && (repeatWord & kRepeatWhileHeld)) return -2;
    const uint32_t count = repeatWord >> 16;
    return count == 0 ? int16_t{-1} : static_cast<int16_t>(count - 1);
}

uint32_t StoredCellSize(uint16_t code) {
    return (code & 0x7000) == 0x4000 || code == kCodeKeyRelease ? 8 : 12;
}

void FillDeviceName(char (&field)[20], std::u16string_view name, uint32_t codePage) {
    std::fill(std::begin(field), std::end(field), '\0');
    size_t used = 0;
    for (size_t i = 0; i < name.size();) {
        const bool pair = name[i] >= 0xD800 && name[i] < 0xDC00 && i + 1 < name.size();
        const size_t units = pair ? 2 : 1;
        const std::string bytes = Utf16ToAnsi(name.substr(i, units), codePage);
        if (used + bytes.size() > sizeof field) break;
        std::copy(bytes.begin(), bytes.end(), field + used);
        used += bytes.size();
        i += units;
    }
}

DeviceMacro EncodeMacro(const EditorMacro& macro, const MacroEncoderRules& rules,
                        const MacroEncoderContext& context) {
    DeviceMacro out;
    KeyboardState keyboard;
    auto emit = [&](MacroCell cell) {
        // The delay is a packed member, so std::max (which takes references) gets a copy.
        const uint32_t delay = cell.delay;
        cell.delay = std::max(delay, rules.minimumDelay);
        out.cells.push_back(cell);
    };
    const MacroItem* previous = nullptr;
    for (const MacroItem& item : macro.items) {
        switch (item.kind) {
            case kMacroItemKeyboard: {
                MacroCell cell;
                const uint8_t usage = context.usageOf(static_cast<uint16_t>(item.word1));
                if (item.word2 & 1) {
                    cell.code = kCodeKeyReport;
                    keyboard.Press(usage);
                } else if (item.word2 & 2) {
                    cell.code = rules.releaseCode8000 ? kCodeKeyRelease : kCodeKeyReport;
                    keyboard.Release(usage);
                }
                keyboard.WriteTo(cell.data);
                emit(cell);
                break;
            }
            case kMacroItemMouse:
                emit(MouseCell(item, context));
                break;
            case kMacroItemDelay:
                if (out.cells.empty()) {
                    MacroCell cell;
                    cell.code = rules.leadingDelayMoves ? kCodeRelativeMove : 0;
                    cell.delay = item.word1;
                    emit(cell);
                } else if (rules.addsFollowingDelays && previous &&
                           previous->kind == kMacroItemDelay) {
                    out.cells.back().delay += item.word1;
                } else {
                    out.cells.back().delay = item.word1;
                }
                break;
            default:
                break;  // start items and unknown kinds make no step
        }
        previous = &item;
    }
    out.header.cellCount = static_cast<uint16_t>(std::min<size_t>(out.cells.size(), 0xFFFE));
    out.header.repeat = RepeatOf(macro.options[9], rules.repeatFromFlags);
    FillDeviceName(out.header.name, macro.name, context.codePage);
    return out;
}

}  // namespace varnel
