#include "skin/skin_item.h"

#include <gtest/gtest.h>

#include <string>

#include "config/text.h"

using namespace tavrel;

namespace {

struct ParseCase {
    const char16_t* text;
    std::u16string label;
    SkinRect rect;
    std::u16string file;
};

}  // namespace

TEST(SkinItem, ParsesEntriesLikeTheLayoutFilesWriteThem) {
    const ParseCase cases[] = {
        {u"Btn,10,20,30,40,pic.bmp", u"Btn", {10, 20, 40, 60}, u"pic.bmp"},
        {u"Btn,10,20,30,40,  pic.bmp \t", u"Btn", {10, 20, 40, 60}, u"pic.bmp"},
        {u"Btn,10,20", u"Btn", {10, 20, 10, 20}, u"20"},
        // The name field is required: without it every number moves one place.
        {u"10,20,30,40", u"10", {20, 30, 60, 30}, u"40"},
        {u"", u"", {0, 0, 0, 0}, u""},
        {u"NoComma", u"", {0, 0, 0, 0}, u"NoComma"},
        // "%d" skips blanks before a number but a blank before a comma ends the scan.
        {u"B, 5, 6,7,8,x", u"B", {5, 6, 12, 14}, u"x"},
        {u"B,5 ,6,7,8,x", u"B", {5, 0, 5, 0}, u"x"},
        {u"B,-5,+6,7,8,x", u"B", {-5, 6, 2, 14}, u"x"},
        {u"B,abc,6,7,8,x", u"B", {0, 0, 0, 0}, u"x"},
        {u"B,1,2,3", u"B", {1, 2, 4, 2}, u"3"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text));
        SkinItem item;
        ParseSkinItem(c.text, item);
        EXPECT_EQ(ArrayText(item.szLabel), c.label);
        EXPECT_EQ(item.rcPos, c.rect);
        EXPECT_EQ(ArrayText(item.szFile), c.file);
    }
}

TEST(SkinItem, ZeroesThePreviousContentFirst) {
    SkinItem item;
    ParseSkinItem(u"Long,1,2,3,4,a.bmp", item);
    ParseSkinItem(u"", item);
    EXPECT_EQ(item.rcPos, SkinRect{});
    for (char16_t c : item.szLabel) EXPECT_EQ(c, 0);
    for (char16_t c : item.szFile) EXPECT_EQ(c, 0);
}

TEST(SkinItem, HostileNumbersAndLengthsStayInsideTheRecord) {
    SkinItem item;
    ParseSkinItem(u"B,2147483647,99999999999999999999,10,-2147483648,x", item);
    EXPECT_EQ(item.rcPos.left, 2147483647);
    EXPECT_EQ(item.rcPos.top, 2147483647);
    EXPECT_EQ(item.rcPos.right, 2147483647);  // saturates instead of wrapping
    EXPECT_EQ(item.rcPos.bottom, -1);  // 2147483647 + -2147483648

    const std::u16string longName(100, u'n');
    const std::u16string longFile(1000, u'f');
    ParseSkinItem(longName + u",1,2,3,4," + longFile, item);
    EXPECT_EQ(ArrayText(item.szLabel), longName.substr(0, 39));
    EXPECT_EQ(ArrayText(item.szFile), longFile.substr(0, 399));
    EXPECT_EQ(item.rcPos, (SkinRect{1, 2, 4, 6}));
}
