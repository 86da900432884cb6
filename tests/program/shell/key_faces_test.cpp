// What the keys show for an edited map, and the corrections showing it makes to the map.
#include "key_faces.h"

#include <gtest/gtest.h>

#include <cstring>

#include "key_assignment.h"
#include "lumo_api_library.h"
#include "recording_host.h"

namespace varnel::program {
namespace {

const KeypadMacroNames kCopyRun{false, {u"Copy", u"Run"}};
const KeypadMacroNames kNoMacros{true, {}};
constexpr uint16_t kEnglish = 1033;

std::u16string Replaced(const std::u16string& text) {
    return u"<center><h2>Replaced Key</h2><br><hr color=blue></center><br><center><h2><font "
           u"color=white>" +
           text + u"</h2></center>";
}

KeyMapImage MapOf(std::initializer_list<WorkingEntry> entries) {
    KeyMapImage image = EmptyKeyMap();
    for (const WorkingEntry& entry : entries) ApplyWorkingEntry(image, entry);
    return image;
}

WorkingEntry Keys(int key, std::initializer_list<std::pair<int, uint8_t>> outputs) {
    std::array<uint8_t, kOutputsSize> bytes{};
    for (const auto& [column, value] : outputs) bytes[static_cast<size_t>(column)] |= value;
    return KeyboardEntry(key, bytes);
}

// Writes `entry` into the next slot as it stands, past the record rules.
void AppendRaw(KeyMapImage& image, const WorkingEntry& entry) {
    const int count = EntryCount(image);
    std::memcpy(EntryAt(image, count), entry.data(), entry.size());
    image[12] = static_cast<uint8_t>(count + 1);
}

KeyFace Face(KeyMapImage image, int key, const KeypadMacroNames& macros = kCopyRun,
             uint16_t language = kEnglish) {
    return RedisplayKeyMap(image, macros, language).faces[static_cast<size_t>(key)];
}

TEST(KeyFaces, EachKindOfFunctionHasItsCaptionStylePictureAndToolTip) {
    const struct {
        const char* what;
        WorkingEntry entry;
        std::u16string caption;
        CaptionStyle style;
        int picture;
        std::u16string toolTip;
    } cases[] = {
        {"Mute", MediaEntry(14, MediaFunction::Mute), u" ", CaptionStyle::Plain, kPictureMute,
         Replaced(u"Mute")},
        {"first media function wins",
         [] {
             WorkingEntry e = MediaEntry(14, MediaFunction::VolumeUp);
             e[8] = 1;  // desktop as well
             return e;
         }(),
         u" ", CaptionStyle::Plain, kPictureDesktop, Replaced(u"Desktop")},
        {"calculator", CalculatorEntry(14), u" ", CaptionStyle::Plain, kPictureCalculator,
         Replaced(u"CALCULATOR  ")},
        {"keys", Keys(14, {{2, 0x20}, {7, 0x10}}), u"Ctrl+V", CaptionStyle::Replaced,
         kPictureReplacedKey, Replaced(u"Ctrl+V")},
        {"mouse left", MouseButtonEntry(14, MouseButton::Left), u"M-Left", CaptionStyle::Replaced,
         kPictureMouseLeft, Replaced(u"Mouse Left")},
        {"later mouse button wins", Keys(14, {{0, 0x1C}}), u"M-Left+M-Middle+M-Right",
         CaptionStyle::Replaced, kPictureMouseRight, Replaced(u"Mouse Right")},
        {"keypad macro", KeypadMacroEntry(14, 1), u"Run", CaptionStyle::Replaced, kPictureMacro,
         Replaced(u"Run")},
        {"macro stop", MacroStopEntry(14), u"M-STOP", CaptionStyle::Replaced, kPictureMacroStop,
         Replaced(u"M-STOP")},
    };
    for (const auto& c : cases) {
        const KeyFace face = Face(MapOf({c.entry}), 14);
        EXPECT_EQ(face.caption, c.caption) << c.what;
        EXPECT_EQ(face.style, c.style) << c.what;
        EXPECT_EQ(face.picture, c.picture) << c.what;
        EXPECT_EQ(face.toolTip, c.toolTip) << c.what;
    }
}

TEST(KeyFaces, KeysWithoutAnEffectiveEntryShowABlankAndLongCaptionsAreLeftAligned) {
    KeyMapImage image = MapOf({Keys(0, {{2, 0x30}, {3, 0x20}, {5, 0x40}, {8, 0x08}})});
    AppendRaw(image, WorkingEntryFor(1));                  // an entry that does nothing
    AppendRaw(image, MediaEntry(2, MediaFunction::Mute));  // media marker alone:
    EntryAt(image, 2)[11] = 0;                             // the key stays as it was
    const KeyMapDisplay display = RedisplayKeyMap(image, kCopyRun, kEnglish);
    EXPECT_EQ(display.faces[0].caption, u"Shift+Ctrl+Alt+H+Del");
    EXPECT_FALSE(display.faces[0].centred);
    for (const int key : {1, 2, 5}) {
        EXPECT_EQ(display.faces[key].caption, u" ") << key;
        EXPECT_EQ(display.faces[key].style, CaptionStyle::Plain) << key;
        EXPECT_EQ(display.faces[key].picture, kPictureOwn) << key;
        EXPECT_TRUE(display.faces[key].centred) << key;
    }
    EXPECT_EQ(display.faces[3].caption, u"←");  // F4
    EXPECT_EQ(display.faces[3].toolTip,
              u"<center><h2>Key</h2><br><hr color=blue></center><br><center><h3><font "
              u"color=white>←</h3></center>");
    EXPECT_FALSE(display.countCorrected);
}

TEST(KeyFaces, WhileTheMacroAreaIsEmptyMacroBitsAreClearedAndShowAsBlanks) {
    WorkingEntry twoMacros = KeypadMacroEntry(14, 0);
    SetMacroBit(twoMacros.data(), 2);
    SetMacroBit(twoMacros.data(), kMacroStopBit);
    WorkingEntry ctrlAndMacro = Keys(5, {{2, 0x20}});
    SetMacroBit(ctrlAndMacro.data(), 1);
    KeyMapImage image = MapOf({KeypadMacroEntry(10, 0), twoMacros, ctrlAndMacro});
    const KeyMapDisplay display = RedisplayKeyMap(image, kNoMacros, kEnglish);

    EXPECT_EQ(display.faces[10].caption, u" ");  // replaced style, no macro picture
    EXPECT_EQ(display.faces[10].style, CaptionStyle::Replaced);
    EXPECT_EQ(display.faces[10].picture, kPictureOwn);
    EXPECT_EQ(display.faces[14].caption, u"M-STOP");
    EXPECT_EQ(display.faces[14].picture, kPictureMacroStop);
    EXPECT_EQ(display.faces[5].caption, u"Ctrl+ ");
    EXPECT_EQ(display.faces[5].picture, kPictureReplacedKey);

    EXPECT_EQ(EntryCount(image), 3);  // the entries stay, without their macros
    EXPECT_EQ(EntryAt(image, 0)[19], 0);
    EXPECT_EQ((std::array{EntryAt(image, 1)[19], EntryAt(image, 1)[20], EntryAt(image, 1)[21]}),
              (std::array<uint8_t, 3>{0, 0, 0x80}));
    EXPECT_EQ(EntryAt(image, 2)[5], 0x20);
    EXPECT_EQ(EntryAt(image, 2)[19], 0);
    EXPECT_FALSE(display.countCorrected);

    KeyMapImage kept = MapOf({twoMacros});
    RedisplayKeyMap(kept, kCopyRun, kEnglish);
    EXPECT_EQ(kept, MapOf({twoMacros}));  // a keypad with macros keeps every bit
}

TEST(KeyFaces, EntriesForNoKeyOrAKeyAlreadyShownAreDroppedAndTheRestKept) {
    KeyMapImage image = MapOf({CalculatorEntry(4)});
    AppendRaw(image, MacroStopEntry(4));  // a second entry for NumLock
    WorkingEntry noKey{};
    noKey[0] = 0x03;  // two trigger bits: no key
    noKey[3] = 0x04;
    AppendRaw(image, noKey);
    AppendRaw(image, MouseButtonEntry(20, MouseButton::Right));
    image[14 + 3 * kEntrySize + 22] = 0x5A;  // the reserved byte travels with its entry

    const KeyMapDisplay display = RedisplayKeyMap(image, kCopyRun, kEnglish);
    EXPECT_TRUE(display.countCorrected);
    EXPECT_EQ(display.faces[4].picture, kPictureCalculator);  // the first entry decides
    EXPECT_EQ(display.faces[20].picture, kPictureMouseRight);
    ASSERT_EQ(EntryCount(image), 2);
    EXPECT_EQ(KeyOfEntry(EntryAt(image, 0)), 4);
    EXPECT_EQ(KeyOfEntry(EntryAt(image, 1)), 20);  // not lost behind the dropped ones
    EXPECT_EQ(EntryAt(image, 1)[22], 0x5A);
    EXPECT_TRUE(std::all_of(EntryAt(image, 2), image.data() + kKeyMapSize,
                            [](uint8_t b) { return b == 0; }));

    EXPECT_FALSE(RedisplayKeyMap(image, kCopyRun, kEnglish).countCorrected);
}

TEST(KeyFaces, AnInvalidMapIsNeitherShownNorTouched) {
    KeyMapImage image = MapOf({CalculatorEntry(4), CalculatorEntry(5)});
    image[12] = 22;
    const KeyMapImage before = image;
    const KeyMapDisplay display = RedisplayKeyMap(image, kNoMacros, kEnglish);
    EXPECT_EQ(image, before);
    EXPECT_FALSE(display.countCorrected);
    EXPECT_EQ(display.faces[4].picture, kPictureOwn);
}

// The library's keypad macro list and language reach the faces.
class KeyFacesFromLibrary : public ::testing::Test {
  protected:
    KeyFacesFromLibrary() { m_Api.ClearDeviceMacros(); }
    ~KeyFacesFromLibrary() override { m_Api.ClearDeviceMacros(); }

    void AddKeypadMacro(const char* name) {
        DeviceMacro macro;
        std::memcpy(macro.header.name, name, strnlen(name, sizeof macro.header.name));
        macro.header.cellCount = 1;
        macro.cells.resize(1);
        macro.cells[0].code = 0x4001;
        m_Api.AddDeviceMacro(macro);
    }

    testing::RecordingHost m_Host;
    CLumoAPILibrary m_Api;
};

TEST_F(KeyFacesFromLibrary, NamesComeFromTheKeypadsListAndTextsInTheUsersLanguage) {
    AddKeypadMacro("Copy");
    AddKeypadMacro("Twenty characters!!!");  // a full field has no terminator
    const KeypadMacroNames names = ReadKeypadMacroNames(m_Api);
    EXPECT_FALSE(names.areaEmpty);
    EXPECT_EQ(names.names, (std::vector<std::u16string>{u"Copy", u"Twenty characters!!!"}));

    WorkingEntry both = KeypadMacroEntry(7, 0);
    SetMacroBit(both.data(), 1);
    EXPECT_EQ(ComposeKeyLabel(m_Api, both), u"Copy+Twenty characters!!!");

    m_Host.language = 0x0412;
    KeyMapImage image = MapOf({CalculatorEntry(7)});
    EXPECT_EQ(RedisplayKeyMap(m_Api, image).faces[7].toolTip, Replaced(u"Calulator"));

    m_Api.ClearDeviceMacros();
    EXPECT_TRUE(ReadKeypadMacroNames(m_Api).areaEmpty);
}

}  // namespace
}  // namespace varnel::program
