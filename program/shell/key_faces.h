// What each keypad key shows in the window, derived from the edited key map: caption, caption
// style, picture and tool-tip. The map is the only source; the window just paints the faces.
#pragma once

#include <array>
#include <string>

#include "key_label.h"
#include "keymap_image.h"
#include "varnel/LumoApi.h"

namespace varnel::program {

// Pictures drawn for assignments; 0 is the key's own picture.
enum KeyPicture : int {
    kPictureOwn = 0,
    kPictureDesktop = 251,
    kPictureEmail = 467,
    kPictureReplacedKey = 469,
    kPictureMacro = 470,
    kPictureMacroStop = 471,
    kPictureMedia = 472,
    kPictureMouseLeft = 474,
    kPictureMouseMiddle = 475,
    kPictureMouseRight = 476,
    kPictureMute = 478,
    kPictureSearch = 480,
    kPictureVolumeDown = 481,
    kPictureVolumeUp = 482,
    kPictureWeb = 483,
    kPictureCalculator = 484,
};

// Plain: black text. Replaced: RGB(5, 149, 221).
enum class CaptionStyle { Plain, Replaced };

struct KeyFace {
    std::u16string caption;
    CaptionStyle style = CaptionStyle::Plain;
    bool centred = true;  // captions of more than 9 characters are left-aligned
    int picture = kPictureOwn;
    std::u16string toolTip;   // HTML for the tool-tip control; empty for none
    std::u16string function;  // what the tool-tip names, as plain text
};

struct KeyMapDisplay {
    std::array<KeyFace, kKeypadKeys> faces;
    // Ignored entries were dropped and the count written back: the map has to be written to the
    // keypad even where it was only being shown.
    bool countCorrected = false;
};

// A key without an entry: a blank caption ("←" on F4, key index 3) in the plain style.
KeyFace UnassignedKeyFace(int keyIndex);

// Shows the edited map and corrects it as it goes: entries that name no key, or a key an
// earlier entry already decides, are taken out (later entries move down, the count follows);
// while the keypad's macro area is empty the macro bits 0 to 22 of every entry are cleared.
// An invalid map is neither shown nor touched.
KeyMapDisplay RedisplayKeyMap(KeyMapImage& edited, const KeypadMacroNames& macros,
                              uint16_t language);
// The same with the keypad macro names and the language from the library.
KeyMapDisplay RedisplayKeyMap(CLumoApi& api, KeyMapImage& edited);

}  // namespace varnel::program
