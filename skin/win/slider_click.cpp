#include "skin/win/slider_click.h"

#include <windowsx.h>

namespace tavrel {

CClickSlider::~CClickSlider() = default;

bool CClickSlider::Create(const std::wstring& thumbNormal, const std::wstring& thumbOver,
                          const std::wstring& thumbDown, HWND parent, int id, bool horizontal, const RECT& rect) {
    m_strThumb[0] = thumbNormal;
    m_strThumb[1] = thumbOver;
    m_strThumb[2] = thumbDown;
    m_nId = id;
    m_bHorizontal = horizontal;
    m_rcTrack = rect;
    m_hParent = parent;
    // Measured here, then handed to the thumb when it is created.
    m_bmpThumb.Reset(LoadThumbBitmap(thumbNormal));
    if (!m_bmpThumb) return false;
    BITMAP info{};
    GetObjectW(m_bmpThumb.Get(), sizeof(info), &info);
    m_szThumb = {info.bmWidth, info.bmHeight};
    return CreateEx(0, L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void CClickSlider::SetRange(int min, int max) {
    m_nMin = m_thumb.m_nMin = min;
    m_nMax = m_thumb.m_nMax = max;
}

void CClickSlider::SetPos(int v) {
    const bool moved = v != m_nPos;
    m_thumb.SetPos(v);
    m_nPos = v;
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
    // The page moved it (a typed value, a pick in the palette, another profile).
    if (moved) win::NotifyAccessibleChange(Hwnd(), EVENT_OBJECT_VALUECHANGE);
}

AccessibleInfo CClickSlider::Describe() const {
    AccessibleInfo info;
    info.role = AccRole::Slider;
    info.state = kAccFocusable;
    if (m_accDescribe) m_accDescribe(info);
    return info;
}

void CClickSlider::Enable(bool on) {
    if (Hwnd()) EnableWindow(Hwnd(), on);
    if (m_thumb.Hwnd()) EnableWindow(m_thumb.Hwnd(), on);
}

void CClickSlider::Repaint() {
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
    if (m_thumb.Hwnd()) InvalidateRect(m_thumb.Hwnd(), nullptr, FALSE);
}

LRESULT CClickSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (m_access.Handle(Hwnd(), *this, message, wParam, lParam, answer)) return answer;
    switch (message) {
    case WM_CREATE:
        return OnCreate(message, wParam, lParam);
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the track picture covers the whole window
    case slider::kMsgThumbDrag:
        OnThumbDrag(static_cast<int>(lParam));
        return 0;
    case WM_LBUTTONUP:  // a real release on the track, or the one the thumb posts
        PostMessageW(m_hParent, slider::kMsgSliderReleased, 0, m_nId);
        win::NotifyAccessibleChange(Hwnd(), EVENT_OBJECT_VALUECHANGE);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        break;
    default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

LRESULT CClickSlider::OnCreate(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Window::WindowProc(message, wParam, lParam) == -1) return -1;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    m_thumb.Create(std::move(m_bmpThumb), m_strThumb[0], m_strThumb[1], m_strThumb[2], Hwnd(), m_nId,
                   {0, 0, client.right, client.bottom});
    m_thumb.SetPos(0);
    m_thumb.m_bHorizontal = m_bHorizontal;
    return 0;
}

void CClickSlider::OnPaint() {
    win::PaintDc dc(Hwnd());
    RECT client{};
    GetClientRect(Hwnd(), &client);
    win::MemoryDc back(dc, client.right, client.bottom);
    if (m_bmpTrack) {
        win::MemoryDc track(dc, m_bmpTrack.Get());
        BitBlt(back, 0, 0, client.right, client.bottom, track, 0, 0, SRCCOPY);
    }
    const slider::Size fill = slider::TrackFillExtent({m_nMin, m_nMax}, m_bHorizontal, m_nPos,
                                                      {client.right, client.bottom});
    if (m_bmpTrackFill && fill.cx > 0 && fill.cy > 0) {
        win::MemoryDc part(dc, m_bmpTrackFill.Get());
        BitBlt(back, 0, 0, fill.cx, fill.cy, part, 0, 0, SRCCOPY);
    }
    back.CopyTo(dc, client.right, client.bottom);
}

void CClickSlider::OnThumbDrag(int value) {
    m_nPos = slider::TrackPositionFromDrag({m_nMin, m_nMax}, m_bHorizontal, value);
    PostMessageW(m_hParent, slider::kMsgSliderPos, static_cast<WPARAM>(m_nPos), m_nId);
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CClickSlider::OnMouseMove(WPARAM flags, LPARAM lParam) {
    if (flags != MK_LBUTTON) return;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(Hwnd(), m_hParent, &pt, 1);
    const int pos = slider::TrackPositionFromMouse({m_nMin, m_nMax}, pt.x, m_rcTrack.left,
                                                   m_rcTrack.right - m_rcTrack.left);
    PostMessageW(m_hParent, slider::kMsgSliderPos, static_cast<WPARAM>(pos), m_nId);
}

}  // namespace tavrel
