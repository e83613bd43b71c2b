#include "skin/app_dir.h"

#include "config/text.h"

namespace tavrel {

char16_t g_szAppDir[260] = {};

std::u16string ProgramFolderOf(std::u16string_view modulePath) {
    const size_t slash = modulePath.find_last_of(u"\\/");
    if (slash != std::u16string_view::npos) return std::u16string(modulePath.substr(0, slash + 1));
    // Only a drive ("C:Tavrel.exe") or a bare file name.
    if (modulePath.size() >= 2 && modulePath[1] == u':') return std::u16string(modulePath.substr(0, 2));
    return {};
}

void SetAppDir(std::u16string_view modulePath) {
    const std::u16string folder = ProgramFolderOf(modulePath);
    CopyToArray(g_szAppDir, folder.size() < std::size(g_szAppDir) ? folder : std::u16string_view());
}

std::u16string AppPath(std::u16string_view relative) {
    std::u16string path(ArrayText(g_szAppDir));
    path += relative;
    return path;
}

}  // namespace tavrel
