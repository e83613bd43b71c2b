// The lean floor of the start-up figure: the least any program pays to show the
// program's window tree. The main window and its four pages are dialogs with the
// program's styles and font, under its manifest; every skinned button is an
// owner-drawn push button at the place its skin layout file gives it (one profile
// function call per file reads them all); the lighting page has its four sliders with
// their thumbs and its three number boxes. A shown dialog paints one ready picture of
// its own size with one BitBlt, and each of its buttons its own part of that picture
// with one more. Nothing else: no C++ library, no table of windows (a control's id is
// its place in a fixed array), no picture for a page nobody has shown yet.
//
// Usage: lean_floor.exe <run folder>   (the folder that holds Skins\)
#include <windows.h>

#include <cwchar>

#include "bench/win/floor_tree.h"

using namespace tavrel::bench;

namespace {

constexpr wchar_t kTitle[] = L"Lean start-up floor";
// Where each button sits in its dialog: its control id is its index here.
constexpr int kMaxButtons = 200;
POINT g_origins[kMaxButtons];
int g_buttonCount = 0;

wchar_t g_skins[MAX_PATH];  // "<run folder>\Skins\"

void SkinPath(wchar_t* path, const wchar_t* file) {
    lstrcpynW(path, g_skins, MAX_PATH);
    lstrcatW(path, file);
}

// ---- pictures: one per dialog, made when the dialog first paints

struct Picture {
    HWND owner;
    HDC dc;
};
Picture g_pictures[5];
int g_pictureCount = 0;

HDC PictureOf(HWND dialog) {
    for (int i = 0; i < g_pictureCount; ++i) {
        if (g_pictures[i].owner == dialog) return g_pictures[i].dc;
    }
    if (g_pictureCount == 5) return nullptr;
    RECT client;
    GetClientRect(dialog, &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    SelectObject(dc, CreateCompatibleBitmap(screen, client.right, client.bottom));
    ReleaseDC(nullptr, screen);
    PatBlt(dc, 0, 0, client.right, client.bottom, WHITENESS);
    g_pictures[g_pictureCount++] = Picture{dialog, dc};
    return dc;
}

// ---- windows

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PictureOf(hwnd), r.left, r.top, SRCCOPY);
        EndPaint(hwnd, &paint);
        return TRUE;
    }
    case WM_ERASEBKGND: SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 1); return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID >= static_cast<UINT>(g_buttonCount)) return FALSE;
        const POINT origin = g_origins[item.CtlID];
        BitBlt(item.hDC, 0, 0, item.rcItem.right, item.rcItem.bottom, PictureOf(hwnd), origin.x, origin.y, NOTSRCCOPY);
        return TRUE;
    }
    case WM_CLOSE: DestroyWindow(hwnd); return TRUE;
    case WM_DESTROY:
        if (!GetParent(hwnd)) PostQuitMessage(0);
        return TRUE;
    default: return FALSE;
    }
}

// An empty dialog template: no menu, default class, no title, the program's font.
struct EmptyTemplate {
    DLGTEMPLATE head;
    WORD menu, windowClass, title, pointSize;
    wchar_t face[13];
};

HWND CreateDialogWindow(HWND parent, DWORD style, DWORD exStyle) {
    EmptyTemplate t{};
    t.head.style = style | DS_SETFONT;
    t.head.dwExtendedStyle = exStyle;
    t.pointSize = 8;
    lstrcpyW(t.face, L"MS Shell Dlg");
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &t.head, parent, &DialogProc, 0);
}

HWND CreateControl(const wchar_t* className, DWORD style, DWORD exStyle, const RECT& r, HWND parent, INT_PTR id) {
    return CreateWindowExW(exStyle, className, L"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
}

// The buttons of a dialog, at the places its layout file lists under [BUTTONPOS]
// ("key=name,x,y,w,h,picture"); a key the file does not list gets an empty button, as
// it does in the program.
void CreateButtons(HWND dialog, const wchar_t* layoutFile, const int* keys, int keyCount) {
    wchar_t layout[MAX_PATH];
    SkinPath(layout, layoutFile);
    static wchar_t section[32768];
    GetPrivateProfileSectionW(L"BUTTONPOS", section, 32768, layout);
    RECT places[256] = {};
    for (const wchar_t* line = section; *line; line += lstrlenW(line) + 1) {
        const int key = _wtoi(line);
        const wchar_t* comma = wcschr(line, L',');
        int x = 0, y = 0, w = 0, h = 0;
        if (key < 0 || key > 255 || !comma || swscanf(comma + 1, L"%d,%d,%d,%d", &x, &y, &w, &h) != 4) continue;
        places[key] = RECT{x, y, x + w, y + h};
    }
    for (int i = 0; i < keyCount && g_buttonCount < kMaxButtons; ++i) {
        const RECT& place = places[keys[i]];
        g_origins[g_buttonCount] = POINT{place.left, place.top};
        CreateControl(L"BUTTON", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, place, dialog, g_buttonCount++);
    }
}

SIZE SkinBitmapSize(const wchar_t* file) {
    wchar_t path[MAX_PATH];
    SkinPath(path, file);
    return BitmapFileSize(path);
}

void CreateLightingControls(HWND page) {
    const SIZE below = SkinBitmapSize(L"arrow_below.bmp");
    const SIZE left = SkinBitmapSize(L"arrow_left.bmp");
    for (int i = 0; i < 4; ++i) {
        HWND slider = CreateControl(kPlainClass, WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, kSliderRects[i], page, 0);
        const SIZE thumb = i < 3 ? below : left;
        CreateControl(kPlainClass, WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP, 0, RECT{0, 0, thumb.cx, thumb.cy},
                      slider, 0);
    }
    const WPARAM font = static_cast<WPARAM>(SendMessageW(page, WM_GETFONT, 0, 0));
    for (const RECT& r : kEditRects) {
        HWND edit = CreateControl(L"EDIT",
                                  WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | ES_CENTER | ES_NUMBER |
                                      ES_AUTOHSCROLL,
                                  WS_EX_NOPARENTNOTIFY, r, page, 0);
        SendMessageW(edit, WM_SETFONT, font, FALSE);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    // The run folder, with or without quotes.
    const wchar_t* folder = commandLine ? commandLine : L"";
    while (*folder == L' ' || *folder == L'"') ++folder;
    lstrcpynW(g_skins, folder, MAX_PATH - 8);
    for (int n = lstrlenW(g_skins); n > 0 && (g_skins[n - 1] == L' ' || g_skins[n - 1] == L'"'); --n) {
        g_skins[n - 1] = 0;
    }
    if (const int n = lstrlenW(g_skins); n > 0 && g_skins[n - 1] != L'\\') lstrcatW(g_skins, L"\\");
    lstrcatW(g_skins, L"Skins\\");

    WNDCLASSW plain{};
    plain.style = CS_DBLCLKS;
    plain.lpfnWndProc = &PlainProc;
    plain.hInstance = instance;
    plain.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    plain.lpszClassName = kPlainClass;
    if (!RegisterClassW(&plain)) return 1;

    wchar_t normal[MAX_PATH] = {}, layout[MAX_PATH];
    SkinPath(layout, L"skin_Config.ini");
    GetPrivateProfileStringW(L"SCREEN", L"Normal", L"", normal, MAX_PATH, layout);
    SIZE mainSize = SkinBitmapSize(normal);
    if (mainSize.cx <= 0 || mainSize.cy <= 0) mainSize = SIZE{787, 430};

    // Created hidden, shown once its tree exists, as a dialog whose template is visible is.
    HWND main = CreateDialogWindow(nullptr, WS_POPUP | WS_CLIPCHILDREN, WS_EX_APPWINDOW);
    if (!main) return 1;
    SetWindowTextW(main, kTitle);
    MoveWindow(main, 0, 0, mainSize.cx, mainSize.cy, FALSE);
    CreateButtons(main, L"skin_Config.ini", kMainButtonKeys, sizeof(kMainButtonKeys) / sizeof(int));

    int keyPageKeys[114];
    for (int i = 0; i < 114; ++i) keyPageKeys[i] = 40 + i;
    struct PageLayout {
        const wchar_t* file;
        const int* keys;
        int keyCount;
    };
    static const int kMacroKeys[] = {4, 5, 6, 7, 8, 9}, kAdvancedKeys[] = {1, 0, 20}, kLightingKeys[] = {0, 1};
    const PageLayout pages[4] = {
        {L"skin_main.ini", keyPageKeys, 114},
        {L"Skin_Macro_control.ini", kMacroKeys, 6},
        {L"Skin_color_control.ini", kAdvancedKeys, 3},
        {L"Skin_light_control.ini", kLightingKeys, 2},
    };
    HWND firstPage = nullptr;
    for (int i = 0; i < 4; ++i) {
        HWND page = CreateDialogWindow(main, DS_CONTROL | WS_CHILD, 0);
        if (!page) return 1;
        if (i == 0) firstPage = page;
        CreateButtons(page, pages[i].file, pages[i].keys, pages[i].keyCount);
        if (i == 3) CreateLightingControls(page);
        SetWindowPos(page, nullptr, kPageArea.left, kPageArea.top, kPageArea.right - kPageArea.left,
                     kPageArea.bottom - kPageArea.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(firstPage, SW_SHOW);
    ShowWindow(main, SW_SHOW);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
