#include <gtest/gtest.h>

#include "skin/win/ex_menu.h"
#include "window/win/handles.h"
#include "window_test_support.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// The item data (our text buffer) of the item at `position`.
ULONG_PTR ItemData(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_ID;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info.dwItemData;
}

UINT MeasuredHeight(RecordingWindow& owner, HMENU menu, UINT position, UINT id) {
    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = id;
    item.itemData = ItemData(menu, position);
    item.itemHeight = 999;
    SendMessageW(owner.Hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
    return item.itemHeight;
}

// Draws one item into a 135 x 20 canvas through the owner; returns whether `rgb`
// occurs in it and the colour at (1, 1).
struct Drawn {
    bool hasColour;
    uint32_t corner;
};
Drawn DrawItem(RecordingWindow& owner, HMENU menu, UINT position, UINT id, UINT state, uint32_t rgb) {
    win::WindowDc screen(nullptr);
    win::MemoryDc canvas(screen, 135, 20);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = id;
    item.itemState = state;
    item.hwndItem = reinterpret_cast<HWND>(menu);
    item.hDC = canvas;
    item.rcItem = RECT{0, 0, 135, 20};
    item.itemData = ItemData(menu, position);
    SendMessageW(owner.Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    SelectClipRgn(canvas, nullptr);
    Drawn drawn{false, PixelRgb(canvas, 1, 1)};
    for (int y = 0; y < 20 && !drawn.hasColour; ++y)
        for (int x = 0; x < 135; ++x)
            if (PixelRgb(canvas, x, y) == rgb) {
                drawn.hasColour = true;
                break;
            }
    return drawn;
}

}  // namespace

TEST(ExMenu, ItemsAreMeasuredThroughTheOwnerWindow) {
    RecordingWindow owner;
    ASSERT_TRUE(owner.Create());
    CExMenu menu;
    ASSERT_TRUE(menu.CreatePopup());
    menu.AppendItem(0, u"");
    menu.AppendItem(1, u"");
    menu.AppendItem(40, u"Twelve chars");
    EXPECT_EQ(menu.m_nWidth, 96);
    menu.m_nWidth = 135;
    EXPECT_EQ(MeasuredHeight(owner, menu.Handle(), 0, 0), 5u);
    EXPECT_EQ(MeasuredHeight(owner, menu.Handle(), 1, 1), 0u);
    EXPECT_EQ(MeasuredHeight(owner, menu.Handle(), 2, 40), 20u);
}

TEST(ExMenu, SeparatorIsOneToThePlatformAndStillOwnerDrawn) {
    CExMenu menu;
    ASSERT_TRUE(menu.CreatePopup());
    menu.AppendItem(40, u"Item");
    menu.AppendItem(0, u"");
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(menu.Handle(), 1, TRUE, &info));
    EXPECT_EQ(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW), static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW));
    EXPECT_NE(info.dwItemData, 0u);  // measured and drawn through its entry
    ASSERT_TRUE(GetMenuItemInfoW(menu.Handle(), 0, TRUE, &info));
    EXPECT_EQ(info.fType & MFT_SEPARATOR, 0u);
}

TEST(ExMenu, SelectedItemsAreInvertedAndTheMarkedOneIsOrange) {
    RecordingWindow owner;
    ASSERT_TRUE(owner.Create());
    win::UniqueFont font(CreateFontW(16, 0, 0, 0, 800, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial"));
    CExMenu menu(font.Get());
    ASSERT_TRUE(menu.CreatePopup());
    menu.AppendItem(40, u"WWWWWWWW");
    menu.AppendItem(41, u"WWWWWWWW", nullptr, 1);
    menu.AppendItem(0, u"");

    Drawn plain = DrawItem(owner, menu.Handle(), 0, 40, 0, 0xA31930);
    EXPECT_EQ(plain.corner, 0xFFFFFFu);
    EXPECT_TRUE(plain.hasColour);  // accent text on white
    Drawn selected = DrawItem(owner, menu.Handle(), 0, 40, ODS_SELECTED, 0xFFFFFF);
    EXPECT_EQ(selected.corner, 0xA31930u);
    EXPECT_TRUE(selected.hasColour);  // white text on the accent
    Drawn marked = DrawItem(owner, menu.Handle(), 1, 41, ODS_SELECTED, 0xE66001);
    EXPECT_EQ(marked.corner, 0xA31930u);
    EXPECT_TRUE(marked.hasColour);  // orange even when selected
    Drawn separator = DrawItem(owner, menu.Handle(), 2, 0, ODS_SELECTED, 0xA31930);
    EXPECT_EQ(separator.corner, 0xFFFFFFu);  // never highlighted
    EXPECT_TRUE(separator.hasColour);        // the line
}

TEST(ExMenu, UnknownItemOfThisMenuDrawsAnEmptyText) {
    RecordingWindow owner;
    ASSERT_TRUE(owner.Create());
    CExMenu menu;
    ASSERT_TRUE(menu.CreatePopup());
    AppendMenuW(menu.Handle(), MF_OWNERDRAW, 77, nullptr);  // not in the item list
    Drawn drawn = DrawItem(owner, menu.Handle(), 0, 77, 0, 0xA31930);
    EXPECT_EQ(drawn.corner, 0xFFFFFFu);
    EXPECT_FALSE(drawn.hasColour);
}

TEST(MenuHook, AMenuOpenedBeforeTheHookIsInstalledBringsItAlong) {
    // The program installs the hook only once its main window has painted.
    if (g_hMenuHook) UnhookWindowsHookEx(g_hMenuHook);
    g_hMenuHook = nullptr;
    win::Window owner;
    ASSERT_TRUE(owner.CreateEx(0, L"menu owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr));
    CExMenu menu;
    ASSERT_TRUE(menu.CreatePopup());
    menu.AppendItem(40, u"Item");
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    menu.TrackPopup(owner.Hwnd(), 10, 10, TPM_LEFTALIGN);
    KillTimer(nullptr, timer);
    EXPECT_NE(g_hMenuHook, nullptr);
    DestroyWindow(owner.Hwnd());
}

TEST(MenuHook, PopupMenuWindowsAreSubclassedOnceAndReleasedWhenHidden) {
    ASSERT_TRUE(InstallMenuHook());
    ASSERT_TRUE(InstallMenuHook());  // once per process
    HWND menuWindow = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(menuWindow, nullptr);
    const HANDLE previous = GetPropW(menuWindow, kMenuOldProcProperty);
    ASSERT_NE(previous, nullptr);  // subclassed at WM_CREATE
    const LONG_PTR subclassed = GetWindowLongPtrW(menuWindow, GWLP_WNDPROC);
    EXPECT_NE(reinterpret_cast<HANDLE>(subclassed), previous);
    EXPECT_EQ(g_mapMenuWnd.count(menuWindow), 1u);

    // A second 0x01E2 finds the property and leaves everything as it is.
    SendMessageW(menuWindow, 0x01E2, 0, 0);
    EXPECT_EQ(GetPropW(menuWindow, kMenuOldProcProperty), previous);
    EXPECT_EQ(GetWindowLongPtrW(menuWindow, GWLP_WNDPROC), subclassed);
    EXPECT_EQ(g_mapMenuWnd.size(), 1u);

    // Hidden: its own procedure comes back, and a later 0x01E2 subclasses it again.
    SendMessageW(menuWindow, WM_SHOWWINDOW, FALSE, 0);
    EXPECT_EQ(GetPropW(menuWindow, kMenuOldProcProperty), nullptr);
    EXPECT_EQ(reinterpret_cast<HANDLE>(GetWindowLongPtrW(menuWindow, GWLP_WNDPROC)), previous);
    EXPECT_TRUE(g_mapMenuWnd.empty());
    SendMessageW(menuWindow, 0x01E2, 0, 0);
    EXPECT_EQ(GetPropW(menuWindow, kMenuOldProcProperty), previous);
    EXPECT_EQ(g_mapMenuWnd.count(menuWindow), 1u);

    // Other classes are left alone.
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetPropW(other, kMenuOldProcProperty), nullptr);
    DestroyWindow(other);

    DestroyWindow(menuWindow);
    EXPECT_TRUE(g_mapMenuWnd.empty());
}

TEST(MenuHook, BorderIsThreeAccentPixelsWide) {
    ASSERT_TRUE(InstallMenuHook());
    HWND menuWindow = CreateWindowExW(0, L"#32768", L"", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(menuWindow, nullptr);
    win::WindowDc screen(nullptr);
    win::MemoryDc canvas(screen, 40, 30);
    RECT all{0, 0, 40, 30};
    FillRect(canvas, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageW(menuWindow, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Get()), PRF_NONCLIENT);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(PixelRgb(canvas, i, 15), 0xA31930u) << i;
        EXPECT_EQ(PixelRgb(canvas, 39 - i, 15), 0xA31930u) << i;
        EXPECT_EQ(PixelRgb(canvas, 20, i), 0xA31930u) << i;
        EXPECT_EQ(PixelRgb(canvas, 20, 29 - i), 0xA31930u) << i;
    }
    DestroyWindow(menuWindow);
}
