#include "skin/win/listbox_ex.h"

#include <gtest/gtest.h>

#include <vector>

#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

constexpr int kTag = 4097;

// A parent that keeps what the list posts to it.
class ListParent : public win::Window {
public:
    struct Post {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Post> posts;
    bool Create() { return CreateEx(0, L"list parent", WS_POPUP | WS_VISIBLE, 20, 20, 300, 220, nullptr); }
    size_t Count(UINT message) const {
        size_t n = 0;
        for (const Post& p : posts) n += p.message == message;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LISTEDIT_DONE || message == WM_LISTDELETEKEY || message == WM_LISTRCLICK) {
            posts.push_back({message, wParam, lParam});
            return 0;
        }
        return Window::WindowProc(message, wParam, lParam);
    }
};

class ListBoxExTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Create());
        ASSERT_TRUE(list.Create(parent.Hwnd(), RECT{10, 10, 210, 10 + 5 * 18}, kTag));
        list.m_nTag = kTag;
        list.AddRow(u"A", (1u << 16) | 138);
        list.AddRow(u"250 ms", (1u << 16) | 140);
        list.AddRow(u"A", (2u << 16) | 139);
        PumpPending();
    }
    void SetEditText(const wchar_t* text) { SetWindowTextW(list.EditControl(), text); }

    ListParent parent;
    CListBoxEx list;
};

}  // namespace

TEST_F(ListBoxExTest, EveryRowIs18PixelsHigh) {
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETITEMHEIGHT, 0, 0), 18);
}

TEST_F(ListBoxExTest, EditSelectedItemWithoutASelectionOpensNothing) {
    EXPECT_EQ(list.EditSelectedItem(), 65535);
    EXPECT_FALSE(list.IsEditing());
}

TEST_F(ListBoxExTest, EditingAPauseOpensADigitsOnlyEditorRightOfTheIcon) {
    list.SetCurSel(1);
    EXPECT_EQ(list.EditSelectedItem(), 140);
    ASSERT_TRUE(list.IsEditing());
    EXPECT_NE(GetWindowLongW(list.EditControl(), GWL_STYLE) & ES_NUMBER, 0);
    EXPECT_EQ(SendMessageW(list.EditControl(), EM_GETLIMITTEXT, 0, 0), 20);
    RECT edit{}, row{};
    GetWindowRect(list.EditControl(), &edit);
    MapWindowPoints(nullptr, list.Hwnd(), reinterpret_cast<POINT*>(&edit), 2);
    SendMessageW(list.Hwnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    EXPECT_EQ(edit.left, row.left + 16 + 5);
    wchar_t text[32] = {};
    GetWindowTextW(list.EditControl(), text, 32);
    EXPECT_STREQ(text, L"250 ms");
}

TEST_F(ListBoxExTest, LosingTheFocusCommitsAndReportsTheRow) {
    list.SetCurSel(1);
    list.EditSelectedItem();
    SetEditText(L"300");
    SetFocus(parent.Hwnd());
    ASSERT_TRUE(PumpUntil([&] { return parent.Count(WM_LISTEDIT_DONE) == 1; }));
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(parent.posts.back().wParam, 1u);
    EXPECT_EQ(parent.posts.back().lParam, kTag);
    EXPECT_EQ(list.Text(1), u"300");
    EXPECT_EQ(list.Data(1), (1u << 16) | 140) << "the row keeps its item data";
    EXPECT_EQ(list.CurSel(), 1);
    EXPECT_EQ(list.Count(), 3);
}

TEST_F(ListBoxExTest, AnEmptyCommitRemovesTheRowAndReportsNothing) {
    list.SetCurSel(1);
    list.EditSelectedItem();
    SetEditText(L"");
    SendMessageW(list.EditControl(), WM_KEYUP, VK_RETURN, 0);
    PumpPending();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(parent.Count(WM_LISTEDIT_DONE), 0u);
}

TEST_F(ListBoxExTest, EscapeRemovesTheEditedRowEvenAnExistingOne) {
    list.SetCurSel(2);
    list.EditSelectedItem();
    SetEditText(L"99");
    SendMessageW(list.EditControl(), WM_KEYUP, VK_ESCAPE, 0);
    PumpPending();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(parent.Count(WM_LISTEDIT_DONE), 0u);
}

TEST_F(ListBoxExTest, ANewRowTakesANameOfAtMost15Characters) {
    list.AddItem();
    ASSERT_TRUE(list.IsEditing());
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(SendMessageW(list.EditControl(), EM_GETLIMITTEXT, 0, 0), 15);
    EXPECT_EQ(GetWindowLongW(list.EditControl(), GWL_STYLE) & ES_NUMBER, 0);
    list.AddItem();  // one editor at a time
    EXPECT_EQ(list.Count(), 4);
    SetEditText(L"Jump");
    SendMessageW(list.EditControl(), WM_KEYUP, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return parent.Count(WM_LISTEDIT_DONE) == 1; }));
    EXPECT_EQ(parent.posts.back().wParam, 3u);
    EXPECT_EQ(list.Text(3), u"Jump");
    EXPECT_EQ(list.CurSel(), 3);
}

TEST_F(ListBoxExTest, OneWheelMessageScrollsOneLine) {
    for (int i = 0; i < 10; ++i) list.AddRow(u"row", 0);
    ASSERT_EQ(SendMessageW(list.Hwnd(), LB_GETTOPINDEX, 0, 0), 0);
    SendMessageW(list.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETTOPINDEX, 0, 0), 1);
    SendMessageW(list.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(SendMessageW(list.Hwnd(), LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListBoxExTest, DeleteKeyAndRightButtonAreReportedToTheParent) {
    MSG msg{list.Hwnd(), WM_KEYDOWN, VK_DELETE, 0, 0, {}};
    EXPECT_FALSE(list.PreTranslateMessage(msg)) << "the key is still processed";
    SendMessageW(list.Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil([&] { return parent.posts.size() == 2; }));
    EXPECT_EQ(parent.posts[0].message, WM_LISTDELETEKEY);
    EXPECT_EQ(parent.posts[0].lParam, 0);
    EXPECT_EQ(parent.posts[1].message, WM_LISTRCLICK);
    EXPECT_EQ(parent.posts[1].lParam, kTag);
}

TEST_F(ListBoxExTest, AnIndentOnlyRowStartsItsText16PixelsFurther) {
    // Draw two rows into a memory picture: one without icon, one with icon number 1.
    HDC screen = GetDC(nullptr);
    win::MemoryDc dc(screen, 200, 18);
    ReleaseDC(nullptr, screen);
    const auto firstInk = [&](uint32_t data) {
        RECT all{0, 0, 200, 18};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const int row = list.AddRow(u"I", data);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.itemID = static_cast<UINT>(row);
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = list.Hwnd();
        item.hDC = dc;
        item.rcItem = RECT{0, 0, 200, 18};
        item.itemData = data;
        SendMessageW(parent.Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 18; ++y)
                if (PixelRgb(dc, x, y) != 0xFFFFFF) return x;
        return -1;
    };
    const int plain = firstInk(0);
    const int indented = firstInk(1);
    ASSERT_GE(plain, 5);
    EXPECT_EQ(indented - plain, 16);
}
