// CDlgKeyAssi: the modal dialog that remaps one key position. While it is open the
// capture hook reports every keystroke to it; its rules live in KeyAssignModel.
#pragma once

#include <windows.h>

#include "keys/key_assign_model.h"
#include "keys/win/system_keyboard_layout.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kKeyAssignTemplate = 135;
inline constexpr int kKeyAssignFieldId = 1000;

class CDlgKeyAssi : public SkinnedWindow {
public:
    explicit CDlgKeyAssi(const KeyboardLayout& layout = SystemLayout());

    // Set m_nKeyPos and m_byCurKey before DoModal; read m_byNewKey after IDOK.
    KeyAssignModel& Model() { return model_; }
    const KeyAssignModel& Model() const { return model_; }

    HWND OkButton() const { return m_btnOK.Hwnd(); }
    HWND CancelButton() const { return m_btnCancel.Hwnd(); }
    HWND DefaultButton() const { return m_btnDefault.Hwnd(); }
    HWND CloseButton() const { return m_btnClose.Hwnd(); }
    HWND KeyField() const { return m_editKey; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void CreateSkinControls(SkinBuilder& skin) override;
    void PaintSkin(HDC dc) override;

private:
    bool OnCommand(HWND sender);
    void ShowField();

    KeyAssignModel model_;
    CBitmapBtn m_btnDefault, m_btnOK, m_btnCancel, m_btnClose;
    HWND m_editKey = nullptr;  // a child of the dialog; destroyed with it
};

}  // namespace tavrel
