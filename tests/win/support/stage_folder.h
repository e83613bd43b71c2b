// Where the Windows-side tests find the run folder the build stages beside them.
#pragma once

#include <string>

namespace tavrel::test {

// The folder of the running test program, ending in a backslash.
std::wstring FolderOfThisProgram();

// A file of the staged run folder ("stage\" beside the test program), e.g. L"Tavrel.exe".
std::wstring StagedFile(const std::wstring& name);

}  // namespace tavrel::test
