// Times saving and loading the whole configuration and the macro library through our
// initialisation-file layer and through the platform's private-profile functions, on
// the same data: four default profiles and a library of 99 macros of 50 events.
//
//   wine bench_config_storage.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "config/macro_library.h"
#include "config/settings_store.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "config/win/win32_storage.h"
#include "tests/win/support/config_platform_profile.h"

using namespace tavrel;

namespace {

double Milliseconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Best(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) best = std::min(best, Milliseconds(work));
    return best;
}

void FillLibrary(MacroLibrary& library) {
    for (int i = 0; i < 99; ++i) {
        MacroRecord r{};
        CopyToArray(r.szName, u"Macro " + FormatInt(i + 1));
        r.iRepeat = 1 + i % 255;
        r.iEventCount = kMaxMacroEvents;
        for (int e = 0; e < kMaxMacroEvents; ++e) {
            r.Events[e] = MacroEvent{static_cast<uint8_t>(4 + (i + e / 2) % 30), static_cast<uint8_t>(e % 2 + 1),
                                     static_cast<uint16_t>(e % 2 == 0 ? 50 + i : 0)};
        }
        library.Append(r);
    }
}

bool SameLibrary(const MacroLibrary& a, const MacroLibrary& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i) {
        if (std::memcmp(a.At(i), b.At(i), sizeof(MacroRecord)) != 0) return false;
    }
    return true;
}

bool SameProfiles(const SharedConfig& a, const SharedConfig& b) {
    return a.KeyboardPlugIn == b.KeyboardPlugIn && std::memcmp(a.profiles, b.profiles, sizeof a.profiles) == 0;
}

std::u16string MakeDataFolder(const std::filesystem::path& root, const char16_t* name) {
    Win32FileSystem files;
    const std::u16string appData = root.u16string() + u"\\" + name;
    files.CreateFolder(appData);
    const std::u16string folder = GetDataFolder(FixedDataFolder(appData));
    files.CreateFolder(folder);
    files.CreateFolder(folder + u"config\\");
    return appData;
}

const char* YesNo(bool b) { return b ? "yes" : "NO"; }

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("tavrel_storage_bench_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(root);

    auto source = std::make_unique<SharedConfig>();
    ResetConfig(*source);
    SetDefaultProfiles(*source);
    source->KeyboardPlugIn = 1;
    MacroLibrary sourceLibrary;
    FillLibrary(sourceLibrary);

    Win32FileSystem files;
    const FixedDataFolder oursFolder(MakeDataFolder(root, u"ours"));
    const std::u16string platformData = GetDataFolder(FixedDataFolder(MakeDataFolder(root, u"platform")));
    const Storage storage{files, oursFolder};

    const double saveOurs = Best(runs, [&] {
        SaveConfiguration(*source, storage);
        SaveMacroLibrary(sourceLibrary, storage);
    });
    const double savePlatform = Best(runs, [&] {
        test::PlatformSaveConfiguration(*source, platformData);
        test::PlatformSaveMacroLibrary(sourceLibrary, platformData);
    });

    auto oursLoaded = std::make_unique<SharedConfig>();
    MacroLibrary oursLibrary;
    const double loadOurs = Best(runs, [&] {
        ResetConfig(*oursLoaded);
        LoadConfiguration(*oursLoaded, storage);
        FreeMacroLibrary(oursLibrary);
        LoadMacroLibrary(oursLibrary, storage);
    });
    auto platformLoaded = std::make_unique<SharedConfig>();
    MacroLibrary platformLibrary;
    const double loadPlatform = Best(runs, [&] {
        ResetConfig(*platformLoaded);
        test::PlatformLoadConfiguration(*platformLoaded, platformData);
        FreeMacroLibrary(platformLibrary);
        test::PlatformLoadMacroLibrary(platformLibrary, platformData);
    });

    // The platform reading the files we wrote.
    auto crossLoaded = std::make_unique<SharedConfig>();
    ResetConfig(*crossLoaded);
    MacroLibrary crossLibrary;
    test::PlatformLoadConfiguration(*crossLoaded, GetDataFolder(oursFolder));
    test::PlatformLoadMacroLibrary(crossLibrary, GetDataFolder(oursFolder));

    std::printf("storage benchmark: 4 default profiles, %d macros of %d events, best of %d runs\n",
                sourceLibrary.Count(), kMaxMacroEvents, runs);
    std::printf("save  SaveConfiguration + SaveMacroLibrary : ours %9.3f ms   platform %9.3f ms   ratio %6.1fx\n",
                saveOurs, savePlatform, savePlatform / saveOurs);
    std::printf("load  LoadConfiguration + LoadMacroLibrary : ours %9.3f ms   platform %9.3f ms   ratio %6.1fx\n",
                loadOurs, loadPlatform, loadPlatform / loadOurs);
    const bool oursOk = SameProfiles(*oursLoaded, *source) && SameLibrary(oursLibrary, sourceLibrary);
    const bool platformOk = SameProfiles(*platformLoaded, *source) && SameLibrary(platformLibrary, sourceLibrary);
    const bool crossOk = SameProfiles(*crossLoaded, *source) && SameLibrary(crossLibrary, sourceLibrary);
    std::printf("identical read-back: ours %s, platform %s, platform reading our files %s\n", YesNo(oursOk),
                YesNo(platformOk), YesNo(crossOk));

    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    return oursOk && platformOk && crossOk ? 0 : 1;
}
