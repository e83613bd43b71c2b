#include "bench/win/startup_steps.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "config/ini_file.h"
#include "config/macro_library.h"
#include "config/settings_store.h"
#include "config/shared_config.h"
#include "config/win/win32_storage.h"
#include "monitor/monitor_link.h"
#include "monitor/win/monitor_win.h"
#include "skin/app_dir.h"
#include "skin/lang_table.h"
#include "skin/win/lang_library.h"
#include "skin/win/skin_image.h"

namespace tavrel::bench {

namespace {

double MedianMilliseconds(int repetitions, const std::function<void()>& work) {
    work();  // first use of the code and the files
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}

// The skin files of the windows that exist at start: the main window and its pages.
struct WindowSkin {
    const char16_t* layout;
    const char16_t* imageFolder;
    const char16_t* disabledKey;
    bool shownAtStart;  // a page hidden at start reads its background when first shown
};
constexpr WindowSkin kStartWindows[] = {
    {u"Skins\\skin_Config.ini", u"skins\\", u"Disable", true},
    {u"Skins\\skin_main.ini", u"Skins\\", u"Disabled", true},
    {u"Skins\\Skin_Macro_control.ini", u"Skins\\", u"Disabled", false},
    {u"Skins\\Skin_color_control.ini", u"Skins\\", u"Disabled", false},
    {u"Skins\\Skin_light_control.ini", u"Skins\\", u"Disabled", false},
};

// What a skinned window reads of its skin before its buttons: the layout file, the
// outline from the mask, the background (of a hidden page, its size), and the check of
// the three state pictures.
void ReadWindowSkin(const WindowSkin& window) {
    const CIniFile layout(AppPath(window.layout));
    const auto image = [&](const char16_t* key) {
        return AppPath(window.imageFolder) + layout.GetString(u"SCREEN", key, u"");
    };
    win::UniqueRegion outline;
    LoadSkinOutline(image(u"Mask"), outline);
    win::UniqueBitmap back;
    SIZE size{};
    if (window.shownAtStart) {
        LoadSkinImage(image(u"Normal"), back, size);
    } else {
        SkinBitmapFileSize(image(u"Normal"), size);
    }
    for (const char16_t* key : {u"Over", u"Down", window.disabledKey}) SkinImageFileLooksWhole(image(key));
}

}  // namespace

std::vector<StartupStep> TimeStartupSteps(const std::wstring& runFolder, int repetitions) {
    const std::wstring program = runFolder + L"Tavrel.exe";
    SetAppDir(std::u16string(program.begin(), program.end()));
    PlatformStorage platform;
    const Storage storage = platform.Get();
    auto config = std::make_unique<SharedConfig>();
    ResetConfig(*config);
    SetDefaultProfiles(*config);

    std::vector<StartupStep> steps;
    steps.push_back({"data folder (SHGetFolderPathW)", MedianMilliseconds(repetitions, [&] {
                         GetDataFolder(storage.dataFolder);
                     })});
    steps.push_back({"language strings (lang.dll, 43 strings)", MedianMilliseconds(repetitions, [] {
                         LangTable main, assignments;
                         LoadLangTable(main, 101, 117);
                         LoadLangTable(assignments, 500, 525);
                     })});
    steps.push_back({"skin pictures of the 5 windows (no buttons)", MedianMilliseconds(repetitions, [] {
                         for (const WindowSkin& window : kStartWindows) ReadWindowSkin(window);
                     })});
    steps.push_back({"configuration from the monitor's section", MedianMilliseconds(repetitions, [&] {
                         win::Win32MonitorPort port;
                         port.OpenSharedSection();
                         auto read = std::make_unique<SharedConfig>();
                         ResetConfig(*read);
                         ReadSharedSection(port, *read);
                         ClearChangeFlags(*read);
                         SanitizeConfig(*read);
                     })});
    steps.push_back({"macro library: load, sync and save", MedianMilliseconds(repetitions, [&] {
                         MacroLibrary library;
                         LoadMacroLibrary(library, storage);
                         SyncMacroLibrary(library, *config);
                         SaveMacroLibrary(library, storage);
                     })});
    steps.push_back({"(no monitor) configuration from the files", MedianMilliseconds(repetitions, [&] {
                         auto loaded = std::make_unique<SharedConfig>();
                         ResetConfig(*loaded);
                         LoadConfiguration(*loaded, storage);
                     })});
    return steps;
}

}  // namespace tavrel::bench
