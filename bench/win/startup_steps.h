// The program's own start-up work beside its windows, step by step: each step is the
// program's code, run and timed in the benchmark's process.
#pragma once

#include <string>
#include <vector>

namespace tavrel::bench {

struct StartupStep {
    const char* name;
    double milliseconds;  // median of the repetitions, after one unmeasured run
};

// `runFolder` holds Tavrel.exe, lang.dll and Skins and ends with a backslash. The
// monitor's section must exist (the benchmark plays the monitor).
std::vector<StartupStep> TimeStartupSteps(const std::wstring& runFolder, int repetitions);

}  // namespace tavrel::bench
