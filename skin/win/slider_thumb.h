// CPSlider: the thumb of a skinned slider, a small child window of its track shaped
// like its picture, which the user drags. It keeps the slider's position; the track
// (CClickSlider) relays its drag and its release to the page.
#pragma once

#include <windows.h>

#include <string>

#include "skin/slider_geometry.h"
#include "window/win/handles.h"
#include "window/win/window.h"

namespace tavrel {

class CPSlider : public win::Window {
public:
    CPSlider() = default;
    ~CPSlider() override;

    // Loads the three pictures (normal, mouse over, dragging) and creates the thumb
    // centred on the travel's origin as a child of `track`. False when the first
    // picture cannot be loaded. A state whose file is the normal picture's shows the
    // normal picture; the file is not loaded again.
    bool Create(const std::wstring& normal, const std::wstring& over, const std::wstring& down, HWND track,
                int id, const slider::Travel& travel);
    // The same with the normal picture already loaded from `normal`.
    bool Create(win::UniqueBitmap normalPicture, const std::wstring& normal, const std::wstring& over,
                const std::wstring& down, HWND track, int id, const slider::Travel& travel);

    // Moves the thumb to the place of position v (out-of-range values, compared as
    // unsigned numbers, become m_nMin) and repaints it.
    void SetPos(int v);

    slider::Range Range() const { return {m_nMin, m_nMax}; }
    SIZE ThumbSize() const { return m_szThumb; }
    // The thumb's rectangle in its track's client coordinates.
    RECT RectInTrack() const;

    // ---- fields; the owner sets the range directly
    int m_nMin = 0;
    int m_nMax = 10;
    int m_nPos = 0;
    bool m_bHorizontal = true;
    int m_nThumbState = 1;  // 1 normal, 2 mouse over, 3 dragging
    bool m_bDragging = false;
    POINT m_ptDragStart{};
    win::UniqueBitmap m_bmpThumbNormal, m_bmpThumbOver, m_bmpThumbDown;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void OnMouseMove(int x, int y);
    void OnLButtonUp();
    void SetState(int state);
    void ApplyShape();

    int m_nId = 0;
    HWND m_hTrack = nullptr;
    slider::Travel m_rcTravel;
    SIZE m_szThumb{};
};

// Loads a bitmap file as a device-independent section (nullptr when it fails).
HBITMAP LoadThumbBitmap(const std::wstring& path);

}  // namespace tavrel
