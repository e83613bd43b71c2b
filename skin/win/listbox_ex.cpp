#include "skin/win/listbox_ex.h"

#include <windowsx.h>

#include <vector>

namespace tavrel {

namespace {

// The editor procedure finds its list here: only one list in the process edits at a
// time (an editor opens only while no other is open in the same list, and every list
// lives in a modal dialog).
CListBoxEx* g_pEditList = nullptr;
WNDPROC g_pfnOldEditProc = nullptr;

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

}  // namespace

LRESULT CALLBACK ListEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = g_pfnOldEditProc;
    CListBoxEx* list = g_pEditList;
    if (list != nullptr && list->m_hEdit == hwnd) {
        if (message == WM_KEYUP && wParam == VK_RETURN && list->m_nEditIndex != -1) {
            list->CommitEdit();
        } else if (message == WM_KEYUP && wParam == VK_ESCAPE) {
            list->CancelEdit();
        } else if (message == WM_KILLFOCUS && list->m_nEditIndex != -1) {
            list->CommitEdit();
        }
    }
    if (!IsWindow(hwnd) || previous == nullptr) return 0;  // the edit ended inside this message
    return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

CListBoxEx::CListBoxEx()
    : m_font(CreateFontW(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial")) {}

CListBoxEx::~CListBoxEx() {
    if (m_hEdit != nullptr && IsWindow(m_hEdit)) {
        if (g_pfnOldEditProc != nullptr) SetWindowLongPtrW(m_hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnOldEditProc));
        DestroyWindow(m_hEdit);
    }
    if (g_pEditList == this) g_pEditList = nullptr;
}

bool CListBoxEx::Create(HWND parent, const RECT& rect, int id, DWORD style) {
    if (!CreateControl(L"LISTBOX", L"", style, rect, parent, id)) return false;
    // The first measure request went to the parent before the list was attached, and
    // the list cut its height to whole rows of that first guess: size it again, so it
    // shows whole rows of its own height.
    SendMessageW(Hwnd(), LB_SETITEMHEIGHT, 0, m_nItemHeight);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    SetWindowPos(Hwnd(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void CListBoxEx::PreSubclassWindow() {
    m_nItemHeight = kListItemHeight;
    m_crText = GetSysColor(COLOR_WINDOWTEXT);
    m_crHighlight = GetSysColor(COLOR_HIGHLIGHT);
    m_crHighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_nIconWidth = kListIconWidth;
}

// ---- platform list operations

int CListBoxEx::Count() const { return static_cast<int>(SendMessageW(Hwnd(), LB_GETCOUNT, 0, 0)); }

int CListBoxEx::AddRow(const std::u16string& text, uint32_t data) {
    const int index = static_cast<int>(SendMessageW(Hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text))));
    if (index >= 0) SendMessageW(Hwnd(), LB_SETITEMDATA, index, static_cast<LPARAM>(data));
    return index;
}

void CListBoxEx::InsertRow(int index, const std::u16string& text, uint32_t data) {
    const int at = static_cast<int>(
        SendMessageW(Hwnd(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Wide(text))));
    if (at >= 0) SendMessageW(Hwnd(), LB_SETITEMDATA, at, static_cast<LPARAM>(data));
}

void CListBoxEx::DeleteRow(int index) { SendMessageW(Hwnd(), LB_DELETESTRING, index, 0); }
void CListBoxEx::ResetContent() { SendMessageW(Hwnd(), LB_RESETCONTENT, 0, 0); }

std::u16string CListBoxEx::Text(int index) const {
    const LRESULT len = SendMessageW(Hwnd(), LB_GETTEXTLEN, index, 0);
    if (len == LB_ERR || len < 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(len) + 1, L'\0');
    SendMessageW(Hwnd(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()));
}

uint32_t CListBoxEx::Data(int index) const {
    return static_cast<uint32_t>(SendMessageW(Hwnd(), LB_GETITEMDATA, index, 0));
}

int CListBoxEx::CurSel() const { return static_cast<int>(SendMessageW(Hwnd(), LB_GETCURSEL, 0, 0)); }
void CListBoxEx::SetCurSel(int index) { SendMessageW(Hwnd(), LB_SETCURSEL, index, 0); }

// ---- in-place editing

void CListBoxEx::AddItem() {
    if (m_hEdit != nullptr) return;
    const int n = AddRow(u"", 0);
    if (n < 0) return;
    // The new row comes to the top, so the editor opens where the user looks.
    SendMessageW(Hwnd(), LB_SETTOPINDEX, n, 0);
    RECT row{};
    SendMessageW(Hwnd(), LB_GETITEMRECT, n, reinterpret_cast<LPARAM>(&row));
    InvalidateRect(Hwnd(), &row, TRUE);
    const EditRect r = NewRowEditorRect({row.left, row.top, row.right, row.bottom});
    OpenEditor(n, RECT{r.left, r.top, r.right, r.bottom}, 0, kNewNameLimit, u"");
}

uint16_t CListBoxEx::EditSelectedItem() {
    const int sel = CurSel();
    const uint16_t icon = RowIconNumber(Data(sel));  // LB_ERR without a selection
    if (m_hEdit != nullptr || sel == LB_ERR) return icon;
    RECT row{};
    SendMessageW(Hwnd(), LB_GETITEMRECT, sel, reinterpret_cast<LPARAM>(&row));
    InvalidateRect(Hwnd(), &row, TRUE);
    const EditRect r = SelectedRowEditorRect({row.left, row.top, row.right, row.bottom}, icon, m_nIconWidth);
    OpenEditor(sel, RECT{r.left, r.top, r.right, r.bottom}, ES_NUMBER, kNumberEditLimit, Text(sel));
    return icon;
}

void CListBoxEx::OpenEditor(int index, const RECT& rect, DWORD extraStyle, int limit, const std::u16string& text) {
    m_nEditIndex = index;
    m_hEdit = CreateWindowExW(0, L"edit", Wide(text), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | extraStyle,
                              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, Hwnd(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (m_hEdit == nullptr) {
        m_nEditIndex = -1;
        return;
    }
    SendMessageW(m_hEdit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
    SendMessageW(m_hEdit, EM_SETSEL, 0, -1);
    SendMessageW(m_hEdit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    g_pEditList = this;
    g_pfnOldEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(m_hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListEditProc)));
    SetFocus(m_hEdit);
}

void CListBoxEx::CommitEdit() {
    const int index = m_nEditIndex;
    if (index == -1 || m_hEdit == nullptr) return;
    m_nEditIndex = -1;  // the editor's own focus loss while it closes commits nothing
    const int len = GetWindowTextLengthW(m_hEdit);
    std::vector<wchar_t> buffer(static_cast<size_t>(len) + 1, L'\0');
    GetWindowTextW(m_hEdit, buffer.data(), len + 1);
    const std::u16string text(reinterpret_cast<const char16_t*>(buffer.data()));
    const uint32_t data = Data(index);
    DeleteRow(index);
    const bool kept = CommitKeepsRow(text);
    if (kept) InsertRow(index, text, data);
    SetCurSel(index);
    CloseEditor();
    if (kept) PostMessageW(GetParent(Hwnd()), WM_LISTEDIT_DONE, static_cast<WPARAM>(index), m_nTag);
}

void CListBoxEx::CancelEdit() {
    const int index = m_nEditIndex;
    m_nEditIndex = -1;
    if (index != -1) DeleteRow(index);
    CloseEditor();
}

void CListBoxEx::CloseEditor() {
    m_nEditIndex = -1;
    HWND edit = m_hEdit;
    m_hEdit = nullptr;
    if (edit != nullptr) {
        // Back to the edit's own procedure before it goes, so no message of its
        // destruction reaches an editor that is already closed.
        if (g_pfnOldEditProc != nullptr) SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnOldEditProc));
        DestroyWindow(edit);
    }
    if (g_pEditList == this) g_pEditList = nullptr;
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

// ---- messages

bool CListBoxEx::PreTranslateMessage(MSG& msg) {
    // Only the list's own keys: Delete typed into the editor edits the text.
    if (msg.hwnd == Hwnd() && msg.message == WM_KEYDOWN && msg.wParam == VK_DELETE) {
        PostMessageW(GetParent(Hwnd()), WM_LISTDELETEKEY, 0, 0);
    }
    return false;
}

void CListBoxEx::OnMouseWheel(WPARAM wParam) {
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    SendMessageW(Hwnd(), WM_VSCROLL, WheelScrollsDown(delta) ? SB_LINEDOWN : SB_LINEUP, 0);
}

LRESULT CListBoxEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (m_access.Handle(Hwnd(), *this, message, wParam, lParam, answer)) return answer;
    switch (message) {
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam);
        return 0;
    case WM_RBUTTONDOWN:
        PostMessageW(GetParent(Hwnd()), WM_LISTRCLICK, 0, m_nTag);
        break;
    case WM_MOUSEMOVE:
        if (!m_bTracking) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Hwnd(), 0};
            m_bTracking = TrackMouseEvent(&track) != FALSE;
        }
        break;
    case WM_MOUSELEAVE:
        m_bTracking = false;
        break;
    default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

// ---- what a screen reader hears

AccessibleInfo CListBoxEx::Describe() const {
    AccessibleInfo info;
    info.role = AccRole::List;
    info.name = m_strAccName;
    info.state = kAccFocusable;
    return info;
}

AccessibleInfo CListBoxEx::DescribePart(int index) const {
    AccessibleInfo info;
    info.role = AccRole::ListItem;
    info.name = Text(index);
    info.state = kAccSelectable | kAccFocusable | (index == CurSel() ? kAccSelected : 0);
    return info;
}

RECT CListBoxEx::PartRect(int index) const {
    RECT rect{};
    SendMessageW(Hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

bool CListBoxEx::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(m_nItemHeight);
        result = TRUE;
        return true;
    case WM_CTLCOLORLISTBOX:
        if (m_brBack == nullptr) return false;
        result = reinterpret_cast<LRESULT>(m_brBack);
        return true;
    default:
        return false;
    }
}

void CListBoxEx::DrawItem(const DRAWITEMSTRUCT& item) {
    if (static_cast<int>(item.itemID) == -1) return;
    HDC dc = item.hDC;
    win::SelectGuard font(dc, m_font.Get());
    const std::u16string text = Text(static_cast<int>(item.itemID));
    RECT rect = item.rcItem;

    RowDrawRequest request;
    request.stateSelected = (item.itemState & ODS_SELECTED) != 0;
    request.stateFocus = (item.itemState & ODS_FOCUS) != 0;
    request.stateDisabled = (item.itemState & ODS_DISABLED) != 0;
    request.actionSelect = (item.itemAction & ODA_SELECT) != 0;
    request.actionFocus = (item.itemAction & ODA_FOCUS) != 0;
    const RowPaint paint = PlanRowPaint(request);
    for (RowFill fill : paint.fills) {
        if (fill == RowFill::Highlight) {
            win::UniqueBrush brush(CreateSolidBrush(m_crHighlight));
            FillRect(dc, &rect, brush.Get());
        } else if (m_brBack != nullptr) {
            FillRect(dc, &rect, m_brBack);
        }
    }
    COLORREF colour = m_crText;
    if (paint.text == RowTextColour::HighlightText) colour = m_crHighlightText;
    if (paint.text == RowTextColour::Disabled) colour = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF oldColour = SetTextColor(dc, colour);
    const int oldMode = SetBkMode(dc, TRANSPARENT);

    const uint16_t icon = RowIconNumber(static_cast<uint32_t>(item.itemData));
    const RowLayout layout = LayoutRow(icon, rect.left, rect.top, m_nIconWidth);
    if (layout.drawIcon) {
        win::UniqueBitmap bitmap(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        BITMAP info{};
        if (bitmap && GetObjectW(bitmap.Get(), sizeof info, &info) != 0) {
            win::MemoryDc source(dc, bitmap.Get());
            // The platform's own transparent copy: importing the small library that only
            // forwards to it would load that library at every start.
            GdiTransparentBlt(dc, layout.iconX, layout.iconY, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth,
                              info.bmHeight, RGB(0, 0, 0));
        }
    }
    TextOutW(dc, layout.textX, layout.textY, Wide(text), static_cast<int>(text.size()));
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
}

}  // namespace tavrel
