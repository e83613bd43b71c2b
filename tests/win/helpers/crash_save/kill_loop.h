// The kill-while-saving loop: a child process saves the two states alternately in a
// loop, is killed (TerminateProcess) after a random delay, and the folder is checked.
#pragma once

#include <cstdint>
#include <string>

#include "config/file_system.h"

namespace crash_save {

struct KillLoopOptions {
    std::wstring selfPath;     // this executable, started again as the child
    std::u16string appData;    // the per-user application-data folder to work in
    int rounds = 200;
    uint32_t seed = 0;
};

// A folder of this process under the temporary folder, for the reference files.
std::u16string ScratchFolder(tavrel::IFileSystem& files);

// The child's side: builds both states, signals `started`, then saves them
// alternately, beginning with `first`, until it is killed.
[[noreturn]] void RunSavingChild(const std::u16string& appData, uintptr_t startedEvent, int first);

// Runs the loop and prints one line per faulty round and a summary; returns the
// number of faulty rounds (0: every file was always one complete state).
int RunKillLoop(const KillLoopOptions& options);

}  // namespace crash_save
