// The program's dialogs that stand on their own.
#include "app/win/profile_man_dialog.h"
#include "config/shared_config.h"
#include "dialogs/win/warning_dialog.h"
#include "gallery/gallery.h"
#include "monitor/win/waiting_dialog.h"

namespace tavrel::gallery {

namespace {

int ShowWarning(int mode) {
    CDlgWarning dialog;
    dialog.m_nMode = mode;
    return static_cast<int>(dialog.DoModal(nullptr));
}

int ShowGameLink(int mode) {
    static SharedConfig config;
    ResetConfig(config);
    CDlgProfileMan dialog(config, mode);
    return static_cast<int>(dialog.DoModal(nullptr));
}

}  // namespace

TAVREL_GALLERY_WINDOW(L"warning", [] { return ShowWarning(0); });
TAVREL_GALLERY_WINDOW(L"warning-delete", [] { return ShowWarning(1); });
TAVREL_GALLERY_MODAL(L"waiting", CDlgWaitting);
TAVREL_GALLERY_WINDOW(L"game_link", [] { return ShowGameLink(0); });
TAVREL_GALLERY_WINDOW(L"game_link-new", [] { return ShowGameLink(1); });

}  // namespace tavrel::gallery
