// The words that name a keypad key and a function for it, as `varnelctl keymap set KEY FUNCTION`
// takes them (and a text entry of the window may).
//
// KEY: F1 to F4, NumLock (or NUM), /, *, -, +, ENTER, 0 to 9, DEL, in any case; also Slash,
// Star, Minus, Plus and Delete; or the key index as #0 to #20 (a bare digit is the key "0" to
// "9", not an index).
//
// FUNCTION, words in any case:
//   KEY[+KEY...]   up to six keys of a full-size keyboard (or mouse buttons) pressed together,
//                  such as Ctrl+Alt+Del or Shift+F10. The caption names are accepted, and:
//                  Escape, PrintScreen/PrtSc, ScrollLock, Break, Backspace, Insert, PageUp/PgUp,
//                  PageDown/PgDn, Delete, Caps, Return, Up/Down/Left/Right, Apps/Menu,
//                  Control, Windows, Backquote, Minus, Equals, Slash, Plus, FN (the picker's
//                  FN key, whose caption reads Win), MouseLeft/MouseMiddle/MouseRight.
//                  Where two keys share a name, the name alone is the main keyboard's (left) one:
//                  Shift, Ctrl, Alt, Win, Enter, Del, -, /, 0 to 9; LShift, LCtrl, LAlt and LWin
//                  say so explicitly. The others are RShift, RCtrl, RAlt (AltGr), NumEnter,
//                  NumDel, Num- (NumMinus), Num/ (NumSlash), Num* (*), NumPlus (+) and Num0 to
//                  Num9. The + key itself is "+" alone or last ("Ctrl++"), elsewhere Plus. A key
//                  may be named once.
//   mouse:left|middle|right
//   media:web|search|email|desktop|media|volume-down|mute|volume-up (also the caption short
//                  names e-mail, desk, vol-, vol+)
//   calculator
//   macro:N        keypad macro N, counted from 1 as varnelctl lists them
//   macro:NAME     the first keypad macro of that name (exactly, else in any case); a name that
//                  is a number is taken as N
//   macro-stop
//   default        the key behaves as printed on it again
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "key_label.h"
#include "keymap_image.h"
#include "varnel/LumoApi.h"

namespace varnel::program {

template <typename T>
struct Parsed {
    std::optional<T> value;
    std::string error;  // why there is no value, in UTF-8
};

// The keypad key index 0 to 20.
Parsed<int> ParseKeypadKey(std::string_view text);

// The name index (0 to 107) of one key word of a combination; none for unknown words.
std::optional<int> FindKeyName(std::string_view word);

// The working entry of `text` for keypad key `keyIndex`; "default" gives the entry that does
// nothing (ApplyWorkingEntry then takes the key's entry out).
Parsed<WorkingEntry> ParseKeyFunction(std::string_view text, int keyIndex,
                                      const KeypadMacroNames& macros);
Parsed<WorkingEntry> ParseKeyFunction(CLumoApi& api, std::string_view text, int keyIndex);

}  // namespace varnel::program
