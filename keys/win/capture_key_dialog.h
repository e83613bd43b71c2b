// What the key assignment and shortcut dialogs share: a skinned modal dialog that takes
// keystrokes from the capture hook while it is open, shows the key in a field of its
// own and has OK, Cancel and close buttons. The hook is removed whatever ends it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "accessibility/win/named_edit.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

class CaptureKeyDialog : public SkinnedWindow {
public:
    HWND OkButton() const { return m_btnOK.Hwnd(); }
    HWND CancelButton() const { return m_btnCancel.Hwnd(); }
    HWND CloseButton() const { return m_btnClose.Hwnd(); }
    HWND KeyField() const { return m_editKey; }

protected:
    CaptureKeyDialog(UINT templateId, const SkinSource& source) : SkinnedWindow(templateId, source) {}

    // Takes the key field `fieldId` from the template (or makes it, with `extraStyle`),
    // puts it at `place` and sends every keystroke of the desktop to this dialog.
    void StartCapture(int fieldId, DWORD extraStyle, const RECT& place);
    void ShowKey(const std::u16string& text);

    // A keystroke reported by the capture hook: virtual key and its flags.
    virtual void OnCapturedKey(uint32_t virtualKey, uint32_t flags) = 0;
    // A button sent WM_COMMAND; true when it was one of the dialog's.
    virtual bool OnCommand(HWND sender) = 0;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The key field's name for a screen reader (the label painted beside it).
    virtual std::u16string KeyFieldName() const = 0;

    CBitmapBtn m_btnOK, m_btnCancel, m_btnClose;
    HWND m_editKey = nullptr;  // a child of the dialog; destroyed with it
    win::NamedEdit m_accKey;
};

}  // namespace tavrel
