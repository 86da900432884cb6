#include "key_faces.h"

#include "key_assignment_texts.h"
#include "key_label_tables.h"

namespace varnel::program {

namespace {

constexpr size_t kMostCentredCharacters = 9;

// Picture and tool-tip text of each media function, in their bit order.
constexpr std::array<std::pair<int, uint16_t>, kMediaFunctions> kMediaFaces = {{
    {kPictureWeb, kTextWebBrowser},
    {kPictureSearch, kTextWindowsSearch},
    {kPictureEmail, kTextEmail},
    {kPictureDesktop, kTextDesktop},
    {kPictureMedia, kTextMediaPlayer},
    {kPictureVolumeDown, kTextVolumeDown},
    {kPictureMute, kTextMute},
    {kPictureVolumeUp, kTextVolumeUp},
}};

struct MouseFace {
    OutputBit bit;
    int picture;
    uint16_t text;
};
// In this order: a later button's picture and tool-tip win.
constexpr std::array<MouseFace, 3> kMouseFaces = {{
    {kMouseLeftBit, kPictureMouseLeft, kTextMouseLeft},
    {kMouseMiddleBit, kPictureMouseMiddle, kTextMouseMiddle},
    {kMouseRightBit, kPictureMouseRight, kTextMouseRight},
}};

std::u16string PlainToolTip(const std::u16string& text) {
    return u"<center><h2>Key</h2><br><hr color=blue></center><br><center><h3><font color=white>" +
           text + u"</h3></center>";
}

std::u16string ReplacedToolTip(const std::u16string& text) {
    return u"<center><h2>Replaced Key</h2><br><hr color=blue></center><br><center><h2><font "
           u"color=white>" +
           text + u"</h2></center>";
}

KeyFace Captioned(std::u16string caption, CaptionStyle style) {
    KeyFace face;
    face.centred = caption.size() <= kMostCentredCharacters;
    if (!caption.empty()) {
        face.toolTip =
            style == CaptionStyle::Plain ? PlainToolTip(caption) : ReplacedToolTip(caption);
        face.function = caption;
    }
    face.caption = std::move(caption);
    face.style = style;
    return face;
}

// A function shown by its picture: a blank plain caption, the function named in the tool-tip.
KeyFace Pictured(int picture, const std::u16string& function) {
    KeyFace face = Captioned(u" ", CaptionStyle::Plain);
    face.picture = picture;
    face.toolTip = ReplacedToolTip(function);
    face.function = function;
    return face;
}

// Gives `face` what `entry` shows, if anything, and clears the entry's macro bits while the
// keypad has no macros.
void ShowEntry(uint8_t* entry, const KeypadMacroNames& macros, uint16_t language, KeyFace& face) {
    if (HasBit(entry, kMediaMarkerBit)) {
        for (int function = 0; function < kMediaFunctions; ++function) {
            if (!HasBit(entry, MediaFunctionBit(static_cast<MediaFunction>(function)))) continue;
            const auto [picture, text] = kMediaFaces[static_cast<size_t>(function)];
            face = Pictured(picture, KeyAssignmentString(text, language));
            break;
        }
    } else if (HasBit(entry, kCalculatorBit)) {
        face = Pictured(kPictureCalculator, KeyAssignmentString(kTextCalculator, language));
    } else {
        std::u16string label = ComposeKeyLabel(entry, macros);
        if (label.empty()) return;
        const bool blank = label == u" ";
        face = Captioned(std::move(label), CaptionStyle::Replaced);
        face.picture = blank ? kPictureOwn : kPictureReplacedKey;
    }

    if (macros.areaEmpty) {  // macros 0 to 22 go, the stop bit stays
        entry[kMacrosOffset] = entry[kMacrosOffset + 1] = 0;
        entry[kMacrosOffset + 2] &= 0x80;
    }
    for (int macro = 0; macro < kMostKeypadMacros; ++macro) {
        if (HasMacroBit(entry, macro)) face.picture = kPictureMacro;
    }
    if (HasMacroBit(entry, kMacroStopBit)) face.picture = kPictureMacroStop;

    for (const MouseFace& mouse : kMouseFaces) {
        if (!HasBit(entry, mouse.bit)) continue;
        face.picture = mouse.picture;
        face.function = KeyAssignmentString(mouse.text, language);
        face.toolTip = ReplacedToolTip(face.function);
    }
}

}  // namespace

KeyFace UnassignedKeyFace(int keyIndex) {
    constexpr int kF4 = 3;
    return Captioned(keyIndex == kF4 ? u"←" : u" ", CaptionStyle::Plain);
}

KeyMapDisplay RedisplayKeyMap(KeyMapImage& edited, const KeypadMacroNames& macros,
                              uint16_t language) {
    KeyMapDisplay display;
    for (int key = 0; key < kKeypadKeys; ++key) {
        display.faces[static_cast<size_t>(key)] = UnassignedKeyFace(key);
    }
    if (!IsValidKeyMap(edited)) return display;

    display.countCorrected = DropIgnoredEntries(edited);
    for (int slot = 0; slot < EntryCount(edited); ++slot) {
        uint8_t* entry = EntryAt(edited, slot);
        const std::optional<int> key = KeyOfEntry(entry);
        ShowEntry(entry, macros, language, display.faces[static_cast<size_t>(*key)]);
    }
    return display;
}

KeyMapDisplay RedisplayKeyMap(CLumoApi& api, KeyMapImage& edited) {
    return RedisplayKeyMap(edited, ReadKeypadMacroNames(api), api.GetUiLanguage());
}

}  // namespace varnel::program
