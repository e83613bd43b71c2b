#include "skin/win/slider_thumb.h"

#include <windowsx.h>

#include <vector>

namespace tavrel {

HBITMAP LoadThumbBitmap(const std::wstring& path) {
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

namespace {

SIZE BitmapSize(HBITMAP bmp) {
    BITMAP info{};
    if (!bmp || !GetObjectW(bmp, sizeof(info), &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

// The picture's pixels as 0x00RRGGBB, top row first.
std::vector<uint32_t> TopDownPixels(HBITMAP bmp, SIZE size) {
    std::vector<uint32_t> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = size.cx;
    bi.bmiHeader.biHeight = -size.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    win::WindowDc screen(nullptr);
    if (pixels.empty() || GetDIBits(screen, bmp, 0, static_cast<UINT>(size.cy), pixels.data(), &bi, DIB_RGB_COLORS) == 0)
        pixels.clear();
    return pixels;
}

}  // namespace

CPSlider::~CPSlider() = default;

bool CPSlider::Create(const std::wstring& normal, const std::wstring& over, const std::wstring& down, HWND track,
                      int id, const slider::Travel& travel) {
    return Create(win::UniqueBitmap(LoadThumbBitmap(normal)), normal, over, down, track, id, travel);
}

bool CPSlider::Create(win::UniqueBitmap normalPicture, const std::wstring& normal, const std::wstring& over,
                      const std::wstring& down, HWND track, int id, const slider::Travel& travel) {
    m_nId = id;
    m_rcTravel = travel;
    m_hTrack = track;
    m_nMin = 0;
    m_nMax = 10;
    m_nThumbState = 1;
    m_bDragging = false;

    m_bmpThumbNormal = std::move(normalPicture);
    if (!m_bmpThumbNormal) return false;
    // Painting falls back to the normal picture where a state has none.
    m_bmpThumbOver.Reset(over == normal ? nullptr : LoadThumbBitmap(over));
    m_bmpThumbDown.Reset(down == normal ? nullptr : LoadThumbBitmap(down));
    m_szThumb = BitmapSize(m_bmpThumbNormal.Get());

    const slider::Rect r = slider::InitialThumbRect(travel, {m_szThumb.cx, m_szThumb.cy});
    if (!CreateEx(0, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, r.left, r.top, r.Width(), r.Height(), track,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
        return false;
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    ApplyShape();
    return true;
}

// Every pixel of the top-left pixel's colour is cut away, for the mouse and the screen.
void CPSlider::ApplyShape() {
    const std::vector<uint32_t> pixels = TopDownPixels(m_bmpThumbNormal.Get(), m_szThumb);
    if (pixels.empty()) return;
    win::UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    for (const slider::Rect& run : slider::ThumbShapeRuns(pixels.data(), m_szThumb.cx, m_szThumb.cy)) {
        win::UniqueRegion piece(CreateRectRgn(run.left, run.top, run.right, run.bottom));
        CombineRgn(shape.Get(), shape.Get(), piece.Get(), RGN_OR);
    }
    if (SetWindowRgn(Hwnd(), shape.Get(), TRUE)) shape.Release();  // the window owns it now
}

void CPSlider::SetPos(int v) {
    m_nPos = slider::NormalisePosition(v, Range());
    const slider::Point p =
        slider::ThumbOrigin(m_rcTravel, {m_szThumb.cx, m_szThumb.cy}, Range(), m_nPos, m_bHorizontal);
    if (!Hwnd()) return;
    MoveWindow(Hwnd(), p.x, p.y, m_szThumb.cx, m_szThumb.cy, TRUE);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

RECT CPSlider::RectInTrack() const {
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    MapWindowPoints(nullptr, m_hTrack, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LRESULT CPSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the picture covers the whole window
    case WM_LBUTTONDOWN:
        SetCapture(Hwnd());
        m_ptDragStart = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        m_bDragging = true;
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_LBUTTONUP:
        OnLButtonUp();
        break;
    default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

void CPSlider::OnPaint() {
    win::PaintDc dc(Hwnd());
    HBITMAP picture = m_nThumbState == 2   ? m_bmpThumbOver.Get()
                      : m_nThumbState == 3 ? m_bmpThumbDown.Get()
                                           : m_bmpThumbNormal.Get();
    if (!picture) picture = m_bmpThumbNormal.Get();
    win::MemoryDc back(dc, m_szThumb.cx, m_szThumb.cy);
    win::MemoryDc source(dc, picture);
    BitBlt(back, 0, 0, m_szThumb.cx, m_szThumb.cy, source, 0, 0, SRCCOPY);
    back.CopyTo(dc, m_szThumb.cx, m_szThumb.cy);
}

void CPSlider::SetState(int state) {
    if (m_nThumbState == state) return;
    m_nThumbState = state;
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CPSlider::OnMouseMove(int x, int y) {
    // Highlight only while the slider's page is the active window itself; a page
    // inside the main window is never active, so its thumbs never highlight.
    HWND active = GetActiveWindow();
    if (GetCapture() != Hwnd() && active && active == GetParent(m_hTrack)) {
        m_nThumbState = 2;
        SetCapture(Hwnd());
        InvalidateRect(Hwnd(), nullptr, FALSE);
    } else {
        POINT screen{x, y};
        ClientToScreen(Hwnd(), &screen);
        HWND under = WindowFromPoint(screen);
        if (under && under != Hwnd() && m_nThumbState != 1) {
            m_nThumbState = 1;
            if (!m_bDragging) ReleaseCapture();
            InvalidateRect(Hwnd(), nullptr, FALSE);
        }
    }
    if (!m_bDragging) return;

    SetState(3);
    const RECT r = RectInTrack();
    const slider::DragStep step =
        slider::Drag(m_rcTravel, Range(), m_bHorizontal, {r.left, r.top, r.right, r.bottom},
                     x - m_ptDragStart.x, y - m_ptDragStart.y);
    PostMessageW(m_hTrack, slider::kMsgThumbDrag, 0, step.value);
    SetWindowPos(Hwnd(), nullptr, step.origin.x, step.origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPSlider::OnLButtonUp() {
    m_bDragging = false;
    if (GetCapture() == Hwnd()) ReleaseCapture();
    m_nThumbState = 1;
    InvalidateRect(Hwnd(), nullptr, FALSE);

    const RECT r = RectInTrack();
    m_nPos = slider::ReleasePosition(m_rcTravel, Range(), m_bHorizontal, {r.left, r.top, r.right, r.bottom});
    PostMessageW(m_hTrack, WM_LBUTTONUP, 0, 0);
}

}  // namespace tavrel
