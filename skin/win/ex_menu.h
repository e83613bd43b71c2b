// CExMenu: an owner-drawn popup menu in the skin's colours, and the per-thread hook
// that gives every popup menu window a 3-pixel border in RGB(163, 25, 48).
//
// Use (one menu per popup):
//     CExMenu menu(font);                 // font may be nullptr; the caller keeps it
//     menu.CreatePopup();                 // or Attach(CreatePopupMenu())
//     menu.AppendItem(ID_X, u"Text");     // mark 1 shows the current choice in orange
//     menu.m_nWidth = 135;
//     menu.TrackPopup(ownerHwnd, x, y);   // the choice arrives as WM_COMMAND at the owner
// The owner must be a window of our layer (win::Window): its default handling passes
// WM_MEASUREITEM / WM_DRAWITEM of menu items to the live CExMenu objects.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "accessibility/win/accessible_object.h"
#include "skin/ex_menu_model.h"
#include "window/win/owner_draw_menu.h"

namespace tavrel {

class CExMenu : public win::OwnerDrawMenu {
public:
    explicit CExMenu(HFONT font = nullptr);
    ~CExMenu() override;  // destroys the attached menu

    bool CreatePopup() { return Attach(CreatePopupMenu()); }
    bool Attach(HMENU menu);
    HMENU Detach();
    HMENU Handle() const { return m_hMenu; }

    // Appends an owner-drawn item: a command item with `id`, or, with `submenu`, a
    // popup item opening it (callers pass the submenu handle as id too).
    bool AppendItem(UINT_PTR id, std::u16string text, HMENU submenu = nullptr, int mark = -1);

    // TrackPopupMenu at a screen point with `owner` as owner window.
    BOOL TrackPopup(HWND owner, int x, int y, UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON);

    bool MeasureMenuItem(MEASUREITEMSTRUCT& item) override;
    bool DrawMenuItem(const DRAWITEMSTRUCT& item) override;
    bool DescribeMenuItem(HMENU menu, const MENUITEMINFOW& item, AccessibleInfo& info) const override;

    // ---- fields
    HMENU m_hMenu = nullptr;
    HFONT m_pFont = nullptr;  // not owned
    int m_nItemHeight = 18;
    int m_nWidth = 0;
    COLORREF m_crBack = RGB(255, 255, 255);
    COLORREF m_crSelBack = RGB(163, 25, 48);
    COLORREF m_crSeparator = RGB(163, 25, 48);
    COLORREF m_crItemText = RGB(163, 25, 48);
    COLORREF m_crSelText = RGB(255, 255, 255);
    CMenuItemList m_items;

private:
    const MenuItemEntry* FindEntry(const DRAWITEMSTRUCT& item) const;
};

// ---- popup menu border hook

// What a screen reader hears of a popup menu window: a menu whose items are those of
// the live CExMenu it shows, read when asked.
class MenuWindowAccess : public win::AccessibleSource {
public:
    explicit MenuWindowAccess(HWND window) : m_hWnd(window) {}
    AccessibleInfo Describe() const override;
    int PartCount() const override;
    AccessibleInfo DescribePart(int index) const override;
    RECT PartRect(int index) const override;

private:
    HMENU Menu() const;
    HWND m_hWnd;
};

// One subclassed popup menu window.
struct CMenuWndHook {
    explicit CMenuWndHook(HWND window) : hwnd(window), source(window) {}
    HWND hwnd = nullptr;
    MenuWindowAccess source;
    win::AccessibleHost access;  // its object answers "not connected" once the record goes
};

extern HHOOK g_hMenuHook;
extern std::unordered_map<HWND, std::unique_ptr<CMenuWndHook>> g_mapMenuWnd;

// Installs the WH_CALLWNDPROC hook for the calling (user-interface) thread, once per
// process; it stays for the program's life. True when the hook is installed.
bool InstallMenuHook();

// The name of the window property holding a menu window's previous procedure.
inline constexpr wchar_t kMenuOldProcProperty[] = L"CoolMenu_oldProc";

}  // namespace tavrel
