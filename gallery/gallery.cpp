#include "gallery/gallery.h"

#include "window/win/message_loop.h"

namespace tavrel::gallery {

std::vector<Entry>& Registry() {
    static std::vector<Entry> entries;
    return entries;
}

bool Register(const wchar_t* name, std::function<int()> show) {
    Registry().push_back(Entry{name, std::move(show)});
    return true;
}

std::wstring TitleFor(const std::wstring& name) { return L"Gallery: " + name; }

namespace {

// A borderless top-level window holding one page; it takes the page's size and is
// moved when the page forwards a press on its surface.
class PageHost : public win::Window {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_CLOSE:
            DestroyWindow(Hwnd());
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            break;
        default:
            break;
        }
        return Window::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

int HostPage(win::Dialog& page, const std::function<void()>& created) {
    PageHost host;
    if (!host.CreateEx(WS_EX_APPWINDOW, TitleFor(CurrentName()).c_str(), WS_POPUP | WS_SYSMENU, 0, 0, 785, 267,
                       nullptr)) {
        return 1;
    }
    if (!page.Create(host.Hwnd())) return 1;
    if (created) created();
    RECT rect{};
    GetWindowRect(page.Hwnd(), &rect);
    SetWindowPos(host.Hwnd(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER);
    SetWindowPos(page.Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(page.Hwnd(), SW_SHOW);
    ShowWindow(host.Hwnd(), SW_SHOW);
    MSG msg{};
    while (win::GetLoopMessage(msg) > 0) {
        if (!win::Window::PreTranslateThroughAncestors(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}

}  // namespace tavrel::gallery
