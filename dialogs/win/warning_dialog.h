// CDlgWarning: the yes-or-no confirmation of a reset (mode 0) or of a macro deletion
// (mode 1). It only reports the answer: IDOK from its OK button, IDCANCEL from Cancel
// and from the close button. It answers to the mouse only.
//
//     CDlgWarning dlg;
//     dlg.m_nMode = 1;
//     if (dlg.DoModal(parentOrNull) == IDOK) { ... }
#pragma once

#include <windows.h>

#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kWarningTemplate = 130;

class CDlgWarning : public SkinnedWindow {
public:
    CDlgWarning();

    // Set before the dialog runs: 0 reset, 1 macro deletion.
    int m_nMode = 0;

protected:
    void LoadLanguage() override;
    void CreateSkinControls(SkinBuilder& skin) override;
    void PaintSkin(HDC dc) override;
    // Named by its title; the message is a text of it.
    std::u16string AccessibleName() const override { return m_lang.Get(0); }
    std::vector<AccessiblePart> AccessibleParts() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnCommand(HWND sender);

    CBitmapBtn m_btnOK;
    CBitmapBtn m_btnCancel;
    CBitmapBtn m_btnClose;
};

// The caption colours every dialog button of the program uses: black texts, the
// accent under the mouse.
void SetDialogButtonColours(CBitmapBtn& button);

}  // namespace tavrel
