// The 105 keys of the key table and the searches over them.
#include "key_table.h"

#include <algorithm>
#include <array>

namespace varnel {

namespace {

using KeyRows = std::array<KeyRow, kKeyRowCount>;

// Virtual-key code, scan code, usage, short name, long name; the row number is the index.
constexpr KeyRows kKeyRows = {{
    {0x08, 0x0E, 0x2A, u"Backspace", u"BACKSPACE KEY"},  // 0
    {0x09, 0x0F, 0x2B, u"Tab", u"TAB KEY"},
    {0x0D, 0x1C, 0x28, u"Enter", u"ENTER KEY"},
    {0x13, 0x45, 0x48, u"Pause", u"PAUSE KEY"},
    {0x14, 0x3A, 0x39, u"Caps Lock", u"CAPS LOCK KEY"},
    {0x1B, 0x01, 0x29, u"ESC", u"ESC KEY"},  // 5
    {0x20, 0x39, 0x2C, u"SpaceBar", u"SPACEBAR"},
    {0x21, 0x49, 0x4B, u"PageUp", u"PAGE UP KEY"},
    {0x22, 0x51, 0x4E, u"PageDown", u"PAGE DOWN KEY"},
    {0x23, 0x4F, 0x4D, u"End", u"END KEY"},
    {0x24, 0x47, 0x4A, u"Home", u"HOME KEY"},  // 10
    {0x25, 0x4B, 0x50, u"\u2190", u"LEFT ARROW KEY"},
    {0x26, 0x48, 0x52, u"\u2191", u"UP ARROW KEY"},
    {0x27, 0x4D, 0x4F, u"\u2192", u"RIGHT ARROW KEY"},
    {0x28, 0x50, 0x51, u"\u2193", u"DOWN ARROW KEY"},
    {0x2C, 0x37, 0x46, u"PrintScreen", u"PRINT SCREEN KEY"},  // 15
    {0x2D, 0x52, 0x49, u"Insert", u"INS KEY"},
    {0x2E, 0x53, 0x4C, u"Delete", u"DEL KEY"},
    {0x30, 0x0B, 0x27, u"0", u"0 KEY"},
    {0x31, 0x02, 0x1E, u"1", u"1 KEY"},
    {0x32, 0x03, 0x1F, u"2", u"2 KEY"},  // 20
    {0x33, 0x04, 0x20, u"3", u"3 KEY"},
    {0x34, 0x05, 0x21, u"4", u"4 KEY"},
    {0x35, 0x06, 0x22, u"5", u"5 KEY"},
    {0x36, 0x07, 0x23, u"6", u"6 KEY"},
    {0x37, 0x08, 0x24, u"7", u"7 KEY"},  // 25
    {0x38, 0x09, 0x25, u"8", u"8 KEY"},
    {0x39, 0x0A, 0x26, u"9", u"9 KEY"},
    {0x41, 0x1E, 0x04, u"A", u"A KEY"},
    {0x42, 0x30, 0x05, u"B", u"B KEY"},
    {0x43, 0x2E, 0x06, u"C", u"C KEY"},  // 30
    {0x44, 0x20, 0x07, u"D", u"D KEY"},
    {0x45, 0x12, 0x08, u"E", u"E KEY"},
    {0x46, 0x21, 0x09, u"F", u"F KEY"},
    {0x47, 0x22, 0x0A, u"G", u"G KEY"},
    {0x48, 0x23, 0x0B, u"H", u"H KEY"},  // 35
    {0x49, 0x17, 0x0C, u"I", u"I KEY"},
    {0x4A, 0x24, 0x0D, u"J", u"J KEY"},
    {0x4B, 0x25, 0x0E, u"K", u"K KEY"},
    {0x4C, 0x26, 0x0F, u"L", u"L KEY"},
    {0x4D, 0x32, 0x10, u"M", u"M KEY"},  // 40
    {0x4E, 0x31, 0x11, u"N", u"N KEY"},
    {0x4F, 0x18, 0x12, u"O", u"O KEY"},
    {0x50, 0x19, 0x13, u"P", u"P KEY"},
    {0x51, 0x10, 0x14, u"Q", u"Q KEY"},
    {0x52, 0x13, 0x15, u"R", u"R KEY"},  // 45
    {0x53, 0x1F, 0x16, u"S", u"S KEY"},
    {0x54, 0x14, 0x17, u"T", u"T KEY"},
    {0x55, 0x16, 0x18, u"U", u"U KEY"},
    {0x56, 0x2F, 0x19, u"V", u"V KEY"},
    {0x57, 0x11, 0x1A, u"W", u"W KEY"},  // 50
    {0x58, 0x2D, 0x1B, u"X", u"X KEY"},
    {0x59, 0x15, 0x1C, u"Y", u"Y KEY"},
    {0x5A, 0x2C, 0x1D, u"Z", u"Z KEY"},
    {0x5B, 0x5B, 0xE3, u"LeftWin", u"Left Windows KEY"},
    {0x5C, 0x5C, 0xE7, u"RightWin", u"Right Windows KEY"},  // 55
    {0x5D, 0x5D, 0x65, u"APP", u"Applications KEY"},
    {0x60, 0x52, 0x62, u"Num0", u"Numeric keypad 0 KEY"},
    {0x61, 0x4F, 0x59, u"Num1", u"Numeric keypad 1 KEY"},
    {0x62, 0x50, 0x5A, u"Num2", u"Numeric keypad 2 KEY"},
    {0x63, 0x51, 0x5B, u"Num3", u"Numeric keypad 3 KEY"},  // 60
    {0x64, 0x4B, 0x5C, u"Num4", u"Numeric keypad 4 KEY"},
    {0x65, 0x4C, 0x5D, u"Num5", u"Numeric keypad 5 KEY"},
    {0x66, 0x4D, 0x5E, u"Num6", u"Numeric keypad 6 KEY"},
    {0x67, 0x47, 0x5F, u"Num7", u"Numeric keypad 7 KEY"},
    {0x68, 0x48, 0x60, u"Num8", u"Numeric keypad 8 KEY"},  // 65
    {0x69, 0x49, 0x61, u"Num9", u"Numeric keypad 9 KEY"},
    {0x6A, 0x37, 0x55, u"*", u"Multiply KEY"},
    {0x6D, 0x4A, 0x56, u"-", u"Minus KEY"},
    {0x6B, 0x4E, 0x57, u"+", u"Add KEY"},
    {0x6F, 0x35, 0x54, u"/", u"Divide KEY"},  // 70
    {0x6E, 0x53, 0x63, u".", u"Num ."},
    {0x0D, 0x1C, 0x58, u"NUMEnter", u"ENTER KEY"},
    {0x70, 0x3B, 0x3A, u"F1", u"F1 KEY"},
    {0x71, 0x3C, 0x3B, u"F2", u"F2 KEY"},
    {0x72, 0x3D, 0x3C, u"F3", u"F3 KEY"},  // 75
    {0x73, 0x3E, 0x3D, u"F4", u"F4 KEY"},
    {0x74, 0x3F, 0x3E, u"F5", u"F5 KEY"},
    {0x75, 0x40, 0x3F, u"F6", u"F6 KEY"},
    {0x76, 0x41, 0x40, u"F7", u"F7 KEY"},
    {0x77, 0x42, 0x41, u"F8", u"F8 KEY"},  // 80
    {0x78, 0x43, 0x42, u"F9", u"F9 KEY"},
    {0x79, 0x44, 0x43, u"F10", u"F10 KEY"},
    {0x7A, 0x57, 0x44, u"F11", u"F11 KEY"},
    {0x7B, 0x58, 0x45, u"F12", u"F12 KEY"},
    {0x90, 0x45, 0x53, u"Num Lock", u"NUM LOCK KEY"},  // 85
    {0x91, 0x46, 0x47, u"Scroll", u"SCROLL LOCK KEY"},
    {0x10, 0x2A, 0xE1, u"LeftShift", u"Left SHIFT KEY"},
    {0x10, 0x36, 0xE5, u"RightShift", u"Right SHIFT KEY"},
    {0x11, 0x1D, 0xE0, u"LeftControl", u"Left CONTROL KEY"},
    {0x19, 0x1D, 0xE4, u"RightControl", u"Right CONTROL KEY"},  // 90
    {0x5D, 0x5D, 0x65, u"RightMenu", u"Right MENU KEY"},
    {0x12, 0x38, 0xE2, u"LeftAlt", u"Left ALT KEY"},
    {0x15, 0x38, 0xE6, u"RightAlt", u"Right ALT KEY"},
    {0xBA, 0x27, 0x33, u";:", u";: KEY"},
    {0xBB, 0x0D, 0x2E, u"=+", u"=+ KEY"},  // 95
    {0xBC, 0x33, 0x36, u",<", u",< KEY"},
    {0xBD, 0x0C, 0x2D, u"-_", u"-_ KEY"},
    {0xBE, 0x34, 0x37, u".>", u".> KEY"},
    {0xBF, 0x35, 0x38, u"?/", u"?/ KEY"},
    {0xC0, 0x29, 0x35, u"`~", u"`~ KEY"},  // 100
    {0xDB, 0x1A, 0x2F, u"[{", u"[{ KEY"},
    {0xDC, 0x2B, 0x31, u"\\|", u"\\| KEY"},
    {0xDD, 0x1B, 0x30, u"]}", u"]} KEY"},
    {0xDE, 0x28, 0x34, u"'\"", u"'\" KEY"},
}};

// The text import reads Pause with scan code 0x1D and keypad Enter with its extended scan code.
constexpr KeyRows MakeImportKeyRows() {
    KeyRows rows = kKeyRows;
    rows[3].scanCode = 0x1D;
    rows[72].scanCode = 0xE01C;
    return rows;
}

constexpr KeyRows kImportKeyRows = MakeImportKeyRows();

// The lowest row number whose row satisfies `matches`, or -1.
template <typename Predicate>
int FirstRow(Predicate matches) {
    const auto found = std::find_if(kKeyRows.begin(), kKeyRows.end(), matches);
    return found == kKeyRows.end() ? -1 : static_cast<int>(found - kKeyRows.begin());
}

}  // namespace

const KeyRow* KeyTable() {
    return kKeyRows.data();
}

const KeyRow* ImportKeyTable() {
    return kImportKeyRows.data();
}

int FindKeyRowByCode(uint16_t keyCode) {
    const int virtualKey = keyCode & 0xFF;
    const int scanByte = keyCode >> 8;
    if (scanByte == 0) return FindKeyRowByVirtualKey(virtualKey);
    return FirstRow([&](const KeyRow& row) {
        return row.virtualKey == virtualKey && row.scanCode == scanByte;
    });
}

uint8_t KeyCodeToUsage(uint16_t keyCode) {
    const int row = FindKeyRowByCode(keyCode);
    return row < 0 ? 0 : kKeyRows[row].usage;
}

int FindKeyRowByVirtualKey(int virtualKey) {
    return FirstRow([&](const KeyRow& row) { return row.virtualKey == virtualKey; });
}

int FindKeyRowByScanCode(int scanCode) {
    return FirstRow([&](const KeyRow& row) { return row.scanCode == scanCode; });
}

int FindKeyRowByUsage(int usage) {
    return FirstRow([&](const KeyRow& row) { return row.usage == usage; });
}

std::u16string_view KeyLongName(uint32_t row) {
    if (row >= static_cast<uint32_t>(kKeyRowCount)) return u"(Unknown)";
    return kKeyRows[row].longName;
}

}  // namespace varnel
