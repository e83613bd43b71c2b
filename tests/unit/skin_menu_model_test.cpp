#include "skin/ex_menu_model.h"

#include <gtest/gtest.h>

using namespace tavrel;

TEST(ExMenuModel, MeasuringSeparatorHiddenAndCommandItems) {
    EXPECT_EQ(MeasureMenuItem(kMenuSeparatorId, 18, 135).height, 5);
    EXPECT_EQ(MeasureMenuItem(kMenuHiddenId, 18, 135).height, 0);
    EXPECT_EQ(MeasureMenuItem(2, 18, 135).height, 20);
    EXPECT_EQ(MeasureMenuItem(40001, 24, 135).height, 26);
    for (uint64_t id : {0ull, 1ull, 7ull}) EXPECT_EQ(MeasureMenuItem(id, 18, 135).width, 135);
}

TEST(ExMenuModel, WidthGrowsToEightPixelsPerCharacterButNeverShrinks) {
    int width = 0;
    width = MenuWidthAfterAppend(width, 5);
    EXPECT_EQ(width, 40);
    width = MenuWidthAfterAppend(width, 2);
    EXPECT_EQ(width, 40);
    width = MenuWidthAfterAppend(width, 12);
    EXPECT_EQ(width, 96);
    EXPECT_GT(MenuWidthAfterAppend(0, static_cast<size_t>(-1)), 0);  // no overflow
}

TEST(ExMenuModel, TextColours) {
    MenuColours colours;
    EXPECT_EQ(MenuItemTextColour(false, -1, colours), 0x3019A3u);
    EXPECT_EQ(MenuItemTextColour(true, -1, colours), 0xFFFFFFu);
    // The current choice is orange, selected or not.
    EXPECT_EQ(MenuItemTextColour(false, 1, colours), 0x0160E6u);
    EXPECT_EQ(MenuItemTextColour(true, 1, colours), 0x0160E6u);
    EXPECT_EQ(MenuItemTextColour(false, 0, colours), 0x3019A3u);
    EXPECT_EQ(MenuItemBackColour(true, colours), 0x3019A3u);
    EXPECT_EQ(MenuItemBackColour(false, colours), 0xFFFFFFu);
}

TEST(ExMenuModel, TextIsCentredVertically) {
    EXPECT_EQ(MenuTextTop(100, 20, 16), 102);
    EXPECT_EQ(MenuTextTop(100, 20, 15), 102);
    EXPECT_EQ(MenuTextTop(0, 0, 16), -8);
}

TEST(ExMenuModel, ItemListFindsByIdAndByTextAddressWhichStaysPut) {
    CMenuItemList list;
    const MenuItemEntry& first = list.Append(u"One", 10, -1);
    const char16_t* firstText = first.text.c_str();
    for (int i = 0; i < 100; ++i) list.Append(u"Item", 100 + i, -1);
    list.Append(u"Sub", 77, 1, true);
    EXPECT_EQ(list.Size(), 102u);
    ASSERT_NE(list.FindByData(firstText), nullptr);
    EXPECT_EQ(list.FindByData(firstText)->text, u"One");
    EXPECT_EQ(list.Find(77)->mark, 1);
    EXPECT_TRUE(list.Find(77)->opensSubmenu);
    EXPECT_EQ(list.Find(5), nullptr);
    EXPECT_EQ(list.FindByData(u"One"), nullptr);  // another buffer with the same text
    EXPECT_EQ(list.FindByData(nullptr), nullptr);
}
