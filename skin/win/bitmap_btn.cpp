#include "skin/win/bitmap_btn.h"

#include <commctrl.h>
#include <windowsx.h>

#include <optional>

#include "accessibility/win/spoken_words.h"
#include "skin/win/skin_image.h"

namespace tavrel {

bool g_bBtnPressed = false;

static_assert(DT_CENTER == kDtCenter && DT_RIGHT == kDtRight && DT_VCENTER == kDtVCenter &&
              DT_WORDBREAK == kDtWordBreak && DT_SINGLELINE == kDtSingleLine && DT_NOPREFIX == kDtNoPrefix &&
              DT_END_ELLIPSIS == kDtEndEllipsis);

CBitmapBtn::~CBitmapBtn() {
    if (m_toolTip && IsWindow(m_toolTip)) DestroyWindow(m_toolTip);
    ReleasePictures();
}

void CBitmapBtn::ReleasePictures() {
    m_bmpNormal.Reset();
    m_bmpOver.Reset();
    m_bmpDown.Reset();
    m_bmpDisabled.Reset();
    m_states = nullptr;
    m_canvas = nullptr;
    m_pBackground = nullptr;
    m_bHover = false;
    g_bBtnPressed = false;
}

bool CBitmapBtn::Create(HWND parent, const RECT& rect) {
    return CreateControl(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent, 0);
}

void CBitmapBtn::PreSubclassWindow() {
    // Buttons made by Create already have the style; changing it anyway costs round
    // trips and messages for each of a page's many buttons.
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_OWNERDRAW) {
        SendMessageW(Hwnd(), BM_SETSTYLE, (LOWORD(style) & ~BS_TYPEMASK) | BS_OWNERDRAW, TRUE);
    }
    const LONG_PTR now = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    if (now & WS_TABSTOP) SetWindowLongPtrW(Hwnd(), GWL_STYLE, now & ~WS_TABSTOP);
}

void CBitmapBtn::SetImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP disabled, const RECT& rect) {
    if (!Hwnd()) return;
    win::WindowDc dc(Hwnd());
    BitmapCropper cropper(dc);
    m_states = nullptr;
    m_canvas = nullptr;
    m_pBackground = nullptr;
    cropper.Crop(m_bmpNormal, normal, rect);
    cropper.Crop(m_bmpOver, over, rect);
    cropper.Crop(m_bmpDown, down, rect);
    cropper.Crop(m_bmpDisabled, disabled, rect);
    DropFrameStyles();
}

void CBitmapBtn::SetImages(StatePictures& states, ButtonCanvas& canvas, const RECT& rect) {
    if (!Hwnd()) return;
    m_bmpNormal.Reset();
    m_bmpOver.Reset();
    m_bmpDown.Reset();
    m_bmpDisabled.Reset();
    m_pBackground = nullptr;
    m_states = &states;
    m_canvas = &canvas;
    states.Add(*this, rect);
    DropFrameStyles();
}

void CBitmapBtn::ShowBackgroundPart(const win::UniqueBitmap& background, const RECT& rect) {
    m_pBackground = &background;
    m_ptInBackground = POINT{rect.left, rect.top};
}

void CBitmapBtn::DropFrameStyles() {
    // A style change is a round trip with two messages: only when there is one to make.
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    if (style & (WS_BORDER | WS_TABSTOP)) SetWindowLongPtrW(Hwnd(), GWL_STYLE, style & ~(WS_BORDER | WS_TABSTOP));
}

void CBitmapBtn::SetCheck(bool state) {
    if (state == m_bChecked) return;
    m_bChecked = state;
    Repaint();
    // The owner set it (a profile or page switched, a key remapped), not a click on it.
    win::NotifyAccessibleChange(Hwnd(), EVENT_OBJECT_STATECHANGE);
    if (state && m_accKind == ButtonKind::PageTab) win::NotifyAccessibleChange(Hwnd(), EVENT_OBJECT_SELECTION);
}

void CBitmapBtn::Repaint() {
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
}

HWND CBitmapBtn::OwnerWindow() const {
    HWND owner = GetWindow(Hwnd(), GW_OWNER);
    return owner ? owner : GetParent(Hwnd());
}

void CBitmapBtn::EnsureToolTip() {
    if (m_toolTip || !Hwnd()) return;
    m_toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (m_toolTip) SendMessageW(m_toolTip, TTM_ACTIVATE, FALSE, 0);
}

void CBitmapBtn::SetTipText(const std::u16string& text) {
    m_strTipText = text;
    if (m_toolTip) ApplyTipText();
}

void CBitmapBtn::ApplyTipText() {
    if (!m_toolTip) return;
    std::wstring copy(m_strTipText.begin(), m_strTipText.end());
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Hwnd();
    tool.uId = 1;
    tool.lpszText = copy.data();
    if (SendMessageW(m_toolTip, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        tool.uFlags = 0;
        GetClientRect(Hwnd(), &tool.rect);
        SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageW(m_toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_toolTip, TTM_ACTIVATE, TRUE, 0);
}

bool CBitmapBtn::PreTranslateMessage(MSG& msg) {
    // Only a button with a tip text has a tooltip to feed, and only the pointer
    // reaching it needs one.
    if (!m_toolTip && !m_strTipText.empty() && msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
        EnsureToolTip();
        ApplyTipText();
    }
    if (m_toolTip) SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    return Window::PreTranslateMessage(msg);
}

bool CBitmapBtn::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

void CBitmapBtn::EnableNow(bool enable) {
    const unsigned before = m_drawings;
    EnableWindow(Hwnd(), enable ? TRUE : FALSE);
    // The platform's button draws itself as it is enabled or disabled: a second drawing
    // right after would only repeat it. One that did not draw is drawn now.
    if (m_drawings == before) RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CBitmapBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    ++m_drawings;
    BtnState state;
    state.toggle = m_bToggle;
    state.checked = m_bChecked;
    state.hover = m_bHover;
    state.selected = (item.itemState & ODS_SELECTED) != 0;
    state.disabled = (item.itemState & ODS_DISABLED) != 0;

    POINT from{0, 0};
    const HBITMAP picture = Picture(ChooseButtonPicture(state), from);

    RECT client{};
    GetClientRect(Hwnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    HDC target = item.hDC;

    if (m_strCaption.empty()) {
        if (!picture) return;  // no skin: nothing to show
        win::MemoryDc source(target, picture);
        BitBlt(target, 0, 0, width, height, source, from.x, from.y, SRCCOPY);
        return;
    }

    std::optional<win::MemoryDc> ownCanvas;
    HDC canvas = m_canvas ? m_canvas->Get(target, width, height) : nullptr;
    if (!canvas) canvas = ownCanvas.emplace(target, width, height).Get();
    if (picture) {
        // A shared canvas holds the last button's pixels; a new one was black.
        if (!ownCanvas) PatBlt(canvas, 0, 0, width, height, BLACKNESS);
        win::MemoryDc source(target, picture);
        BitBlt(canvas, 0, 0, width, height, source, from.x, from.y, SRCCOPY);
    } else {
        FillRect(canvas, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }

    BtnColours colours{m_crText, m_crHover, m_crDisabled, m_crPressed};
    const COLORREF colour = ChooseCaptionColour(state, g_bBtnPressed, colours);
    win::UniqueFont font(CreateFontW(m_nFontHeight, m_nFontWidth, 0, 0, m_nFontWeight, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                     FF_MODERN, reinterpret_cast<const wchar_t*>(m_strFontFace.c_str())));
    const CaptionLayout layout =
        LayoutCaption(SkinRect{0, 0, width, height}, m_nAlign, m_nLeftIndent, m_uLineFormat, m_uVertFormat);
    RECT textRect{layout.rect.left, layout.rect.top, layout.rect.right, layout.rect.bottom};
    {
        win::SelectGuard selectFont(canvas, font.Get());
        const int oldMode = SetBkMode(canvas, TRANSPARENT);
        const COLORREF oldColour = SetTextColor(canvas, colour);
        DrawTextW(canvas, reinterpret_cast<const wchar_t*>(m_strCaption.c_str()),
                  static_cast<int>(m_strCaption.size()), &textRect, layout.format);
        SetTextColor(canvas, oldColour);
        SetBkMode(canvas, oldMode);
    }
    BitBlt(target, 0, 0, width, height, canvas, 0, 0, SRCCOPY);
}

HBITMAP CBitmapBtn::Picture(BtnPicture which, POINT& origin) {
    origin = POINT{0, 0};
    if (which == BtnPicture::Normal && !m_bmpNormal && m_pBackground && *m_pBackground) {
        origin = m_ptInBackground;
        return m_pBackground->Get();
    }
    auto held = [&]() -> HBITMAP {
        switch (which) {
        case BtnPicture::Normal: return m_bmpNormal.Get();
        case BtnPicture::Over: return m_bmpOver.Get();
        case BtnPicture::Down: return m_bmpDown.Get();
        case BtnPicture::Disabled: return m_bmpDisabled.Get();
        }
        return nullptr;
    };
    if (!held() && m_states) m_states->Cut(which);
    return held();
}

void CBitmapBtn::OnMouseMove(UINT flags, int x, int y) {
    // A press that began elsewhere neither highlights this button nor reaches the parent.
    if ((flags & MK_LBUTTON) && !m_bHover) return;

    HWND active = GetActiveWindow();
    HWND owner = OwnerWindow();
    if (GetCapture() != Hwnd() && active && owner) {
        m_bHover = true;
        SetCapture(Hwnd());
        Repaint();
        SetActiveWindow(Hwnd());
    } else {
        POINT screen{x, y};
        ClientToScreen(Hwnd(), &screen);
        HWND under = WindowFromPoint(screen);
        const bool left = (under && under != Hwnd()) || x < 0;
        if (left) {
            if (m_bHover) {
                m_bHover = false;
                g_bBtnPressed = false;
                Repaint();
            }
            if (!(flags & MK_LBUTTON)) ReleaseCapture();
        }
    }

    if (!Hwnd()) return;
    POINT screen{x, y};
    ClientToScreen(Hwnd(), &screen);
    PostMessageW(GetParent(Hwnd()), WM_MOUSEMOVE, flags, MAKELPARAM(screen.x, screen.y));
}

void CBitmapBtn::OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND owner = OwnerWindow();
    if (owner != GetActiveWindow()) SetActiveWindow(owner);
    g_bBtnPressed = true;
    Repaint();
    DefaultProc(message, wParam, lParam);
}

void CBitmapBtn::OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND self = Hwnd();
    HWND parent = GetParent(self);
    if (m_bToggle) {
        m_bChecked = !m_bChecked;
        // The platform's release is skipped, so take back its pressed look ourselves.
        SendMessageW(self, BM_SETSTATE, FALSE, 0);
        Repaint();
        const int id = GetDlgCtrlID(self);
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(self));
    } else {
        DefaultProc(message, wParam, lParam);
    }
    // The command may have destroyed the button (a dialog that ended); the parent
    // still learns of the release.
    PostMessageW(parent, WM_LBUTTONUP, 0, 0);
    g_bBtnPressed = false;
    if (IsWindow(self)) Repaint();
}

void CBitmapBtn::OnCaptureChanged(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_bHover) {
        ReleaseCapture();
        Repaint();
    }
    DefaultProc(message, wParam, lParam);
}

AccessibleInfo CBitmapBtn::Describe() const {
    AccessibleInfo info = DescribeButton(m_accKind, m_strCaption.empty() ? m_strAccName : m_strCaption, m_bChecked,
                                         IsWindowEnabled(Hwnd()) != FALSE, win::SpokenWord(Spoken::Press),
                                         win::SpokenWord(Spoken::Select));
    if (m_accDescribe) m_accDescribe(info);
    return info;
}

bool CBitmapBtn::DoDefaultAction() {
    return Hwnd() && PostMessageW(Hwnd(), BM_CLICK, 0, 0);
}

LRESULT CBitmapBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (m_access.Handle(Hwnd(), *this, message, wParam, lParam, answer)) return answer;
    switch (message) {
    case WM_ERASEBKGND:
        return 0;
    case WM_MOUSEMOVE:
        DefaultProc(message, wParam, lParam);
        OnMouseMove(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(message, wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        // The second of two quick clicks is a click of its own (Record, then Stop): an
        // owner-drawn button would only report it as a double click, which nobody reads.
        OnLButtonDown(WM_LBUTTONDOWN, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(message, wParam, lParam);
        return 0;
    case WM_KILLFOCUS:
        DefaultProc(message, wParam, lParam);
        m_bHover = false;
        Repaint();
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(message, wParam, lParam);
        return 0;
    case WM_DESTROY:
        ReleasePictures();
        m_toolTip = nullptr;  // owned by this window, destroyed with it
        break;
    default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
