#include "keypad_macro_view.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "ansi_codec.h"
#include "list_macro_encoder.h"
#include "text_encoding.h"
#include "workshop_texts.h"

namespace varnel::program {

namespace {

struct ButtonMask {
    uint16_t mask;
    uint16_t button;
    uint16_t direction;
};

// The first mask whose bits are all set in the code names the button step.
constexpr std::array<ButtonMask, 12> kButtonMasks = {{
    {0x4001, kTextLeftButton, kTextDown},
    {0x4002, kTextRightButton, kTextDown},
    {0x4004, kTextMiddleButton, kTextDown},
    {0x4010, kTextForward, kTextDown},
    {0x4008, kTextBack, kTextDown},
    {0x4400, kTextWheelUp, kTextDown},
    {0x4800, kTextWheelDown, kTextDown},
    {0x4020, kTextLeftButton, kTextUp},
    {0x4040, kTextRightButton, kTextUp},
    {0x4080, kTextMiddleButton, kTextUp},
    {0x4200, kTextForward, kTextUp},
    {0x4100, kTextBack, kTextUp},
}};

std::u16string Ascii(const std::string& text) {
    return Utf8ToUtf16(text);
}

int16_t Signed16(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

// A position on the keypad's 0 to 10000 scale back in pixels, raised by one when 1 or more.
int ToPixels(int value, uint32_t screen) {
    const int pixels = static_cast<int>(static_cast<int64_t>(screen) * value / 10000);
    return pixels >= 1 ? pixels + 1 : pixels;
}

std::u16string MouseText(CLumoApi& api, const MacroCell& cell, uint16_t language) {
    std::u16string text = u"    " + WorkshopString(kTextMouse, language) + u" ";
    for (const ButtonMask& m : kButtonMasks) {
        if ((cell.code & m.mask) != m.mask) continue;
        text += WorkshopString(m.button, language) + u"_" + WorkshopString(m.direction, language) +
                u" ";
        break;
    }
    int x = Signed16(cell.data), y = Signed16(cell.data + 2);
    uint16_t position = 0;
    if ((cell.code & 0x6000) == 0x6000) {
        position = kTextAbsolutePosition;
        x = ToPixels(x, api.GetGameWidth());
        y = ToPixels(y, api.GetGameHeight());
    } else if ((cell.code & 0x5000) == 0x5000) {
        position = kTextRelativePosition;
    }
    if (position != 0) {
        char numbers[32];
        std::snprintf(numbers, sizeof numbers, "(%d,%d) ", x, y);
        text += WorkshopString(position, language) + Ascii(numbers);
    }
    return text;
}

// The keys of a keyboard report as usages: modifier bits as 0xE0 to 0xE7, then the slots.
std::vector<uint8_t> KeysOf(const uint8_t* data) {
    std::vector<uint8_t> keys;
    for (int bit = 0; bit < 8; ++bit) {
        if (data[0] & (1 << bit)) keys.push_back(static_cast<uint8_t>(0xE0 + bit));
    }
    for (int slot = 1; slot < 6; ++slot) {
        if (data[slot] != 0) keys.push_back(data[slot]);
    }
    return keys;
}

bool Holds(const std::vector<uint8_t>& keys, uint8_t usage) {
    return std::find(keys.begin(), keys.end(), usage) != keys.end();
}

std::u16string KeyboardText(CLumoApi& api, const std::vector<uint8_t>& before,
                            const std::vector<uint8_t>& now, uint16_t language) {
    std::u16string text = u"    " + WorkshopString(kTextKeyboard, language);
    auto name = [&api](uint8_t usage) { return api.GetKeyName(api.FindKeyByUsage(usage)); };
    for (uint8_t usage : now) {
        if (!Holds(before, usage))
            text += u" " + name(usage) + u" " + WorkshopString(kTextDown, language);
    }
    for (uint8_t usage : before) {
        if (!Holds(now, usage))
            text += u" " + name(usage) + u" " + WorkshopString(kTextUp, language);
    }
    return text;
}

std::u16string NameText(CLumoApi& api, const char (&field)[20]) {
    return AnsiToUtf16(std::string_view(field, strnlen(field, sizeof field)),
                       KeypadNameCodePage(api));
}

}  // namespace

std::u16string KeypadMacroName(CLumoApi& api, int index) {
    char field[20];
    std::memcpy(field, api.GetDeviceMacroInfo(index), sizeof field);
    return NameText(api, field);
}

KeypadMacroView ViewKeypadMacro(CLumoApi& api, const DeviceMacro& macro) {
    const uint16_t language = api.GetUiLanguage();
    KeypadMacroView view;
    view.name = NameText(api, macro.header.name);
    view.repeat = macro.header.repeat;
    view.repeatMode = view.repeat == -1   ? u"Infinite"
                      : view.repeat == -2 ? u"When Pressed"
                                          : u"Set loop count";
    uint64_t delays = 0;
    std::vector<uint8_t> keys;
    if (macro.header.cellCount != 0xFFFF) {
        for (const MacroCell& cell : macro.cells) {
            if (cell.code & 0x4000) {
                view.rows.push_back({RowKind::Mouse, MouseText(api, cell, language)});
            } else if (cell.code & 0x8000) {
                std::vector<uint8_t> now = KeysOf(cell.data);
                view.rows.push_back({RowKind::Keyboard, KeyboardText(api, keys, now, language)});
                keys = std::move(now);
            } else {
                view.rows.push_back({RowKind::Other, u""});
            }
            delays += cell.delay;
            if (cell.delay != 0) {
                char text[48];
                std::snprintf(text, sizeof text, " %u ms ", cell.delay);
                view.rows.push_back(
                    {RowKind::Delay, u"    " + WorkshopString(kTextDelay, language) + Ascii(text)});
            }
        }
    }
    view.seconds = static_cast<double>(delays) / 1000.0;
    char summary[64];
    std::snprintf(summary, sizeof summary, "%zu Items (%g sec)", view.rows.size(), view.seconds);
    view.summary = Ascii(summary);
    return view;
}

}  // namespace varnel::program
