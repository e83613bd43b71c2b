// CDlgShortCut: the modal dialog in which the user composes a key combination for a
// programmable key: four modifier toggles, a no-modifier toggle that overrides them,
// and the key taken from the keyboard through the capture hook. Its rules live in
// ShortcutModel; the macro page copies the result into the slot (RunShortcutDialog).
#pragma once

#include <windows.h>

#include <array>

#include "config/records.h"
#include "keys/shortcut_model.h"
#include "keys/win/capture_key_dialog.h"
#include "keys/win/system_keyboard_layout.h"

namespace tavrel {

inline constexpr UINT kShortcutTemplate = 145;
inline constexpr int kShortcutFieldId = 1001;

class CDlgShortCut : public CaptureKeyDialog {
public:
    explicit CDlgShortCut(const KeyboardLayout& layout = SystemLayout());

    // Fill m_byKey and m_abyMod before DoModal (or LoadFromSlot); read them after IDOK.
    ShortcutModel& Model() { return model_; }
    const ShortcutModel& Model() const { return model_; }

    HWND ToggleButton(int toggle) const { return m_btnToggle[static_cast<size_t>(toggle)].Hwnd(); }
    bool ToggleChecked(int toggle) const { return m_btnToggle[static_cast<size_t>(toggle)].GetCheck(); }

protected:
    BOOL OnInitDialog() override;
    void CreateSkinControls(SkinBuilder& skin) override;
    void PaintSkin(HDC dc) override;

    void OnCapturedKey(uint32_t virtualKey, uint32_t flags) override;
    bool OnCommand(HWND sender) override;
    std::u16string KeyFieldName() const override;
    std::u16string AccessibleName() const override { return m_lang.Get(0); }  // string 600, the title

private:
    void ShowToggles();

    ShortcutModel model_;
    std::array<CBitmapBtn, kShortcutToggles> m_btnToggle;
};

// The macro page's side of the dialog: opens it preset from `slot` (key from the low
// byte of wCode, Ctrl/Shift/Alt/Win from byFlags, no-modifier off). After OK, wCode
// and byFlags hold the combination and the result is IDOK; after any other ending the
// slot is untouched.
INT_PTR RunShortcutDialog(HWND owner, MacroKeyInfo& slot, const KeyboardLayout& layout = SystemLayout());

}  // namespace tavrel
