#include "recorder_key_names.h"

namespace varnel {

namespace {

struct RecorderKeyName {
    std::u16string_view name;
    int row;
};

// Names the key table's short names do not already cover. Where .NET has several names for one
// key (Prior and PageUp, Oem1 and OemSemicolon) the recorder may write any of them, so all are
// here; the Left/Right and Hanja/Hangul names cover recorder versions and Korean layouts (the
// table gives right Ctrl and right Alt the codes 0x19 and 0x15 a Korean layout reports).
constexpr RecorderKeyName kRecorderKeyNames[] = {
    {u"Back", 0},         {u"Return", 2},
    {u"Capital", 4},      {u"CapsLock", 4},
    {u"Escape", 5},       {u"Space", 6},
    {u"Prior", 7},        {u"PageUP", 7},
    {u"Next", 8},         {u"PageDOWN", 8},
    {u"Left", 11},        {u"Up", 12},
    {u"Right", 13},       {u"Down", 14},
    {u"Snapshot", 15},    {u"D0", 18},
    {u"D1", 19},          {u"D2", 20},
    {u"D3", 21},          {u"D4", 22},
    {u"D5", 23},          {u"D6", 24},
    {u"D7", 25},          {u"D8", 26},
    {u"D9", 27},          {u"LWin", 54},
    {u"RWin", 55},        {u"Apps", 56},
    {u"NumPad0", 57},     {u"NumPad1", 58},
    {u"NumPad2", 59},     {u"NumPad3", 60},
    {u"NumPad4", 61},     {u"NumPad5", 62},
    {u"NumPad6", 63},     {u"NumPad7", 64},
    {u"NumPad8", 65},     {u"NumPad9", 66},
    {u"Multiply", 67},    {u"Subtract", 68},
    {u"Add", 69},         {u"Divide", 70},
    {u"Decimal", 71},     {u"NumLock", 85},
    {u"Shift", 87},       {u"ShiftKey", 87},
    {u"LShiftKey", 87},   {u"ShiftLeft", 87},
    {u"RShiftKey", 88},   {u"ShiftRight", 88},
    {u"Control", 89},     {u"ControlKey", 89},
    {u"LControlKey", 89}, {u"ControlLeft", 89},
    {u"RControlKey", 90}, {u"ControlRight", 90},
    {u"HanjaMode", 90},   {u"KanjiMode", 90},
    {u"Alt", 92},         {u"Menu", 92},
    {u"LMenu", 92},       {u"AltLeft", 92},
    {u"RMenu", 93},       {u"AltRight", 93},
    {u"HangulMode", 93},  {u"HanguelMode", 93},
    {u"KanaMode", 93},    {u"OemSemicolon", 94},
    {u"Oem1", 94},        {u"Oemplus", 95},
    {u"Oemcomma", 96},    {u"OemMinus", 97},
    {u"OemPeriod", 98},   {u"OemQuestion", 99},
    {u"Oem2", 99},        {u"Oemtilde", 100},
    {u"Oem3", 100},       {u"OemOpenBrackets", 101},
    {u"Oem4", 101},       {u"OemPipe", 102},
    {u"Oem5", 102},       {u"OemCloseBrackets", 103},
    {u"Oem6", 103},       {u"OemQuotes", 104},
    {u"Oem7", 104},
};

}  // namespace

int FindRecorderKeyRow(std::u16string_view name) {
    for (const RecorderKeyName& entry : kRecorderKeyNames) {
        if (entry.name == name) return entry.row;
    }
    return -1;
}

}  // namespace varnel
