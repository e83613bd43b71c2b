#include "crash_save/kill_loop.h"

#include <windows.h>

#include <cstdio>
#include <random>

#include "config/win/win32_storage.h"
#include "crash_save/folder_check.h"
#include "crash_save/variants.h"
#include "window/win/kernel_handles.h"

namespace crash_save {

using namespace tavrel;

namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

int64_t NowMicros() {
    LARGE_INTEGER frequency{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000000 / frequency.QuadPart;
}

// Sleep() rounds to whole milliseconds and more; the kill point wants finer steps.
void WaitMicros(int64_t micros) {
    const int64_t until = NowMicros() + micros;
    if (micros > 3000) Sleep(static_cast<DWORD>(micros / 1000 - 2));
    while (NowMicros() < until) {
    }
}

struct Child {
    win::UniqueKernelHandle process;
    bool started = false;
};

// Starts the child and waits until it is about to save; false when it never got there.
bool StartChild(const KillLoopOptions& options, int first, Child& child) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win::UniqueKernelHandle started(CreateEventW(&inherit, TRUE, FALSE, nullptr));
    if (!started.Get()) return false;
    std::wstring command = L"\"" + options.selfPath + L"\" child \"" + std::wstring(Wide(options.appData)) + L"\" " +
                           std::to_wstring(reinterpret_cast<uintptr_t>(started.Get())) + L" " + std::to_wstring(first);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(options.selfPath.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    child.process.Reset(info.hProcess);
    HANDLE both[2] = {started.Get(), info.hProcess};
    child.started = WaitForMultipleObjects(2, both, FALSE, 60000) == WAIT_OBJECT_0;
    return child.started;
}

// One in-process save of each state, to scale the random kill delays.
int64_t MeasureCycleMicros(const Storage& storage) {
    const int64_t begin = NowMicros();
    for (int v = kVariantCount - 1; v >= 0; --v) {
        auto config = MakeConfig(v);
        MacroLibrary library;
        FillLibrary(library, v);
        SaveVariant(storage, *config, library);
    }
    return NowMicros() - begin;
}

}  // namespace

std::u16string ScratchFolder(IFileSystem& files) {
    wchar_t temp[MAX_PATH] = {};
    const DWORD n = GetTempPathW(MAX_PATH, temp);
    std::wstring folder(temp, n);
    folder += L"crash-save-" + std::to_wstring(GetCurrentProcessId());
    std::u16string path(folder.begin(), folder.end());
    files.CreateFolder(path);
    return path;
}

void RunSavingChild(const std::u16string& appData, uintptr_t startedEvent, int first) {
    Win32FileSystem files;
    const FixedDataFolder folder(appData);
    const Storage storage{files, folder};
    std::unique_ptr<SharedConfig> configs[kVariantCount];
    MacroLibrary libraries[kVariantCount];
    for (int v = 0; v < kVariantCount; ++v) {
        configs[v] = MakeConfig(v);
        FillLibrary(libraries[v], v);
    }
    SetEvent(reinterpret_cast<HANDLE>(startedEvent));
    for (int v = first % kVariantCount;; v = (v + 1) % kVariantCount) {
        SaveVariant(storage, *configs[v], libraries[v]);
    }
}

int RunKillLoop(const KillLoopOptions& options) {
    Win32FileSystem files;
    References refs;
    const std::u16string scratch = ScratchFolder(files);
    const std::string refProblem = BuildReferences(files, scratch, refs);
    if (!refProblem.empty()) {
        std::printf("setup failed: %s\n", refProblem.c_str());
        return options.rounds + 1;
    }

    const FixedDataFolder folder(options.appData);
    const Storage storage{files, folder};
    const int64_t cycle = MeasureCycleMicros(storage);  // leaves the folder in state A
    std::mt19937 random(options.seed);
    // Up to two and a half cycles: the kill lands anywhere in the first saves.
    std::uniform_int_distribution<int64_t> delay(0, cycle * 5 / 2);

    int faulty = 0, mixed = 0, withLeftovers = 0, allOf[kVariantCount] = {};
    FolderState last;
    for (int round = 0; round < options.rounds; ++round) {
        Child child;
        if (!StartChild(options, round % kVariantCount == 0 ? 1 : 0, child)) {
            std::printf("round %d: the saving process did not start\n", round);
            ++faulty;
            if (child.process.Get()) TerminateProcess(child.process.Get(), 3);
            continue;
        }
        WaitMicros(delay(random));
        TerminateProcess(child.process.Get(), 9);
        WaitForSingleObject(child.process.Get(), 60000);

        last = CheckFolder(files, storage, refs, true);
        if (!last.Complete()) {
            ++faulty;
            std::printf("round %d: %s| %s\n", round, last.Describe().c_str(), last.problems.c_str());
            continue;
        }
        if (last.Mixed()) ++mixed;
        else ++allOf[last.variant[0]];
        if (last.leftovers > 0) ++withLeftovers;
    }
    std::printf("crash-save rounds=%d faulty=%d mixed=%d all_a=%d all_b=%d leftovers=%d cycle_us=%lld seed=%u\n",
                options.rounds, faulty, mixed, allOf[0], allOf[1], withLeftovers, static_cast<long long>(cycle),
                options.seed);
    std::printf("final %s current=%d\n", last.Describe().c_str(),
                last.Complete() ? refs.variant[last.variant[0]].currentProfile : -1);
    return faulty;
}

}  // namespace crash_save
