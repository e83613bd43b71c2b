#include "dialogs/win/warning_dialog.h"

#include "accessibility/win/spoken_words.h"
#include "dialogs/warning_model.h"
#include "skin/win/lang_library.h"

namespace tavrel {

void SetDialogButtonColours(CBitmapBtn& button) {
    button.m_crText = RGB(0, 0, 0);
    button.m_crHover = RGB(163, 25, 48);
    button.m_crPressed = RGB(0, 0, 0);
    button.m_crDisabled = RGB(0, 0, 0);
}

CDlgWarning::CDlgWarning() : SkinnedWindow(kWarningTemplate, SkinSource{u"Skins\\skin_reset_warn.ini"}) {
    SetSwallowedKeys({VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1});
}

void CDlgWarning::LoadLanguage() {
    // The mode picks the range, so the table is filled only now, at creation.
    const StringRange range = WarningStrings(m_nMode);
    LoadLangTable(m_lang, range.first, range.last);
}

void CDlgWarning::CreateSkinControls(SkinBuilder& skin) {
    skin.CreateButton(m_btnOK, kWarningOkKey);
    skin.CreateButton(m_btnCancel, kWarningCancelKey);
    skin.CreateButton(m_btnClose, kWarningCloseKey);
    m_btnOK.m_strCaption = m_lang.Get(kWarningOkCaptionEntry);
    m_btnCancel.m_strCaption = m_lang.Get(kWarningCancelCaptionEntry);
    SetDialogButtonColours(m_btnOK);
    SetDialogButtonColours(m_btnCancel);
    m_btnClose.m_accDescribe = win::NamedBy(Spoken::Close);
}

std::vector<AccessiblePart> CDlgWarning::AccessibleParts() const {
    const TextBox& box = kWarningMessageBox;
    return {PaintedText(m_lang.Get(kWarningMessageEntry), RECT{box.left, box.top, box.right, box.bottom})};
}

void CDlgWarning::PaintSkin(HDC dc) {
    const UINT format = DT_LEFT | DT_TOP | DT_WORDBREAK;
    for (const auto& [entry, box] : {std::pair{kWarningTitleEntry, kWarningTitleBox},
                                     std::pair{kWarningMessageEntry, kWarningMessageBox}}) {
        auto font = CreateSkinFont(box.fontHeight, box.fontWeight);
        DrawSkinText(dc, m_lang.Get(entry), RECT{box.left, box.top, box.right, box.bottom}, format, font.Get());
    }
}

bool CDlgWarning::OnCommand(HWND sender) {
    if (!sender) return false;
    if (sender == m_btnOK.Hwnd()) {
        EndModal(WarningResult(WarningButton::Ok));
        return true;
    }
    if (sender == m_btnCancel.Hwnd() || sender == m_btnClose.Hwnd()) {
        EndModal(WarningResult(sender == m_btnClose.Hwnd() ? WarningButton::Close : WarningButton::Cancel));
        return true;
    }
    return false;
}

LRESULT CDlgWarning::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) OnCommand(reinterpret_cast<HWND>(lParam));
    // The command goes on to the default handling in every case.
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
