#include "keys/win/dlg_shortcut.h"

#include "keys/win/key_dialog_buttons.h"

namespace tavrel {

namespace {

// Language strings 600 to 608: the title, the four modifier labels, the key label, the
// no-modifier label and the two button captions.
constexpr int kFirstString = 600;

const std::u16string& Text(const LangTable& lang, int number) {
    return lang.Get(static_cast<size_t>(number - kFirstString));
}

}  // namespace

CDlgShortCut::CDlgShortCut(const KeyboardLayout& layout)
    : CaptureKeyDialog(kShortcutTemplate, SkinSource{u"Skins\\skin_Shortcut.ini", kFirstString, 608}),
      model_(layout) {}

void CDlgShortCut::CreateSkinControls(SkinBuilder& skin) {
    skin.CreateButton(m_btnOK, 2);
    skin.CreateButton(m_btnCancel, 3);
    skin.CreateButton(m_btnClose, 4);
    for (int i = 0; i < kShortcutToggles; ++i) skin.CreateButton(m_btnToggle[static_cast<size_t>(i)], i + 6);
    StyleDialogButton(m_btnOK, Text(m_lang, 607));
    StyleDialogButton(m_btnCancel, Text(m_lang, 608));
    for (CBitmapBtn& toggle : m_btnToggle) toggle.m_bToggle = true;
    // Each switch is named by the label painted beside it: Ctrl, Shift, Alt, Win, none.
    constexpr int kToggleNames[kShortcutToggles] = {601, 602, 603, 604, 606};
    for (int i = 0; i < kShortcutToggles; ++i) {
        CBitmapBtn& toggle = m_btnToggle[static_cast<size_t>(i)];
        toggle.m_accKind = ButtonKind::Check;
        toggle.m_strAccName = Text(m_lang, kToggleNames[i]);
    }
}

std::u16string CDlgShortCut::KeyFieldName() const { return Text(m_lang, 605); }

BOOL CDlgShortCut::OnInitDialog() {
    StartCapture(kShortcutFieldId, 0, RECT{105, 120, 105 + 71, 120 + 12});
    model_.Initialise();
    ShowKey(model_.FieldText());
    ShowToggles();
    return TRUE;
}

void CDlgShortCut::ShowToggles() {
    const auto states = model_.ShowToggles();
    for (size_t i = 0; i < states.size(); ++i) {
        m_btnToggle[i].SetCheck(states[i].selected);  // repaints only on a change
        if (m_btnToggle[i].Hwnd()) EnableWindow(m_btnToggle[i].Hwnd(), states[i].enabled ? TRUE : FALSE);
    }
}

bool CDlgShortCut::OnCommand(HWND sender) {
    if (!sender) return false;
    if (sender == m_btnOK.Hwnd()) {
        EndModal(IDOK);
        return true;
    }
    if (sender == m_btnCancel.Hwnd() || sender == m_btnClose.Hwnd()) {
        EndModal(IDCANCEL);
        return true;
    }
    for (int i = 0; i < kShortcutToggles; ++i) {
        const CBitmapBtn& toggle = m_btnToggle[static_cast<size_t>(i)];
        if (sender == toggle.Hwnd()) {
            // The toggle has flipped its own state already.
            model_.OnToggleClicked(i, toggle.GetCheck());
            ShowToggles();
            return true;
        }
    }
    return false;
}

void CDlgShortCut::PaintSkin(HDC dc) {
    const win::UniqueFont title = CreateSkinFont(18, 700);
    DrawSkinText(dc, Text(m_lang, 600), RECT{5, 26, 261, 43}, DT_CENTER | DT_WORDBREAK, title.Get(), kKeyDialogText);
    const win::UniqueFont labels = CreateSkinFont(14, 400);
    const struct { int number; int x, y; } texts[] = {
        {601, 60, 67}, {602, 130, 67}, {603, 188, 67}, {604, 250, 67}, {605, 58, 120}, {606, 180, 120},
    };
    for (const auto& t : texts) {
        // A single line from the point: the rectangle only bounds it by the window.
        DrawSkinText(dc, Text(m_lang, t.number), RECT{t.x, t.y, t.x + 1000, t.y + 100},
                     DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOCLIP, labels.Get(), kKeyDialogText);
    }
}

void CDlgShortCut::OnCapturedKey(uint32_t virtualKey, uint32_t flags) {
    model_.OnCapturedKey(virtualKey, flags);
    ShowKey(model_.FieldText());
}

INT_PTR RunShortcutDialog(HWND owner, MacroKeyInfo& slot, const KeyboardLayout& layout) {
    CDlgShortCut dialog(layout);
    dialog.Model().LoadFromSlot(slot);
    const INT_PTR result = dialog.DoModal(owner);
    if (result == IDOK) dialog.Model().StoreToSlot(slot);
    return result;
}

}  // namespace tavrel
