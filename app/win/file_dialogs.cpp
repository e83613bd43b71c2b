#include "app/win/file_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "app/file_title.h"
#include "window/win/message_loop.h"
#include "window/win/system_library.h"

namespace tavrel::win {

std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request) {
    // '|' separators become the NULs the platform expects; a double NUL ends the list.
    std::wstring filter = request.filter;
    for (wchar_t& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter.push_back(L'\0');

    // Room for a long path, and for the list a multi-selection reports.
    std::vector<wchar_t> file(8192, L'\0');
    request.initialName.copy(file.data(), std::min(request.initialName.size(), file.size() - 1));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    // The Explorer-style dialog reports long names; without it folders with blanks come
    // back as 8.3 short names, and a multi-selection as blank-separated short names.
    ofn.Flags = request.flags | OFN_EXPLORER;

    // The dialogs' library is loaded on the first dialog, not at every start.
    using FileDialog = BOOL(WINAPI*)(OPENFILENAMEW*);
    const auto run = LoadSystemFunction<FileDialog>(L"comdlg32.dll", request.save ? "GetSaveFileNameW" : "GetOpenFileNameW");
    if (!run || !EnsureComApartment()) return std::nullopt;
    const BOOL chosen = [&] {
        ForeignLoopScope systemLoop;
        return run(&ofn);
    }();
    if (!chosen) return std::nullopt;
    const std::u16string path =
        ChosenPath(std::u16string_view(reinterpret_cast<const char16_t*>(file.data()), file.size()), ofn.nFileOffset);
    if (path.empty()) return std::nullopt;
    return std::wstring(path.begin(), path.end());
}

}  // namespace tavrel::win
