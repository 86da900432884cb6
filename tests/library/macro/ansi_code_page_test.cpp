#include "ansi_code_page.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(AnsiCodePage, WesternBytesDecodeAsWindowsDoesIncludingTheFiveGlibcRefuses) {
    const std::string bytes = "A\x80\x81\x8D\x8F\x90\x9D\xE9";
    EXPECT_EQ(AnsiToUtf16(bytes, 1252), u"A\u20AC\u0081\u008D\u008F\u0090\u009D\u00E9");
    EXPECT_EQ(Utf16ToAnsi(u"A\u20AC\u0081\u008D\u008F\u0090\u009D\u00E9", 1252), bytes);
}

TEST(AnsiCodePage, KoreanRoundTripsAndUnmappableCharactersBecomeQuestionMarks) {
    const std::u16string hangul = u"\uAC00\uB098 macro";  // 가나
    const std::string bytes = Utf16ToAnsi(hangul, 949);
    EXPECT_EQ(bytes, "\xB0\xA1\xB3\xAA macro");
    EXPECT_EQ(AnsiToUtf16(bytes, 949), hangul);
    EXPECT_EQ(Utf16ToAnsi(u"x\u4E00\U0001F600y", 1252), "x??y");
}

TEST(AnsiCodePage, EmptyAndPlainAsciiPassThrough) {
    EXPECT_EQ(AnsiToUtf16("", 1252), u"");
    EXPECT_EQ(Utf16ToAnsi(u"Macro 1", 949), "Macro 1");
}

}  // namespace
}  // namespace varnel
