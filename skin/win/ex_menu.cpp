#include "skin/win/ex_menu.h"

#include <cstring>

#include "window/win/handles.h"

namespace tavrel {

namespace {

constexpr int kSubmenuArrowIcon = 137;

MenuColours ColoursOf(const CExMenu& menu) {
    MenuColours c;
    c.back = menu.m_crBack;
    c.selBack = menu.m_crSelBack;
    c.separator = menu.m_crSeparator;
    c.itemText = menu.m_crItemText;
    c.selText = menu.m_crSelText;
    return c;
}

void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
    win::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

}  // namespace

CExMenu::CExMenu(HFONT font) : m_pFont(font) {}

CExMenu::~CExMenu() {
    if (m_hMenu) DestroyMenu(m_hMenu);
}

bool CExMenu::Attach(HMENU menu) {
    if (!menu || m_hMenu) return false;
    m_hMenu = menu;
    return true;
}

HMENU CExMenu::Detach() { return std::exchange(m_hMenu, nullptr); }

bool CExMenu::AppendItem(UINT_PTR id, std::u16string text, HMENU submenu, int mark) {
    if (!m_hMenu) return false;
    m_nWidth = MenuWidthAfterAppend(m_nWidth, text.size());
    const MenuItemEntry& entry =
        m_items.Append(std::move(text), submenu ? reinterpret_cast<UINT_PTR>(submenu) : id, mark, submenu != nullptr);
    // A separator is one to the platform as well, so that neither the arrow keys nor the
    // pointer stop on it and a click on it leaves the menu open; it is still drawn by us.
    UINT flags = MF_OWNERDRAW;
    if (submenu) {
        flags |= MF_POPUP;
    } else if (id == kMenuSeparatorId) {
        flags |= MF_SEPARATOR;
    }
    const UINT_PTR item = submenu ? reinterpret_cast<UINT_PTR>(submenu) : id;
    return AppendMenuW(m_hMenu, flags, item, reinterpret_cast<LPCWSTR>(entry.text.c_str())) != FALSE;
}

BOOL CExMenu::TrackPopup(HWND owner, int x, int y, UINT flags) {
    if (!m_hMenu) return FALSE;
    // The program installs the hook once its first paint is done; a menu opened before
    // that still gets its border.
    InstallMenuHook();
    return TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, nullptr);
}

bool CExMenu::MeasureMenuItem(MEASUREITEMSTRUCT& item) {
    if (!m_items.FindByData(reinterpret_cast<const void*>(item.itemData))) return false;
    const MenuItemSize size = tavrel::MeasureMenuItem(item.itemID, m_nItemHeight, m_nWidth);
    item.itemWidth = static_cast<UINT>(std::max(size.width, 0));
    item.itemHeight = static_cast<UINT>(std::max(size.height, 0));
    return true;
}

const MenuItemEntry* CExMenu::FindEntry(const DRAWITEMSTRUCT& item) const {
    if (const MenuItemEntry* entry = m_items.FindByData(reinterpret_cast<const void*>(item.itemData))) return entry;
    return m_items.Find(item.itemID);
}

bool CExMenu::DrawMenuItem(const DRAWITEMSTRUCT& item) {
    const bool mine = m_items.FindByData(reinterpret_cast<const void*>(item.itemData)) ||
                      (m_hMenu && reinterpret_cast<HMENU>(item.hwndItem) == m_hMenu);
    if (!mine) return false;

    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const MenuColours colours = ColoursOf(*this);
    const MenuItemEntry* entry = FindEntry(item);

    if (item.itemID == kMenuSeparatorId && !(entry && entry->opensSubmenu)) {
        FillColour(dc, rect, colours.back);
        win::UniquePen pen(CreatePen(PS_SOLID, 1, colours.separator));
        win::SelectGuard selectPen(dc, pen.Get());
        const int middle = rect.top + (rect.bottom - rect.top) / 2;
        MoveToEx(dc, rect.left, middle, nullptr);
        LineTo(dc, rect.right, middle);
    } else {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillColour(dc, rect, MenuItemBackColour(selected, colours));
        const std::u16string text = entry ? entry->text : std::u16string();
        const COLORREF colour = MenuItemTextColour(selected, entry ? entry->mark : -1, colours);

        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColour = SetTextColor(dc, colour);
        {
            win::SelectGuard selectFont(dc, m_pFont);
            SIZE extent{0, 0};
            const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
            const int length = static_cast<int>(text.size());
            // The height of an empty text is that of a blank line.
            GetTextExtentPoint32W(dc, length ? wide : L" ", length ? length : 1, &extent);
            const int y = MenuTextTop(rect.top, rect.bottom - rect.top, extent.cy);
            TextOutW(dc, rect.left + 2, y, wide, length);
        }
        SetTextColor(dc, oldColour);
        SetBkMode(dc, oldMode);

        if (entry && entry->opensSubmenu) {
            HICON arrow = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kSubmenuArrowIcon),
                                                        IMAGE_ICON, 32, 32, LR_SHARED));
            if (arrow) DrawIconEx(dc, rect.right - 19, rect.top - 9, arrow, 32, 32, 0, nullptr, DI_NORMAL);
        }
    }
    // Keep the platform from drawing over the item afterwards.
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    return true;
}

bool CExMenu::DescribeMenuItem(HMENU menu, const MENUITEMINFOW& item, AccessibleInfo& info) const {
    if (!m_hMenu || menu != m_hMenu) return false;
    const MenuItemEntry* entry = m_items.FindByData(reinterpret_cast<const void*>(item.dwItemData));
    if (!entry) entry = m_items.Find(item.wID);
    const bool submenu = item.hSubMenu != nullptr;
    info.role = item.wID == kMenuSeparatorId && !submenu ? AccRole::Separator : AccRole::MenuItem;
    info.name = entry ? entry->text : std::u16string();
    info.state = 0;
    // The item of the current choice, drawn in orange, is the checked one.
    if (entry && entry->mark == kMenuMarkCurrent) info.state |= kAccChecked;
    if (item.fState & MFS_HILITE) info.state |= kAccSelected | kAccFocused;
    if (submenu) info.state |= kAccHasPopup;
    if (item.wID == kMenuHiddenId && !submenu) info.state |= kAccInvisible;
    return true;
}

// ---- what a screen reader hears of a menu window

HMENU MenuWindowAccess::Menu() const {
    return reinterpret_cast<HMENU>(SendMessageW(m_hWnd, MN_GETHMENU, 0, 0));
}

AccessibleInfo MenuWindowAccess::Describe() const {
    AccessibleInfo info;
    info.role = AccRole::MenuPopup;
    return info;
}

int MenuWindowAccess::PartCount() const {
    const HMENU menu = Menu();
    return menu ? std::max(GetMenuItemCount(menu), 0) : 0;
}

AccessibleInfo MenuWindowAccess::DescribePart(int index) const {
    AccessibleInfo info;
    info.role = AccRole::MenuItem;
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_DATA | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
    const HMENU menu = Menu();
    if (menu && GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &item))
        win::OwnerDrawMenu::DispatchDescribe(menu, item, info);
    return info;
}

RECT MenuWindowAccess::PartRect(int index) const {
    RECT rect{};
    if (GetMenuItemRect(nullptr, Menu(), static_cast<UINT>(index), &rect))
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// ---- border hook

HHOOK g_hMenuHook = nullptr;
std::unordered_map<HWND, std::unique_ptr<CMenuWndHook>> g_mapMenuWnd;

namespace {

constexpr UINT kMenuSizeWindowMessage = 0x01E2;  // sent to a popup menu window as it is sized

WNDPROC PreviousMenuProc(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetPropW(hwnd, kMenuOldProcProperty)); }

void DrawMenuBorder(HWND hwnd, HDC dc) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    win::UniqueBrush brush(CreateSolidBrush(RGB(163, 25, 48)));
    for (int i = 0; i < 3; ++i) {
        FrameRect(dc, &rect, brush.Get());
        InflateRect(&rect, -1, -1);
    }
}

bool HasNonClientEdge(HWND hwnd) {
    RECT window{};
    RECT client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    return client.right < window.right - window.left || client.bottom < window.bottom - window.top;
}

// Gives the window its previous procedure back and forgets it.
void ReleaseMenuWindow(HWND hwnd) {
    auto found = g_mapMenuWnd.find(hwnd);
    if (found == g_mapMenuWnd.end()) return;
    if (WNDPROC previous = PreviousMenuProc(hwnd)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    RemovePropW(hwnd, kMenuOldProcProperty);
    g_mapMenuWnd.erase(found);
    // Free the storage when the last menu goes; the next one allocates it again.
    if (g_mapMenuWnd.empty()) decltype(g_mapMenuWnd)().swap(g_mapMenuWnd);
}

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = PreviousMenuProc(hwnd);
    auto passOn = [&] {
        return previous ? CallWindowProcW(previous, hwnd, message, wParam, lParam)
                        : DefWindowProcW(hwnd, message, wParam, lParam);
    };
    const bool hasRecord = g_mapMenuWnd.count(hwnd) != 0;
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam == FALSE && hasRecord) ReleaseMenuWindow(hwnd);
        return passOn();
    case WM_NCDESTROY:
        if (hasRecord) ReleaseMenuWindow(hwnd);
        return passOn();
    case WM_NCCALCSIZE:
        return passOn();
    case WM_GETOBJECT:
        if (hasRecord) {
            CMenuWndHook& record = *g_mapMenuWnd[hwnd];
            LRESULT result = 0;
            if (record.access.Answer(hwnd, record.source, wParam, lParam, result)) return result;
        }
        return passOn();
    case WM_NCPAINT:
        if (hasRecord) {
            win::WholeWindowDc dc(hwnd);
            DrawMenuBorder(hwnd, dc);
            return 0;
        }
        return passOn();
    case WM_PAINT: {
        // Where the platform draws the menu's frame inside the client area (no
        // non-client edge to paint), the border goes over that frame instead.
        const LRESULT result = passOn();
        if (hasRecord && !HasNonClientEdge(hwnd)) {
            win::WholeWindowDc dc(hwnd);
            DrawMenuBorder(hwnd, dc);
        }
        return result;
    }
    case WM_PRINT: {
        const LRESULT result = passOn();
        DrawMenuBorder(hwnd, reinterpret_cast<HDC>(wParam));
        return result;
    }
    default:
        return passOn();
    }
}

bool IsPopupMenuWindow(HWND hwnd) {
    wchar_t name[16] = {};
    return GetClassNameW(hwnd, name, 16) > 0 && std::wcscmp(name, L"#32768") == 0;
}

void SubclassMenuWindow(HWND hwnd) {
    if (!IsPopupMenuWindow(hwnd) || GetPropW(hwnd, kMenuOldProcProperty)) return;
    if (g_mapMenuWnd.bucket_count() < 1000) g_mapMenuWnd.reserve(1000);
    auto& record = g_mapMenuWnd[hwnd];
    if (!record) record = std::make_unique<CMenuWndHook>(hwnd);
    // Nothing below throws: the window is only subclassed with its record in place.
    const LONG_PTR previous = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    SetPropW(hwnd, kMenuOldProcProperty, reinterpret_cast<HANDLE>(previous));
    if (!SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuWindowProc))) {
        RemovePropW(hwnd, kMenuOldProcProperty);
        g_mapMenuWnd.erase(hwnd);
    }
}

LRESULT CALLBACK MenuHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == WM_CREATE || call->message == kMenuSizeWindowMessage) {
            try {
                SubclassMenuWindow(call->hwnd);
            } catch (...) {
                // Out of memory for the record: the menu keeps its own frame.
                RemovePropW(call->hwnd, kMenuOldProcProperty);
            }
        }
    }
    return CallNextHookEx(g_hMenuHook, code, wParam, lParam);
}

}  // namespace

bool InstallMenuHook() {
    if (g_hMenuHook) return true;
    g_mapMenuWnd.reserve(1000);
    g_hMenuHook = SetWindowsHookExW(WH_CALLWNDPROC, &MenuHookProc, nullptr, GetCurrentThreadId());
    return g_hMenuHook != nullptr;
}

}  // namespace tavrel
