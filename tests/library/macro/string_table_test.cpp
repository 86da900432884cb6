// The library's own string table in English and Korean.
#include "string_table.h"

#include <gtest/gtest.h>

#include "recording_host.h"
#include "text_encoding.h"

namespace varnel {
namespace {

constexpr uint16_t kEnglish = 1033;
constexpr uint16_t kKorean = 1042;

struct Entry {
    uint16_t id;
    const char* english;
};
constexpr Entry kEntries[] = {
    {205, "The maximum number of macros that can be stored on the mouse is 23!"},
    {206, "You have exceeded the maximum size that can be stored on the device."},
    {212, "Keyboard"},
    {213, "Mouse"},
    {214, "Delay"},
    {216, "Second"},
    {220, "Down"},
    {221, "Up"},
    {222, "Error"},
    {223, "Click"},
    {224, "Wheel up"},
    {225, "Wheel down"},
    {226, "Left Button"},
    {227, "Right Button"},
    {228, "Middle button"},
    {229, "Absolute position"},
    {230, "Relative position"},
    {231, "Random delay"},
    {232, "Add"},
    {233, "Hour"},
    {234, "Minute"},
    {235, "till"},
    {236, "Keystroke Waitig"},
    {282, "A macro with the same name exists.\nUpdate with a new macro?"},
};

std::string Text(uint16_t id, uint16_t language) {
    return Utf16ToUtf8(LibraryText(id, language));
}

TEST(LibraryStrings, EnglishTexts) {
    for (const Entry& entry : kEntries) EXPECT_EQ(Text(entry.id, kEnglish), entry.english);
}

TEST(LibraryStrings, EveryEntryHasItsOwnKoreanText) {
    for (const Entry& entry : kEntries) {
        const std::string korean = Text(entry.id, kKorean);
        EXPECT_FALSE(korean.empty()) << entry.id;
        EXPECT_NE(korean, entry.english) << entry.id;
    }
    EXPECT_EQ(Text(212, kKorean), "키보드");
    EXPECT_EQ(Text(282, kKorean).find('\n') != std::string::npos, true);
}

TEST(LibraryStrings, IdsNotInTheTableGiveTheEmptyText) {
    for (uint16_t id : {0, 204, 207, 211, 215, 217, 218, 219, 237, 281, 283, 0xFFFF}) {
        EXPECT_EQ(Text(id, kEnglish), "") << id;
        EXPECT_EQ(Text(id, kKorean), "") << id;
    }
}

TEST(LibraryStrings, LanguagesOtherThanKoreanGetEnglish) {
    EXPECT_EQ(Text(213, 0x0411), "Mouse");  // Japanese
    EXPECT_EQ(Text(213, 0x0809), "Mouse");  // English (United Kingdom)
    EXPECT_EQ(Text(213, 0), "Mouse");
}

TEST(LibraryStrings, WithoutALanguageTheUserInterfaceLanguageDecides) {
    testing::RecordingHost host;
    EXPECT_EQ(Utf16ToUtf8(LibraryText(213)), "Mouse");
    host.language = 0x0412;
    EXPECT_EQ(Utf16ToUtf8(LibraryText(213)), "마우스");
}

}  // namespace
}  // namespace varnel
