#include "keys/win/capture_key_dialog.h"

#include "accessibility/win/spoken_words.h"
#include "keys/win/capture_hook.h"
#include "keys/win/key_dialog_buttons.h"

namespace tavrel {

void CaptureKeyDialog::StartCapture(int fieldId, DWORD extraStyle, const RECT& place) {
    m_editKey = KeyFieldOf(Hwnd(), fieldId, extraStyle);
    if (m_editKey) MoveWindow(m_editKey, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
    m_accKey.Attach(m_editKey, [this] { return KeyFieldName(); });
    m_btnClose.m_accDescribe = win::NamedBy(Spoken::Close);
    InstallCaptureHook(Hwnd());
}

void CaptureKeyDialog::ShowKey(const std::u16string& text) { SetFieldText(m_editKey, text); }

LRESULT CaptureKeyDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CAPTURED_KEY:
        OnCapturedKey(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(reinterpret_cast<HWND>(lParam));
        break;  // the framework sees the command as well
    case WM_DESTROY:
        // Keyboard input must come back to the desktop whatever ended the dialog.
        RemoveCaptureHook();
        break;
    default:
        break;
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
