// The main window's pages and the dialogs of other subsystems, in one place.
#include "app/win/other_dialogs.h"
#include "app/win/page_factory.h"
#include "config/shared_config.h"
#include "keys/win/dlg_main_ctrl_panel.h"
#include "lighting/win/adv_ctrl_panel.h"
#include "lighting/win/light_ctrl_panel.h"
#include "macros/win/dlg_macro_ctrl_panel.h"
#include "macros/win/run_macro_manager.h"

namespace tavrel {

std::unique_ptr<MainPage> MakeMainPage(int index) {
    if (index < 0 || index > 3) return nullptr;
    if (index == kKeySettingsPage) return std::make_unique<CDlgMainCtrlPanel>(WorkingConfig);
    if (index == kMacroPage) {
        return std::make_unique<CDlgMacroCtrlPanel>(WorkingConfig, ProgramMacroStore(),
                                                    [](HWND owner) { RunMacroManagerDialog(owner); });
    }
    if (index == kAdvancedPage) return std::make_unique<CDlgAdvCtrlPanel>(WorkingConfig);
    return std::make_unique<CDlgLightCtrlPanel>(WorkingConfig, AppliedConfig);
}

// The main window runs the manager without an owner window.
void RunMacroManager(HWND) { RunMacroManagerDialog(nullptr); }

}  // namespace tavrel
