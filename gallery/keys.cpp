// The key settings page with a few remapped keys, the key assignment dialog for the
// Esc position, and the shortcut dialog preset with Ctrl+1. The two dialogs capture
// the keyboard while they are open, as in the program.
#include "gallery/gallery.h"

#include <cstring>

#include "config/shared_config.h"
#include "keys/win/dlg_key_assi.h"
#include "keys/win/dlg_main_ctrl_panel.h"
#include "keys/win/dlg_shortcut.h"

namespace tavrel::gallery {

namespace {

int ShowKeyPage() {
    ResetConfig(WorkingConfig);
    SetDefaultProfiles(WorkingConfig);
    WorkingConfig.CurrentProfile = 0;
    // Esc, the Y position and keypad Enter remapped: their keys show as pressed.
    WorkingConfig.profiles[0].standardKey[0] = 0x39;
    WorkingConfig.profiles[0].standardKey[36] = 0x1D;
    WorkingConfig.profiles[0].standardKey[103] = 0x28;
    CDlgMainCtrlPanel page(WorkingConfig);
    return HostPage(page);
}

int ShowKeyAssign() {
    CDlgKeyAssi dialog;
    dialog.Model().m_nKeyPos = 0;
    dialog.Model().m_byCurKey = 0x29;
    return static_cast<int>(dialog.DoModal(nullptr));
}

int ShowShortcut() {
    MacroKeyInfo slot;
    std::memset(&slot, 0, sizeof(slot));
    slot.byType = 2;
    slot.byFlags = 1;
    slot.wCode = 0x1E;
    return static_cast<int>(RunShortcutDialog(nullptr, slot));
}

}  // namespace

TAVREL_GALLERY_WINDOW(L"key-page", ShowKeyPage);
TAVREL_GALLERY_WINDOW(L"key-assign", ShowKeyAssign);
TAVREL_GALLERY_WINDOW(L"shortcut", ShowShortcut);

}  // namespace tavrel::gallery
