// CDlgMacroCtrlPanel: the macro page of the main window. Six skinned buttons stand for
// the six macro keys of the current profile; clicking one opens its popup menu, whose
// commands assign a library macro, a shortcut, a special function or the default, or
// open the macro manager. Menu contents and assignments come from macro_key_menu.h.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "window/win/main_page.h"
#include "config/records.h"
#include "keys/keyboard_layout.h"
#include "keys/win/system_keyboard_layout.h"
#include "macros/macro_names.h"
#include "macros/macro_store.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kMacroPageTemplate = 132;

class CDlgMacroCtrlPanel : public SkinnedWindow, public MainPage {
public:
    // Opens the macro manager over the page and keeps or drops its changes.
    using ManagerOpener = std::function<void(HWND owner)>;

    // The page edits the current profile of config (the program's WorkingConfig) and
    // offers the macros of library; both must outlive it.
    CDlgMacroCtrlPanel(SharedConfig& config, MacroStore& library, ManagerOpener openManager,
                       const KeyboardLayout& layout = SystemLayout());

    bool CreatePage(HWND mainWindow) override { return Create(mainWindow); }
    HWND PageHwnd() const override { return Hwnd(); }
    void Refresh() override { RefreshMacroKeys(); }

    // Captions and tooltips of the six buttons from slots 0..5 of the current profile.
    void RefreshMacroKeys();
    // Opens key i's menu at the lower left corner of its button and carries out the
    // chosen command.
    void OpenKeyMenu(int i);
    // Carries out a menu command for the key whose menu was opened last.
    void OnMenuCommand(int command);

    HWND KeyButton(int i) const { return m_btnKeys[static_cast<size_t>(i)].Hwnd(); }
    const std::u16string& KeyCaption(int i) const { return m_btnKeys[static_cast<size_t>(i)].m_strCaption; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateSkinControls(SkinBuilder& skin) override;
    void PaintSkin(HDC dc) override;

private:
    SharedConfig& config_;
    MacroStore& library_;
    ManagerOpener openManager_;
    const KeyboardLayout& layout_;
    std::array<CBitmapBtn, kMacroKeyCount> m_btnKeys;
    int m_nMenuKey = 0;
};

}  // namespace tavrel
