// The standard open and save dialogs as the main window and the game link dialog use
// them: Explorer style with long names, a filter written with '|' separators, an
// initial file name.
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
    DWORD flags = 0;              // OFN_* options; OFN_EXPLORER is always added
};

// The full path the user chose (the first one of a multi-selection), or nothing when the dialog was cancelled or failed.
std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request);

// The filter of profile files.
inline constexpr wchar_t kProfileFilter[] = L"Gaming Keyboard Profile(*.gkp)|*.GKP|";
inline constexpr wchar_t kGameFilter[] = L"exe file(*.exe)|*.EXE|";

}  // namespace tavrel::win
