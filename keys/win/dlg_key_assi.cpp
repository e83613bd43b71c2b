#include "keys/win/dlg_key_assi.h"

#include "keys/win/capture_hook.h"
#include "keys/win/key_dialog_buttons.h"

namespace tavrel {

namespace {

// Language strings 400 to 406: index 0 the instruction, 1 the current key's label,
// 3 to 5 the button captions (2 and 6 are not shown).
constexpr int kFirstString = 400;

}  // namespace

CDlgKeyAssi::CDlgKeyAssi(const KeyboardLayout& layout)
    : SkinnedWindow(kKeyAssignTemplate, SkinSource{u"Skins\\skin_swap_key.ini", kFirstString, 406}), model_(layout) {}

void CDlgKeyAssi::CreateSkinControls(SkinBuilder& skin) {
    skin.CreateButton(m_btnOK, 2);
    skin.CreateButton(m_btnCancel, 3);
    skin.CreateButton(m_btnDefault, 5);
    skin.CreateButton(m_btnClose, 4);
    StyleDialogButton(m_btnOK, m_lang.Get(404 - kFirstString));
    StyleDialogButton(m_btnCancel, m_lang.Get(405 - kFirstString));
    StyleDialogButton(m_btnDefault, m_lang.Get(403 - kFirstString));
}

BOOL CDlgKeyAssi::OnInitDialog() {
    m_editKey = KeyFieldOf(Hwnd(), kKeyAssignFieldId, ES_READONLY);
    if (m_editKey) MoveWindow(m_editKey, 26, 136, 115, 15, TRUE);
    InstallCaptureHook(Hwnd());
    model_.Initialise();
    ShowField();
    return TRUE;
}

void CDlgKeyAssi::ShowField() { SetFieldText(m_editKey, model_.FieldText()); }

bool CDlgKeyAssi::OnCommand(HWND sender) {
    if (!sender) return false;
    if (sender == m_btnOK.Hwnd()) {
        RemoveCaptureHook();
        EndModal(IDOK);
    } else if (sender == m_btnCancel.Hwnd()) {
        EndModal(IDCANCEL);
    } else if (sender == m_btnClose.Hwnd()) {
        EndModal(-1);
    } else if (sender == m_btnDefault.Hwnd()) {
        if (model_.OnDefault()) ShowField();
    } else {
        return false;
    }
    return true;
}

void CDlgKeyAssi::PaintSkin(HDC dc) {
    const win::UniqueFont font = CreateSkinFont(17, 400);
    const UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP;
    DrawSkinText(dc, m_lang.Get(400 - kFirstString), RECT{25, 33, 302, 57}, format, font.Get(), kKeyDialogText);
    DrawSkinText(dc, m_lang.Get(401 - kFirstString), RECT{25, 90, 210, 112}, format, font.Get(), kKeyDialogText);
    DrawSkinText(dc, model_.m_strCurName, RECT{210, 90, 300, 112}, format, font.Get(), kKeyDialogName);
}

LRESULT CDlgKeyAssi::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CAPTURED_KEY:
        if (model_.OnCapturedKey(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam))) ShowField();
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
