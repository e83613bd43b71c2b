// SkinnedWindow: the base of every skinned window of the program (main window, pages,
// dialogs). It runs the creation sequence in WM_CREATE (language strings, skin,
// outline), paints double-buffered from the background picture, optionally refuses
// background erasing, drags the top-level window on a press outside any control, and
// releases its pictures on WM_DESTROY.
//
// Deriving a skinned window:
//     class CDlgWarning : public SkinnedWindow {
//     public:
//         CDlgWarning() : SkinnedWindow(130, SkinSource{u"Skins\\skin_reset_warn.ini", 700, 704}) {
//             SetSwallowedKeys({VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1});
//         }
//     protected:
//         void CreateSkinControls(SkinBuilder& skin) override {
//             skin.CreateButton(m_btnOK, 1);            // BUTTONPOS key "1"
//             m_btnOK.m_strCaption = m_lang.Get(2);     // then window-specific settings
//         }
//         void PaintSkin(HDC dc) override {            // draws into the background picture
//             auto font = CreateSkinFont(18, 800);
//             DrawSkinText(dc, m_lang.Get(0), RECT{21, 9, 255, 30}, DT_LEFT | DT_TOP | DT_WORDBREAK, font.Get());
//         }
//         LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
//             switch (m) {
//             case WM_COMMAND:
//                 if (reinterpret_cast<HWND>(l) == m_btnOK.Hwnd()) { EndModal(IDOK); return 0; }
//                 break;
//             }
//             return SkinnedWindow::WindowProc(m, w, l);   // creation, paint, drag, destroy
//         }
//     private:
//         CBitmapBtn m_btnOK;
//     };
//   Run it with DoModal(owner); a page uses SkinDrag::Parent, erase as its Part says,
//   and Create(mainWindow).
//
// A picture the layout file names that is missing or cannot be decoded fails the
// creation (WM_CREATE answers -1) after a message box that names the file. A missing
// layout file or language library does not: the window keeps its template size, buttons
// get no pictures (and a zero rectangle when their entry is missing), texts are empty.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "accessibility/win/accessible_object.h"
#include "config/ini_file.h"
#include "skin/lang_table.h"
#include "skin/skin_item.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/state_pictures.h"
#include "window/win/dialog.h"
#include "window/win/handles.h"

namespace tavrel {

// How a press on the window's own surface moves the top-level window.
enum class SkinDrag {
    Self,    // top-level windows: WM_NCLBUTTONDOWN / HTCAPTION posted to themselves
    Parent,  // pages: posted to the parent window
    None,    // the waiting dialog does not move
};

struct SkinSource {
    const char16_t* layoutFile = u"";  // relative to the program folder, e.g. u"Skins\\skin_wait.ini"
    int firstString = 0;               // language range; none when lastString < firstString
    int lastString = -1;
    bool eraseBackground = true;        // false: WM_ERASEBKGND answers 0
    SkinDrag drag = SkinDrag::Self;
    const char16_t* disabledKey = u"Disabled";  // the main window's file says "Disable"
    const char16_t* imageFolder = u"Skins\\";   // the main window names it "skins\\"
    // A window created hidden that may not be shown in a session (a page) reads its
    // background, and gives its buttons their normal pictures, when it is first shown.
    // That the file is there and whole is still checked at creation.
    bool picturesWhenShown = false;
    // The window draws nothing on its background (no PaintSkin): its buttons draw their
    // normal look straight from it instead of each keeping a copy of their part.
    bool buttonsShowBackground = false;
};

// Reads a window's layout file during its skin loading and creates its buttons.
class SkinBuilder {
public:
    // The parsed "BUTTONPOS" entry with this decimal key (zero rectangle when absent).
    SkinItem Entry(int key) const;
    // Whether the layout file places any button: a window without one never shows a
    // state picture.
    bool PlacesButtons() const { return layout_.EntryCount(u"BUTTONPOS") > 0; }
    // Any value of the layout file (empty when missing).
    std::u16string Value(std::u16string_view section, std::u16string_view key) const {
        return layout_.GetString(section, key, u"");
    }
    static RECT ToRect(const SkinRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }
    // Creates `button` at the entry's rectangle with control ID 0; its pictures come
    // from the window's state pictures. Returns the rectangle.
    RECT CreateButton(CBitmapBtn& button, int key);
    HWND Parent() const { return parent_; }

private:
    friend class SkinnedWindow;
    // The layout file is read once here; every entry comes from memory.
    SkinBuilder(HWND parent, std::u16string layoutPath) : parent_(parent), layout_(std::move(layoutPath)) {}

    HWND parent_;
    CIniFile layout_;
    StatePictures* states_ = nullptr;
    ButtonCanvas* canvas_ = nullptr;
};

// Something a window paints that a screen reader should hear: a text, the palette.
struct AccessiblePart {
    AccessibleInfo info;
    RECT rect{};  // in the window's client area
};
AccessiblePart PaintedText(std::u16string text, const RECT& rect);

class SkinnedWindow : public win::Dialog, private win::AccessibleSource {
public:
    SkinnedWindow(UINT templateId, const SkinSource& desc, HMODULE module = nullptr);

    const LangTable& Lang() const { return m_lang; }
    HBITMAP Background() const { return m_bmpBack.Get(); }

    // A page's name for a screen reader, given by the window that shows it (the caption
    // of its page button).
    std::function<std::u16string()> m_accName;

protected:
    // Handles WM_CREATE (creation sequence), WM_PAINT, WM_ERASEBKGND, WM_LBUTTONDOWN
    // (drag) and WM_DESTROY, then the dialog's default handling.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Step 2 of the creation: fills m_lang from the range. The main window overrides
    // it to fill its second table too.
    virtual void LoadLanguage();
    // Step 5/6 of loading the skin: create the window's buttons (in its key order) and
    // place its other controls. Default: none.
    virtual void CreateSkinControls(SkinBuilder& skin);
    // Draws the window's texts, swatches and indicators into `dc`, which holds the
    // background picture (the drawing stays in it). Default: nothing.
    virtual void PaintSkin(HDC dc);
    // Cuts the window's own pictures from the background picture, once it is read: at
    // creation after CreateSkinControls, or at first show (picturesWhenShown). Not
    // called when there is no background. Default: nothing.
    virtual void CutFromBackground(HDC dc);

    // The creation sequence alone, for windows that handle WM_CREATE themselves:
    // default creation, language, skin, outline. Returns 0 or -1.
    LRESULT RunSkinnedCreate(WPARAM wParam, LPARAM lParam);

    // A screen reader hears the window as a dialog named by its title (or, without one,
    // by the heading it paints) or, for a page, as a property page; its children are its
    // child windows, then the parts it paints.
    virtual std::u16string AccessibleName() const;
    virtual std::vector<AccessiblePart> AccessibleParts() const { return {}; }

    LangTable m_lang;
    // The outline made from the mask picture, until the window takes it.
    win::UniqueRegion m_outline;
    win::UniqueBitmap m_bmpBack;
    // The background's file while its reading waits for the first show.
    std::u16string m_strPendingBack;
    SkinSource m_skinSpec;
    // The buttons' over, down and disabled pictures, cut when first shown. Declared in
    // the base so that it outlives the buttons, which are the derived window's members.
    std::unique_ptr<StatePictures> m_statePictures;
    // The picture the buttons draw their captions in; declared here for the same reason.
    ButtonCanvas m_buttonCanvas;

private:
    // ---- AccessibleSource
    AccessibleInfo Describe() const override;
    bool ListsChildWindows() const override { return true; }
    int PartCount() const override { return static_cast<int>(AccessibleParts().size()); }
    AccessibleInfo DescribePart(int index) const override;
    RECT PartRect(int index) const override;

    win::AccessibleHost m_access;

    // The full path of the first picture the layout file names that could not be
    // read (the window then gets no controls), or empty.
    std::u16string LoadSkin();
    // Reads the background whose reading was left for the first show.
    void ReadPendingBackground();
    // Gives the buttons their normal pictures and the window its own cuts, once the
    // background is read.
    void UseBackground();
    // A picture found unreadable after creation (each is found once) is named in the
    // same message as at creation, once the showing or drawing that found it is over.
    void ReportLater(const std::u16string& path);
    void ReportUnreadablePictures();

    // Pictures found unreadable and not yet reported.
    std::vector<std::u16string> m_unreadablePictures;
    HWND MessageOwner() const;
    void BuildOutline();
    void OnPaint();
    void OnLButtonDown(LPARAM lParam);
};

// ---- text drawing shared by the skinned windows

// "Arial" (or `face`) as the skinned windows create it: width 0, DEFAULT_CHARSET,
// CLEARTYPE_QUALITY, FF_MODERN.
win::UniqueFont CreateSkinFont(int height, int weight = 400, const wchar_t* face = L"Arial");

// Draws `text` into `rect` with a transparent background in `colour` (default the
// skin's accent RGB(163, 25, 48)); restores the DC's font, colour and mode.
void DrawSkinText(HDC dc, std::u16string_view text, RECT rect, UINT format, HFONT font,
                  COLORREF colour = RGB(163, 25, 48));

}  // namespace tavrel
