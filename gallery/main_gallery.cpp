// gallery.exe: opens one skinned window by name (see gallery.h). With
// "--shot file.bmp" it photographs the window once it is shown and painted, writes the
// picture and ends, so that pictures of every window can be taken on Xvfb. With
// "--lang <code>" its texts come from Languages\lang_<code>.dll instead of lang.dll.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "gallery/gallery.h"
#include "skin/app_dir.h"
#include "skin/win/ex_menu.h"
#include "skin/win/lang_library.h"
#include "window/win/handles.h"

namespace tavrel::gallery {

namespace {

std::wstring g_name;
std::wstring g_shotPath;
HWND g_shotWindow = nullptr;
int g_stableTicks = 0;

bool WriteScreenArea(const RECT& area, const std::wstring& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    win::WindowDc screen(nullptr);
    win::MemoryDc copy(screen, width, height);
    BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    std::vector<BYTE> pixels(info.biSizeImage);
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(copy, OBJ_BITMAP));
    if (!GetDIBits(copy, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                   DIB_RGB_COLORS)) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              WriteFile(out, &info, sizeof(info), &written, nullptr) &&
              WriteFile(out, pixels.data(), info.biSizeImage, &written, nullptr);
    CloseHandle(out);
    return ok;
}

RECT g_shotArea{};
bool g_paintPending = false;

// Gathers the area of every shown window of the thread (a window and its open popup
// menu are photographed together).
BOOL CALLBACK AddShownWindow(HWND hwnd, LPARAM) {
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (!IsWindowVisible(hwnd) || std::wstring(cls) == TOOLTIPS_CLASSW) return TRUE;
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    if (!g_shotWindow) {
        g_shotArea = rect;
    } else {
        UnionRect(&g_shotArea, &g_shotArea, &rect);
    }
    g_shotWindow = hwnd;
    if (GetUpdateRect(hwnd, nullptr, FALSE)) g_paintPending = true;
    return TRUE;
}

// Polls until windows of ours are shown and have no paint pending for three ticks in
// a row, then photographs them and ends the program.
void CALLBACK ShotTimer(HWND, UINT, UINT_PTR, DWORD) {
    g_shotWindow = nullptr;
    g_paintPending = false;
    EnumThreadWindows(GetCurrentThreadId(), &AddShownWindow, 0);
    if (!g_shotWindow || g_paintPending) {
        g_stableTicks = 0;
        return;
    }
    if (++g_stableTicks < 3) return;
    const bool written = WriteScreenArea(g_shotArea, g_shotPath);
    std::fwprintf(stdout, L"%ls: %ls\n", written ? L"wrote" : L"could not write", g_shotPath.c_str());
    std::fflush(stdout);
    ExitProcess(written ? 0 : 1);
}

void PrintNames() {
    for (const Entry& entry : Registry()) std::fwprintf(stdout, L"%ls\n", entry.name.c_str());
    std::fflush(stdout);
}

}  // namespace

const std::wstring& CurrentName() { return g_name; }

// Takes "--lang <code>" out of `args` and points the language tables at that
// language's library; false when the library does not exist.
static bool ChooseLanguage(std::vector<std::wstring>& args) {
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] != L"--lang") continue;
        std::wstring code = args[i + 1];
        std::replace(code.begin(), code.end(), L'-', L'_');  // pt-BR names lang_pt_BR.dll
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        if (code == L"en") return true;
        const std::wstring file = L"Languages\\lang_" + code + L".dll";
        const std::u16string relative(reinterpret_cast<const char16_t*>(file.c_str()), file.size());
        const std::u16string path = AppPath(relative);
        if (GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str())) == INVALID_FILE_ATTRIBUTES) {
            std::fwprintf(stderr, L"no language library %ls\n", file.c_str());
            return false;
        }
        UseLanguageLibrary(relative);
        return true;
    }
    return true;
}

int Run(std::vector<std::wstring> args) {
    if (!ChooseLanguage(args)) return 2;
    if (args.empty() || args[0] == L"--list") {
        PrintNames();
        return args.empty() ? 2 : 0;
    }
    g_name = args[0];
    for (size_t i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == L"--shot") g_shotPath = args[i + 1];
    }
    for (const Entry& entry : Registry()) {
        if (entry.name != g_name) continue;
        if (!g_shotPath.empty()) SetTimer(nullptr, 0, 200, &ShotTimer);
        return entry.show();
    }
    std::fwprintf(stderr, L"no window named %ls; the names are:\n", g_name.c_str());
    PrintNames();
    return 2;
}

}  // namespace tavrel::gallery

int main() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);

    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    tavrel::SetAppDir(reinterpret_cast<const char16_t*>(module));

    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);
    tavrel::InstallMenuHook();
    return tavrel::gallery::Run(args);
}
