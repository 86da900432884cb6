// Display text of macro steps. Every piece is appended in a fixed order; the spaces, trailing ones
// included, belong to the texts the step lists show.
#include "macro_text.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "key_table.h"
#include "string_table.h"

namespace varnel {

namespace {

// Words of the library's string table.
enum WordId : uint16_t {
    kWordKeyboard = 212,
    kWordMouse = 213,
    kWordDelay = 214,
    kWordSecond = 216,
    kWordDown = 220,
    kWordUp = 221,
    kWordError = 222,
    kWordClick = 223,
    kWordWheelUp = 224,
    kWordWheelDown = 225,
    kWordLeftButton = 226,
    kWordRightButton = 227,
    kWordMiddleButton = 228,
    kWordAbsolutePosition = 229,
    kWordRelativePosition = 230,
    kWordRandomDelay = 231,
    kWordAdd = 232,
    kWordHour = 233,
    kWordMinute = 234,
    kWordTill = 235,
    kWordKeystrokeWait = 236,
};

// Fields of a mouse item's flags (word 3): bits 16-31 are the signed mouse data.
constexpr uint32_t kMouseHasPosition = 1u << 0;
constexpr int kLeftButtonShift = 1;
constexpr int kRightButtonShift = 3;
constexpr int kMiddleButtonShift = 5;
constexpr int kSideButtonShift = 7;
constexpr uint32_t kMousePositionMarker = 1u << 9;
constexpr uint32_t kMouseWheel = 1u << 11;
constexpr uint32_t kMouseAbsolute = 1u << 15;
constexpr int16_t kSideButtonBack = 1;
constexpr int16_t kSideButtonForward = 2;

// Delay sub-kinds: word 2 masked with 0xF1.
constexpr uint32_t kDelaySubKindMask = 0xF1;
constexpr uint32_t kDelayPause = 0x00;
constexpr uint32_t kDelayUntilTimeOfDay = 0x01;
constexpr uint32_t kDelayForKeystroke = 0x10;

constexpr uint32_t kMaxRandomSpreadSteps = 10;  // steps of 10 %

// Word 1 of a keystroke wait: bits 0-7 the virtual-key code, then these.
constexpr uint32_t kWaitForRelease = 1u << 16;
constexpr uint32_t kWaitWithCtrl = 1u << 17;
constexpr uint32_t kWaitWithAlt = 1u << 18;
constexpr uint32_t kWaitWithShift = 1u << 19;
constexpr uint32_t kWaitModifiersGiven = 1u << 20;

constexpr char16_t kIndent[] = u"    ";

// The words of one language.
class Words {
  public:
    explicit Words(uint16_t language) : m_language(language) {}
    std::u16string operator()(WordId id) const { return LibraryText(id, m_language); }
    uint16_t Language() const { return m_language; }

  private:
    uint16_t m_language;
};

std::u16string Number(int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string KeyboardText(const MacroItem& item, const Words& word) {
    const int row = FindKeyRowByCode(static_cast<uint16_t>(item.word1));
    std::u16string text = kIndent + word(kWordKeyboard) + u" " +
                          std::u16string(KeyLongName(static_cast<uint32_t>(row))) + u" ";
    if (item.word2 != 0) text += KeyActionName(item.word2 & 3, word.Language());
    return text;
}

uint32_t ButtonField(uint32_t flags, int shift) {
    return (flags >> shift) & 3;
}

std::u16string MouseText(const MacroItem& item, const Words& word) {
    const uint32_t flags = item.word3;
    const int16_t data = static_cast<int16_t>(flags >> 16);
    std::u16string text = kIndent + word(kWordMouse) + u" ";

    if (flags & kMouseWheel) text += word(data >= 1 ? kWordWheelUp : kWordWheelDown) + u" ";

    const struct {
        WordId name;
        int shift;
    } buttons[] = {{kWordLeftButton, kLeftButtonShift},
                   {kWordRightButton, kRightButtonShift},
                   {kWordMiddleButton, kMiddleButtonShift}};
    for (const auto& button : buttons) {
        const uint32_t action = ButtonField(flags, button.shift);
        if (action != 0)
            text += word(button.name) + u"_" + ButtonActionName(action, word.Language()) + u" ";
    }

    // The side button is named by the mouse data; other data values name no button.
    const uint32_t sideAction = ButtonField(flags, kSideButtonShift);
    if (sideAction != 0 && (data == kSideButtonBack || data == kSideButtonForward)) {
        text += (data == kSideButtonBack ? u"BACK_BUTTON " : u"FORWARD_BUTTON ") +
                ButtonActionName(sideAction, word.Language()) + u" ";
    }

    if (flags & kMouseHasPosition) {
        text += word(flags & kMouseAbsolute ? kWordAbsolutePosition : kWordRelativePosition) +
                u"(" + Number(static_cast<int32_t>(item.word1)) + u", " +
                Number(static_cast<int32_t>(item.word2)) + u") " +
                (flags & kMousePositionMarker ? u"*SI" : u"");
    }
    return text;
}

std::u16string PauseText(const MacroItem& item, const Words& word) {
    std::u16string text =
        kIndent + word(kWordDelay) + u" " + Number(static_cast<int32_t>(item.word1)) + u" ms ";
    const uint32_t spread = item.word3;
    if (spread > 0) {
        text += u", " + word(kWordRandomDelay) + u" +- " +
                Number(10 * std::min(spread, kMaxRandomSpreadSteps)) + u"% " + word(kWordAdd);
    }
    return text;
}

// Hours, minutes and seconds since midnight; bits 1-2 of word 2 count the parts that are set,
// from the seconds upwards, and a part not set shows as "--".
std::u16string TimeOfDayText(const MacroItem& item, const Words& word) {
    const uint32_t time = item.word1;
    const struct {
        uint32_t value;
        WordId unit;
    } parts[] = {{(time / 3600000) % 24, kWordHour},
                 {(time / 60000) % 60, kWordMinute},
                 {(time / 1000) % 60, kWordSecond}};
    const int partCount = static_cast<int>(std::size(parts));
    const int setParts = static_cast<int>((item.word2 >> 1) & 3);

    std::u16string text = kIndent + word(kWordDelay);
    for (int part = 0; part < partCount; ++part) {
        const bool isSet = part >= partCount - setParts;
        text += u" " + (isSet ? Number(parts[part].value) : u"--") + word(parts[part].unit);
    }
    return text + u" " + word(kWordTill);
}

std::u16string KeystrokeWaitText(const MacroItem& item, const Words& word) {
    const int row = FindKeyRowByVirtualKey(static_cast<int>(item.word1 & 0xFF));
    std::u16string text = kIndent + word(kWordKeystrokeWait) + u" " +
                          std::u16string(KeyLongName(static_cast<uint32_t>(row))) + u" " +
                          word(item.word1 & kWaitForRelease ? kWordUp : kWordDown);
    if (item.word1 & kWaitModifiersGiven) {
        if (item.word1 & kWaitWithCtrl) text += u", Ctrl ";
        if (item.word1 & kWaitWithAlt) text += u", Alt ";
        if (item.word1 & kWaitWithShift) text += u", Shift ";
    }
    return text;
}

std::u16string DelayText(const MacroItem& item, const Words& word) {
    switch (item.word2 & kDelaySubKindMask) {
        case kDelayPause:
            return PauseText(item, word);
        case kDelayUntilTimeOfDay:
            return TimeOfDayText(item, word);
        case kDelayForKeystroke:
            return KeystrokeWaitText(item, word);
        default:
            return {};
    }
}

}  // namespace

std::u16string KeyActionName(uint32_t action, uint16_t language) {
    switch (action) {
        case 0:
        case 3:
            return {};  // a full press
        case 1:
            return LibraryText(kWordDown, language);
        case 2:
            return LibraryText(kWordUp, language);
        default:
            return LibraryText(kWordError, language);
    }
}

std::u16string ButtonActionName(uint32_t action, uint16_t language) {
    switch (action) {
        case 0:
            return {};
        case 1:
            return LibraryText(kWordDown, language);
        case 2:
            return LibraryText(kWordUp, language);
        case 3:
            return LibraryText(kWordClick, language);
        default:
            return LibraryText(kWordError, language);
    }
}

std::u16string FormatMacroItem(const MacroItem& item, uint16_t language) {
    const Words word(language);
    switch (item.kind) {
        case kMacroItemStart:
            return kIndent + std::u16string(u"(Start)");
        case kMacroItemKeyboard:
            return KeyboardText(item, word);
        case kMacroItemMouse:
            return MouseText(item, word);
        case kMacroItemDelay:
            return DelayText(item, word);
        default:
            return {};
    }
}

}  // namespace varnel
