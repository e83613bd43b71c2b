// CBitmapBtn: the one push button of the program. Its look comes from four state
// pictures cut out of the owning window's skin; it can draw a caption, highlights
// itself while the mouse is over it by holding the mouse capture, can be a two-state
// toggle, shows an optional tooltip and forwards mouse moves (screen coordinates) and
// left-button releases to its parent.
//
// Use: a by-value member of its window, created by the window's skin loading
// (SkinBuilder::CreateButton, skinned_window.h) with control ID 0. The window sets the
// public fields right after creation and recognises the button in WM_COMMAND by
// comparing lParam with Hwnd().
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "accessibility/accessible_info.h"
#include "accessibility/win/accessible_object.h"
#include "skin/bitmap_btn_model.h"
#include "skin/win/button_canvas.h"
#include "skin/win/skin_image.h"
#include "skin/win/state_pictures.h"
#include "window/win/handles.h"
#include "window/win/window.h"

namespace tavrel {

// The left button went down on a skinned button and has not come up yet (shared by
// every button: it only picks the caption colour of a hovered button).
extern bool g_bBtnPressed;

class CBitmapBtn : public win::Window, private win::AccessibleSource {
public:
    CBitmapBtn() = default;
    ~CBitmapBtn() override;

    // Empty caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, control ID 0.
    bool Create(HWND parent, const RECT& rect);

    // Cuts the four state pictures out of the window's full-size state images at
    // `rect` (the button's place in the window).
    void SetImages(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP disabled, const RECT& rect);
    // The button's pictures come from the window's `states`, at `rect`: the normal one
    // once the window has read its background, the other three when first shown. The
    // caption is drawn in the window's `canvas`.
    void SetImages(StatePictures& states, ButtonCanvas& canvas, const RECT& rect);
    // The normal picture is the part of the window's `background` at `rect`, drawn
    // from there rather than cut (for a window that draws nothing on its background).
    // `background` is the window's own, which outlives its buttons.
    void ShowBackgroundPart(const win::UniqueBitmap& background, const RECT& rect);
    // Stores the state and repaints, only when it changes.
    void SetCheck(bool state);
    bool GetCheck() const { return m_bChecked; }
    // Enables or disables the button and shows its new look at once.
    void EnableNow(bool enable);
    // The tip shown on hover. The tooltip window itself is made when the pointer first
    // reaches the button: a window per button up front is most of a page's creation.
    void SetTipText(const std::u16string& text);

    bool PreTranslateMessage(MSG& msg) override;

    // ---- fields, set by the owning window right after creation
    win::UniqueBitmap m_bmpNormal, m_bmpOver, m_bmpDown, m_bmpDisabled;
    std::u16string m_strCaption;
    int m_nAlign = 0;  // 0 centred, 1 left with indent, other right
    int m_nLeftIndent = 0;
    UINT m_uLineFormat = DT_SINGLELINE;
    UINT m_uVertFormat = DT_VCENTER;
    std::u16string m_strFontFace = u"Arial";
    int m_nFontHeight = 13;
    int m_nFontWidth = 0;
    int m_nFontWeight = 400;
    COLORREF m_crText = RGB(163, 25, 48);
    COLORREF m_crHover = RGB(55, 55, 55);
    COLORREF m_crDisabled = RGB(255, 255, 255);
    COLORREF m_crPressed = RGB(255, 255, 255);
    bool m_bToggle = false;
    bool m_bChecked = false;
    bool m_bHover = false;
    StatePictures* m_states = nullptr;  // the window's, while the button exists
    ButtonCanvas* m_canvas = nullptr;   // the window's; none: a picture of its own at each drawing
    HWND m_toolTip = nullptr;  // created on the first mouse message with a tip text; owned by the button window
    std::u16string m_strTipText;

    // ---- what a screen reader hears, set by the owning window and read when asked: the
    // caption (or m_strAccName for a button that draws none), the kind's role and the
    // check state; m_accDescribe, when set, adds what the owner's model knows (a key's
    // name and assignment).
    ButtonKind m_accKind = ButtonKind::Push;
    std::u16string m_strAccName;
    std::function<void(AccessibleInfo&)> m_accDescribe;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PreSubclassWindow() override;
    void DrawItem(const DRAWITEMSTRUCT& item);

private:
    unsigned m_drawings = 0;  // DrawItem calls so far
    void OnMouseMove(UINT flags, int x, int y);
    void OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCaptureChanged(UINT message, WPARAM wParam, LPARAM lParam);
    void Repaint();
    HWND OwnerWindow() const;
    void EnsureToolTip();
    void ApplyTipText();
    void ReleasePictures();
    void DropFrameStyles();
    // The picture of a state, and where in it the button's pixels start.
    HBITMAP Picture(BtnPicture which, POINT& origin);

    // ---- AccessibleSource
    AccessibleInfo Describe() const override;
    // A click, posted: the platform button's own click runs the same handlers as the mouse.
    bool DoDefaultAction() override;

    const win::UniqueBitmap* m_pBackground = nullptr;  // see ShowBackgroundPart
    win::AccessibleHost m_access;
    POINT m_ptInBackground{};
};

}  // namespace tavrel
