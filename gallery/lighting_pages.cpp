// The lighting and advanced pages, each hosted on its own and loaded from the default
// profiles (the lighting page with an effect that allows picking a colour).
#include "gallery/gallery.h"

#include "config/shared_config.h"
#include "lighting/win/adv_ctrl_panel.h"
#include "lighting/win/light_ctrl_panel.h"

namespace {

void LoadDefaults() {
    tavrel::SetDefaultProfiles(tavrel::WorkingConfig);
    tavrel::CurrentProfile(tavrel::WorkingConfig).LtEffectType = 3;
    tavrel::AppliedConfig = tavrel::WorkingConfig;
}

template <typename Page>
int ShowRefreshedPage() {
    LoadDefaults();
    Page page;
    // The main window refreshes its pages once they exist; so does the host.
    return tavrel::gallery::HostPage(page, [&] { page.RefreshFromProfile(); });
}

}  // namespace

TAVREL_GALLERY_WINDOW(L"lighting", [] { return ShowRefreshedPage<tavrel::CDlgLightCtrlPanel>(); });
TAVREL_GALLERY_WINDOW(L"advanced", [] { return ShowRefreshedPage<tavrel::CDlgAdvCtrlPanel>(); });
