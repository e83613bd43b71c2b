// crash_save.exe, a test helper:
//   crash_save kill-loop APPDATA [ROUNDS [SEED]]   kill a saving child ROUNDS times, check after each
//   crash_save check APPDATA                       tell which state each file of the folder holds
//   crash_save child APPDATA EVENT FIRST           (started by kill-loop) save until killed
// APPDATA is the per-user application-data folder; the files live in its
// "Orvane Gaming Keyboard" folder as the program keeps them. Exit code 0: every file
// was always one complete state.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/win/win32_storage.h"
#include "crash_save/folder_check.h"
#include "crash_save/kill_loop.h"

namespace {

using namespace crash_save;

std::u16string Text16(const wchar_t* text) {
    std::wstring wide(text);
    return std::u16string(wide.begin(), wide.end());
}

std::wstring OwnPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

int Check(const std::u16string& appData) {
    tavrel::Win32FileSystem files;
    References refs;
    const std::string problem = BuildReferences(files, ScratchFolder(files), refs);
    if (!problem.empty()) {
        std::printf("setup failed: %s\n", problem.c_str());
        return 2;
    }
    const tavrel::FixedDataFolder folder(appData);
    const FolderState state = CheckFolder(files, tavrel::Storage{files, folder}, refs, false);
    std::printf("state %s current=%d %s\n", state.Describe().c_str(),
                state.Complete() ? refs.variant[state.variant[0]].currentProfile : -1, state.problems.c_str());
    return state.Complete() ? 0 : 1;
}

int Usage() {
    std::printf("usage: crash_save kill-loop APPDATA [ROUNDS [SEED]] | check APPDATA\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return Usage();
    const std::wstring mode = argv[1];
    const std::u16string appData = Text16(argv[2]);
    if (mode == L"child" && argc == 5) {
        RunSavingChild(appData, static_cast<uintptr_t>(std::wcstoull(argv[3], nullptr, 10)),
                       static_cast<int>(std::wcstol(argv[4], nullptr, 10)));
    }
    if (mode == L"check") return Check(appData);
    if (mode == L"kill-loop") {
        KillLoopOptions options;
        options.selfPath = OwnPath();
        options.appData = appData;
        if (argc > 3) options.rounds = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
        options.seed = argc > 4 ? static_cast<uint32_t>(std::wcstoul(argv[4], nullptr, 10)) : GetTickCount();
        const int faulty = RunKillLoop(options);
        std::fflush(stdout);
        return faulty == 0 ? 0 : 1;
    }
    return Usage();
}
