// The floor of the start-up figure: the window tree the program shows at start, and
// nothing else. The main window and its four pages are dialogs with the program's
// styles; every skinned button is an owner-drawn push button at the place its skin
// layout file gives it; the lighting page has its four sliders with their thumbs and
// its three number boxes. Each window paints one pre-made 32-bit picture with one
// BitBlt. There is no configuration, no language library, no skin decoding (the skin
// files are read for places and sizes only) and no monitor link, so whatever the
// program takes beyond this process is its own work.
//
// Usage: floor_window.exe <run folder>   (the folder that holds Skins\)
#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "bench/win/floor_tree.h"
#include "window/win/handles.h"

using namespace tavrel::bench;

namespace {

constexpr wchar_t kTitle[] = L"Start-up floor";

struct WindowLayout {
    const wchar_t* layoutFile;
    std::vector<int> buttonKeys;
};

std::wstring g_runFolder;

// ---- places and sizes from the skin files

RECT ButtonRect(const std::wstring& layout, int key) {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(L"BUTTONPOS", std::to_wstring(key).c_str(), L"", value, 512, layout.c_str());
    // name, x, y, w, h, file
    int x = 0, y = 0, w = 0, h = 0;
    if (const wchar_t* comma = wcschr(value, L',')) swscanf(comma + 1, L"%d,%d,%d,%d", &x, &y, &w, &h);
    return RECT{x, y, x + w, y + h};
}

// ---- pictures

// Two pictures per dialog, the size of the dialog, one for itself and one for its
// children, which paint their part of it (so that a look at the window shows them).
struct Picture {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
};

Picture MakePicture(int width, int height, DWORD colour) {
    void* bits = nullptr;
    Picture picture;
    picture.bitmap = tavrel::win::CreatePixelBitmap(width, height, &bits).Release();
    if (!picture.bitmap) return picture;
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels[y * width + x] = colour + static_cast<DWORD>((x ^ y) & 0x1F);
    }
    picture.dc = CreateCompatibleDC(nullptr);
    SelectObject(picture.dc, picture.bitmap);
    return picture;
}

// Every painting window: the picture it paints from and its place in that picture.
struct Source {
    HDC dc;
    POINT origin;
};
std::unordered_map<HWND, Source> g_sources;

void PaintFrom(HWND hwnd, HDC target, int width, int height) {
    const auto found = g_sources.find(hwnd);
    if (found == g_sources.end()) return;
    BitBlt(target, 0, 0, width, height, found->second.dc, found->second.origin.x, found->second.origin.y, SRCCOPY);
}

void PaintWindow(HWND hwnd) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client{};
    GetClientRect(hwnd, &client);
    PaintFrom(hwnd, dc, client.right, client.bottom);
    EndPaint(hwnd, &paint);
}

// ---- windows

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintWindow(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: PaintWindow(hwnd); return TRUE;
    case WM_ERASEBKGND: SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 1); return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        PaintFrom(item.hwndItem, item.hDC, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top);
        return TRUE;
    }
    case WM_CLOSE: DestroyWindow(hwnd); return TRUE;
    case WM_DESTROY:
        if (!GetParent(hwnd)) PostQuitMessage(0);
        return TRUE;
    default: return FALSE;
    }
}

// An empty dialog template (no menu, default class, no title, the program's font).
std::vector<WORD> DialogTemplate(DWORD style, DWORD exStyle) {
    DLGTEMPLATE head{};
    head.style = style;
    head.dwExtendedStyle = exStyle;
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD));
    memcpy(words.data(), &head, sizeof(DLGTEMPLATE));
    words.insert(words.end(), {0, 0, 0, 8});
    for (const wchar_t* p = L"MS Shell Dlg"; *p; ++p) words.push_back(static_cast<WORD>(*p));
    words.push_back(0);
    if (words.size() % 2) words.push_back(0);
    return words;
}

HWND CreateDialogWindow(HWND parent, DWORD style, DWORD exStyle) {
    const std::vector<WORD> words = DialogTemplate(style, exStyle);
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                                      parent, &DialogProc, 0);
}

HWND CreateChild(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& r, HWND parent, const Picture& from,
                 POINT origin) {
    HWND hwnd = CreateWindowExW(exStyle, className, L"", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd) g_sources[hwnd] = Source{from.dc, origin};
    return hwnd;
}

void CreateButtons(HWND parent, const Picture& picture, const WindowLayout& window) {
    const std::wstring layout = g_runFolder + L"Skins\\" + window.layoutFile;
    for (int key : window.buttonKeys) {
        const RECT r = ButtonRect(layout, key);
        CreateChild(L"BUTTON", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, r, parent, picture, POINT{r.left, r.top});
    }
}

void CreateLightingControls(HWND page, const Picture& picture) {
    const SIZE below = BitmapFileSize((g_runFolder + L"Skins\\arrow_below.bmp").c_str());
    const SIZE left = BitmapFileSize((g_runFolder + L"Skins\\arrow_left.bmp").c_str());
    for (size_t i = 0; i < 4; ++i) {
        const RECT& r = kSliderRects[i];
        HWND slider = CreateChild(kPlainClass, WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, r, page, picture,
                                  POINT{r.left, r.top});
        const SIZE thumb = i < 3 ? below : left;
        CreateChild(kPlainClass, WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP, WS_EX_TRANSPARENT,
                    RECT{0, 0, thumb.cx, thumb.cy}, slider, picture, POINT{r.left, r.top});
    }
    const WPARAM font = static_cast<WPARAM>(SendMessageW(page, WM_GETFONT, 0, 0));
    for (const RECT& r : kEditRects) {
        HWND edit = CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"EDIT", L"",
                                    WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | ES_CENTER | ES_NUMBER |
                                        ES_AUTOHSCROLL,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, page, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        if (edit) SendMessageW(edit, WM_SETFONT, font, FALSE);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    g_runFolder = commandLine ? commandLine : L"";
    while (!g_runFolder.empty() && (g_runFolder.back() == L' ' || g_runFolder.back() == L'"')) g_runFolder.pop_back();
    if (!g_runFolder.empty() && g_runFolder.front() == L'"') g_runFolder.erase(0, 1);
    if (!g_runFolder.empty() && g_runFolder.back() != L'\\') g_runFolder += L'\\';

    WNDCLASSEXW plain{};
    plain.cbSize = sizeof(plain);
    plain.style = CS_DBLCLKS;
    plain.lpfnWndProc = &PlainProc;
    plain.hInstance = instance;
    plain.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    plain.lpszClassName = kPlainClass;
    if (!RegisterClassExW(&plain)) return 1;

    // The pictures first: the program has its skin pictures before its windows.
    wchar_t normal[MAX_PATH] = {};
    GetPrivateProfileStringW(L"SCREEN", L"Normal", L"", normal, MAX_PATH,
                             (g_runFolder + L"Skins\\skin_Config.ini").c_str());
    SIZE mainSize = BitmapFileSize((g_runFolder + L"Skins\\" + normal).c_str());
    if (mainSize.cx <= 0 || mainSize.cy <= 0) mainSize = SIZE{787, 430};
    const int pageWidth = kPageArea.right - kPageArea.left;
    const int pageHeight = kPageArea.bottom - kPageArea.top;
    const Picture mainPicture = MakePicture(mainSize.cx, mainSize.cy, 0x202830);
    const Picture mainControls = MakePicture(mainSize.cx, mainSize.cy, 0x8090A0);
    Picture pagePictures[4], pageControls[4];
    for (int i = 0; i < 4; ++i) {
        pagePictures[i] = MakePicture(pageWidth, pageHeight, 0x303840 + 0x10 * static_cast<DWORD>(i));
        pageControls[i] = MakePicture(pageWidth, pageHeight, 0xA0B0C0 - 0x10 * static_cast<DWORD>(i));
    }

    // The main window is created hidden and shown once its tree exists, as a dialog
    // whose template is visible is.
    HWND main = CreateDialogWindow(nullptr, DS_SETFONT | WS_POPUP | WS_CLIPCHILDREN, WS_EX_APPWINDOW);
    if (!main) return 1;
    g_sources[main] = Source{mainPicture.dc, POINT{0, 0}};
    SetWindowTextW(main, kTitle);
    MoveWindow(main, 0, 0, mainSize.cx, mainSize.cy, FALSE);
    CreateButtons(main, mainControls,
                  WindowLayout{L"skin_Config.ini", std::vector<int>(std::begin(kMainButtonKeys), std::end(kMainButtonKeys))});

    std::vector<int> keyButtons;
    for (int key = 40; key <= 153; ++key) keyButtons.push_back(key);
    const WindowLayout pages[4] = {
        {L"skin_main.ini", keyButtons},
        {L"Skin_Macro_control.ini", {4, 5, 6, 7, 8, 9}},
        {L"Skin_color_control.ini", {1, 0, 20}},
        {L"Skin_light_control.ini", {0, 1}},
    };
    HWND pageWindows[4] = {};
    for (int i = 0; i < 4; ++i) {
        HWND page = CreateDialogWindow(main, DS_SETFONT | DS_CONTROL | WS_CHILD, 0);
        if (!page) return 1;
        pageWindows[i] = page;
        g_sources[page] = Source{pagePictures[i].dc, POINT{0, 0}};
        CreateButtons(page, pageControls[i], pages[i]);
        if (i == 3) CreateLightingControls(page, pageControls[i]);
        SetWindowPos(page, nullptr, kPageArea.left, kPageArea.top, pageWidth, pageHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(pageWindows[0], SW_SHOW);
    ShowWindow(main, SW_SHOW);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
