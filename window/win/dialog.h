// Dialogs created from dialog templates, run modally in our own message loop or
// created as child pages (or modeless windows).
//
// WM_CREATE reaches the dialog's WindowProc before WM_INITDIALOG: the object is bound
// by a per-thread creation hook the moment the dialog window exists, so a skinned
// dialog can load its skin in WM_CREATE (see skin/win/skinned_window.h).
//
// A modal dialog:
//     class CDlgExample : public Dialog {        // or SkinnedWindow for a skinned one
//     public:
//         CDlgExample() : Dialog(kExampleTemplateId) {}
//     protected:
//         LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
//             switch (m) {
//             case WM_CREATE: ...; break;            // then fall to the base
//             case WM_COMMAND: if (OnCommand(reinterpret_cast<HWND>(l))) return 0; break;
//             }
//             return Dialog::WindowProc(m, w, l);
//         }
//         BOOL OnInitDialog() override { ...; return TRUE; }
//     };
//     CDlgExample dlg; INT_PTR answer = dlg.DoModal(owner);   // IDOK, IDCANCEL or -1
//   End the run from a handler with EndModal(IDOK) (or OnOK() / OnCancel()).
//
// A child page:
//     class CDlgExamplePage : public Dialog { ... Dialog(kPageTemplateId) ... };
//     page.Create(mainWindowHwnd); SetWindowPos(page.Hwnd(), ..., 1, 100, 785, 267, ...);
//   The page's template should have the style WS_CHILD; it lives until its parent is
//   destroyed (or DestroyWindow).
//
// Keys: every dialog swallows WM_KEYDOWN / WM_KEYUP / WM_SYSKEYDOWN / WM_SYSKEYUP of
// Enter, Escape and Space in its pre-translation, before dialog processing; add more
// with SetSwallowedKeys (F1 for the main window, the waiting and warning dialogs,
// Delete for the macro manager).
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "window/win/window.h"

namespace tavrel::win {

class Dialog : public Window {
public:
    // `templateId`: RT_DIALOG resource of `module` (nullptr: the executable). When the
    // resource does not exist, an empty template (a pop-up or child window without
    // controls, the shape of every template of this program) is used instead.
    explicit Dialog(UINT templateId, HMODULE module = nullptr);

    // Creates the dialog, disables `owner` (when given: nullptr means the active
    // window of this thread, if any), shows the dialog and runs our message loop until
    // EndModal; then enables the owner, destroys the dialog and returns the result:
    // IDOK, IDCANCEL, or -1 when the dialog could not be created or ended with -1.
    // An ending of an outer modal run (or WM_QUIT) also ends this one with IDCANCEL.
    INT_PTR DoModal(HWND owner = nullptr);
    // Ends the modal run with `result` once the current message is handled.
    void EndModal(INT_PTR result);
    bool IsModal() const { return modal_; }

    // Creates the dialog as a child page (template WS_CHILD) or modeless window of
    // `parent`. True when the window exists.
    bool Create(HWND parent);

    // Keys swallowed before dispatch (virtual-key codes); default Enter, Escape, Space.
    void SetSwallowedKeys(std::initializer_list<UINT> keys) { swallowedKeys_.assign(keys); }

    // A modal run normally shows the dialog at once. With this, the run shows it when its
    // thread first has nothing queued (or after a few messages, should the queue never
    // run dry): what the dialog's initialisation posted runs before it is drawn, and a
    // run that ends before then never flashes on the screen.
    void ShowWhenIdle() { showWhenIdle_ = true; }

    // Swallows the listed keys, then lets the dialog manager handle keyboard input for
    // this dialog and its controls (IsDialogMessage).
    bool PreTranslateMessage(MSG& msg) override;

    // Creates a dialog from an in-memory template (used by tests and by the fallback).
    bool CreateIndirect(const DLGTEMPLATE* tmpl, HWND parent);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_INITDIALOG. Return TRUE to let the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // IDOK and IDCANCEL commands (also WM_CLOSE, through the dialog manager).
    virtual void OnOK() { EndModal(IDOK); }
    virtual void OnCancel() { EndModal(IDCANCEL); }

private:
    bool CreateFromTemplate(HWND parent, bool child);
    bool ShouldEnd() const;

    UINT templateId_;
    HMODULE module_;
    std::vector<UINT> swallowedKeys_;
    bool showWhenIdle_ = false;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = -1;
};

// Builds an in-memory dialog template without controls (DLGTEMPLATE followed by empty
// menu, class and title, and the font when DS_SETFONT is in the style).
std::vector<WORD> BuildEmptyDialogTemplate(DWORD style, DWORD exStyle, short cx, short cy,
                                           const wchar_t* title = L"");

}  // namespace tavrel::win
