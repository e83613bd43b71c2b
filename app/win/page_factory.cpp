// The main window's pages and the dialogs of other parts, in one place. A page that
// does not exist yet is an empty skinned page from its template, so the main window
// always has four pages to place, show and refresh.
#include "app/win/other_dialogs.h"
#include "app/win/main_page.h"
#include "config/shared_config.h"
#include "keys/win/dlg_main_ctrl_panel.h"
#include "lighting/win/adv_ctrl_panel.h"
#include "lighting/win/light_ctrl_panel.h"
#include "macros/win/dlg_macro_ctrl_panel.h"
#include "macros/win/run_macro_manager.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

namespace {

constexpr const char16_t* kPageLayouts[4] = {
    u"Skins\\skin_main.ini",
    u"Skins\\Skin_Macro_control.ini",
    u"Skins\\Skin_color_control.ini",
    u"Skins\\Skin_light_control.ini",
};

class CDlgEmptyPage : public SkinnedWindow, public MainPage {
public:
    explicit CDlgEmptyPage(int index)
        : SkinnedWindow(kPageTemplates[index], SkinSource{kPageLayouts[index], 0, -1, true, SkinDrag::Parent}) {}
    bool CreatePage(HWND mainWindow) override { return Create(mainWindow); }
    HWND PageHwnd() const override { return Hwnd(); }
    void Refresh() override {}
};

}  // namespace

std::unique_ptr<MainPage> MakeMainPage(int index) {
    if (index < 0 || index > 3) return nullptr;
    if (index == kKeySettingsPage) return std::make_unique<CDlgMainCtrlPanel>(WorkingConfig);
    if (index == kMacroPage) {
        return std::make_unique<CDlgMacroCtrlPanel>(WorkingConfig, ProgramMacroStore(),
                                                    [](HWND owner) { RunMacroManagerDialog(owner); });
    }
    if (index == kAdvancedPage) return std::make_unique<CDlgAdvCtrlPanel>(WorkingConfig);
    if (index == kLightingPageIndex) return std::make_unique<CDlgLightCtrlPanel>(WorkingConfig, AppliedConfig);
    return std::make_unique<CDlgEmptyPage>(index);
}

// The main window runs the manager without an owner window.
void RunMacroManager(HWND) { RunMacroManagerDialog(nullptr); }

}  // namespace tavrel
