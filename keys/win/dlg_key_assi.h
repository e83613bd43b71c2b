// CDlgKeyAssi: the modal dialog that remaps one key position. While it is open the
// capture hook reports every keystroke to it; its rules live in KeyAssignModel.
#pragma once

#include <windows.h>

#include "keys/key_assign_model.h"
#include "keys/win/capture_key_dialog.h"
#include "keys/win/system_keyboard_layout.h"

namespace tavrel {

inline constexpr UINT kKeyAssignTemplate = 135;
inline constexpr int kKeyAssignFieldId = 1000;

class CDlgKeyAssi : public CaptureKeyDialog {
public:
    explicit CDlgKeyAssi(const KeyboardLayout& layout = SystemLayout());

    // Set m_nKeyPos and m_byCurKey before DoModal; read m_byNewKey after IDOK.
    KeyAssignModel& Model() { return model_; }
    const KeyAssignModel& Model() const { return model_; }

    HWND DefaultButton() const { return m_btnDefault.Hwnd(); }

protected:
    BOOL OnInitDialog() override;
    void CreateSkinControls(SkinBuilder& skin) override;
    void PaintSkin(HDC dc) override;

    void OnCapturedKey(uint32_t virtualKey, uint32_t flags) override;
    bool OnCommand(HWND sender) override;
    std::u16string KeyFieldName() const override;
    std::u16string AccessibleName() const override;
    std::vector<AccessiblePart> AccessibleParts() const override;

private:
    void ShowField();

    KeyAssignModel model_;
    CBitmapBtn m_btnDefault;
};

}  // namespace tavrel
