// What tavrelctl's exit status tells a script. Each number keeps its one meaning.
#pragma once

namespace tavrel::ctl {

inline constexpr int kExitDone = 0;
// The monitor did not answer in time (the files and the section are written by then),
// or another tavrelctl or the monitor's lock was not free in time (nothing changed).
inline constexpr int kExitNoAnswer = 1;
// Usage or bad input; nothing was changed.
inline constexpr int kExitUsage = 2;
inline constexpr int kExitUnplugged = 3;
// The configuration program's window is open; a change would be undone by its next apply.
inline constexpr int kExitProgramOpen = 4;
// A file could not be written; the message names it.
inline constexpr int kExitNotWritten = 5;

}  // namespace tavrel::ctl
