#include "tests/win/support/stage_folder.h"

#include <windows.h>

namespace tavrel::test {

std::wstring FolderOfThisProgram() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring StagedFile(const std::wstring& name) { return FolderOfThisProgram() + L"stage\\" + name; }

}  // namespace tavrel::test
