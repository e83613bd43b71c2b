// The standard open and save dialogs as the main window and the game link dialog use
// them: classic style, a filter written with '|' separators, an initial file name.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tavrel::win {

struct FileDialogRequest {
    HWND owner = nullptr;
    bool save = false;
    std::wstring filter;          // "Text(*.x)|*.X|": pairs of description and pattern
    std::wstring defaultExtension;  // without the dot, e.g. L"gkp"
    std::wstring initialName;     // folder and name the dialog opens with
    DWORD flags = 0;              // OFN_* options; the classic style is kept
};

// The full path the user chose, or nothing when the dialog was cancelled or failed.
std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request);

// The filter of profile files.
inline constexpr wchar_t kProfileFilter[] = L"Gaming Keyboard Profile(*.gkp)|*.GKP|";
inline constexpr wchar_t kGameFilter[] = L"exe file(*.exe)|*.EXE|";

}  // namespace tavrel::win
