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
    : CaptureKeyDialog(kKeyAssignTemplate, SkinSource{u"Skins\\skin_swap_key.ini", kFirstString, 406}),
      model_(layout) {}

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
    StartCapture(kKeyAssignFieldId, ES_READONLY, RECT{26, 136, 26 + 115, 136 + 15});
    model_.Initialise();
    ShowField();
    return TRUE;
}

std::u16string CDlgKeyAssi::KeyFieldName() const { return m_lang.Get(402 - kFirstString); }

std::u16string CDlgKeyAssi::AccessibleName() const { return m_lang.Get(400 - kFirstString); }

std::vector<AccessiblePart> CDlgKeyAssi::AccessibleParts() const {
    return {PaintedText(m_lang.Get(401 - kFirstString) + u" " + model_.m_strCurName, RECT{25, 90, 300, 112})};
}

void CDlgKeyAssi::ShowField() { ShowKey(model_.FieldText()); }

void CDlgKeyAssi::OnCapturedKey(uint32_t virtualKey, uint32_t flags) {
    if (model_.OnCapturedKey(virtualKey, flags)) ShowField();
}

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

}  // namespace tavrel
