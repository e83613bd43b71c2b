// CClickSlider: the track of a skinned slider. It draws two pictures cut from its
// parent's skin, owns the thumb (CPSlider) and tells its parent, a page, about drags
// (WM_SLIDER_POS) and every release (WM_SLIDER_RELEASED, one per release) with its
// control ID. Positions are reversed: the maximum is at the left or top end.
//
// Use: a by-value member of the page; Create in the page's creation handler, then set
// the range with SetRange, the track pictures with CropBitmap, and the position.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "accessibility/win/accessible_object.h"
#include "skin/win/slider_thumb.h"

namespace tavrel {

inline constexpr UINT WM_SLIDER_POS = slider::kMsgSliderPos;
inline constexpr UINT WM_THUMB_DRAG = slider::kMsgThumbDrag;
inline constexpr UINT WM_SLIDER_RELEASED = slider::kMsgSliderReleased;

class CClickSlider : public win::Window, private win::AccessibleSource {
public:
    CClickSlider() = default;
    ~CClickSlider() override;

    // The three thumb pictures, the parent, the control ID, the orientation (true
    // horizontal) and the track's rectangle in the parent. False when the first thumb
    // picture cannot be loaded or the window cannot be created.
    bool Create(const std::wstring& thumbNormal, const std::wstring& thumbOver, const std::wstring& thumbDown,
                HWND parent, int id, bool horizontal, const RECT& rect);

    // Sets the range of the track and of its thumb.
    void SetRange(int min, int max);
    // Moves the thumb to position v and repaints the track.
    void SetPos(int v);
    // The position the thumb keeps.
    int GetPos() const { return m_thumb.m_nPos; }
    int Id() const { return m_nId; }
    // Enables or disables the track and its thumb together.
    void Enable(bool on);
    // Repaints the track and the thumb.
    void Repaint();

    // ---- fields
    int m_nMin = 0;
    int m_nMax = 10;
    bool m_bHorizontal = true;
    int m_nPos = 0;  // copy of the position, for painting only
    win::UniqueBitmap m_bmpTrack, m_bmpTrackFill;
    CPSlider m_thumb;
    // The name and value a screen reader hears (the label beside the slider and the
    // number the page shows), filled by the page when asked.
    std::function<void(AccessibleInfo&)> m_accDescribe;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnThumbDrag(int value);
    void OnMouseMove(WPARAM flags, LPARAM lParam);

    std::wstring m_strThumb[3];
    win::UniqueBitmap m_bmpThumb;  // the thumb's normal picture until the thumb exists
    SIZE m_szThumb{};
    RECT m_rcTrack{};
    HWND m_hParent = nullptr;
    int m_nId = 0;

    AccessibleInfo Describe() const override;
    win::AccessibleHost m_access;
};

}  // namespace tavrel
