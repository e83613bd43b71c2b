// CDlgMainCtrlPanel: the key settings page, a picture of the keyboard whose 114 keys
// are skinned buttons. A selected button is a position remapped in the current
// profile; a click opens the key assignment dialog (unless the remap limit over all
// four profiles is reached). Its rules live in KeySettingsModel.
#pragma once

#include <windows.h>

#include <array>

#include "window/win/main_page.h"
#include "config/records.h"
#include "keys/key_settings_model.h"
#include "keys/keyboard_layout.h"
#include "keys/win/system_keyboard_layout.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kKeySettingsTemplate = 131;
inline constexpr int kFirstKeyButtonEntry = 40;  // "BUTTONPOS" key of position 0

class CDlgMainCtrlPanel : public SkinnedWindow, public MainPage {
public:
    // Edits `config` (WorkingConfig in the program), which must outlive the page.
    explicit CDlgMainCtrlPanel(SharedConfig& config, const KeyboardLayout& layout = SystemLayout());

    bool CreatePage(HWND mainWindow) override { return Create(mainWindow); }
    HWND PageHwnd() const override { return Hwnd(); }
    void Refresh() override { RefreshKeys(); }

    // Re-marks all 114 buttons from the current profile.
    void RefreshKeys();

    HWND KeyButton(int keyPos) const { return m_btnKeys[static_cast<size_t>(keyPos)].Hwnd(); }
    bool KeyMarked(int keyPos) const { return m_btnKeys[static_cast<size_t>(keyPos)].GetCheck(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The page starts out showing the configuration it was made for.
    BOOL OnInitDialog() override {
        RefreshKeys();
        return TRUE;
    }
    void CreateSkinControls(SkinBuilder& skin) override;

private:
    void OnKeyClicked(int keyPos);
    void MarkKey(int keyPos, bool remapped, bool shown);

    KeySettingsModel model_;
    const KeyboardLayout& layout_;
    std::array<CBitmapBtn, kKeyPositions> m_btnKeys;
};

}  // namespace tavrel
