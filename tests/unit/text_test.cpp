#include "config/text.h"

#include <gtest/gtest.h>

using namespace tavrel;

TEST(Text, CopyToArrayTruncatesTerminatesAndZeroFills) {
    char16_t field[5];
    std::fill(std::begin(field), std::end(field), u'x');
    CopyToArray(field, u"abcdefgh");
    EXPECT_EQ(ArrayText(field), u"abcd");
    EXPECT_EQ(field[4], 0);
    CopyToArray(field, u"a");
    EXPECT_EQ(field[1], 0);
    EXPECT_EQ(field[3], 0);
}

TEST(Text, ArrayTextOfAnUnterminatedFieldStopsAtTheArrayEnd) {
    char16_t field[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(ArrayText(field), u"abc");
}

TEST(Text, EqualsNoCaseFoldsLatinAndCyrillicButNotDifferentLengths) {
    EXPECT_TRUE(EqualsNoCase(u"C:\\Games\\Race.EXE", u"c:\\games\\race.exe"));
    EXPECT_TRUE(EqualsNoCase(u"\u00C9t\u00C9", u"\u00E9t\u00E9"));
    EXPECT_TRUE(EqualsNoCase(u"\u0416", u"\u0436"));
    EXPECT_FALSE(EqualsNoCase(u"jump", u"jump "));
    EXPECT_FALSE(EqualsNoCase(u"jump", u"jumq"));
}

TEST(Text, TrimRemovesBlanksAndControlSpaceAtBothEnds) {
    EXPECT_EQ(Trim(u" \tjump \r\n"), u"jump");
    EXPECT_EQ(Trim(u"   "), u"");
    EXPECT_EQ(Trim(u"a b"), u"a b");
}

TEST(Text, Utf8RoundTripsAndReplacesMalformedBytes) {
    const std::u16string s = u"Gr\u00FC\u00DFe \u20AC \U0001F3AE";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(s)), s);
    EXPECT_EQ(Utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x28\xA1"), u"\uFFFD(\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
}

TEST(Text, FormatIntCoversTheWholeIntRange) {
    EXPECT_EQ(FormatInt(0), u"0");
    EXPECT_EQ(FormatInt(-1), u"-1");
    EXPECT_EQ(FormatInt(2147483647), u"2147483647");
    EXPECT_EQ(FormatInt(-2147483648LL), u"-2147483648");
}
