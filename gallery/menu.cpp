// The popup menu in the skin's style: a host window that opens a CExMenu with a
// plain item, the current choice (orange), a separator, a hidden item and a submenu.
#include "gallery/gallery.h"
#include "skin/win/ex_menu.h"
#include "skin/win/skinned_window.h"

namespace tavrel::gallery {

namespace {

class MenuHost : public win::Window {
public:
    void Open() {
        CExMenu submenu(font_.Get());
        submenu.CreatePopup();
        submenu.AppendItem(2001, u"Volume up");
        submenu.AppendItem(2002, u"Volume down");
        submenu.m_nWidth = 135;

        CExMenu menu(font_.Get());
        menu.CreatePopup();
        menu.AppendItem(1001, u"Key combination");
        menu.AppendItem(1002, u"Default key", nullptr, 1);
        menu.AppendItem(0, u"");
        menu.AppendItem(1, u"");
        menu.AppendItem(1003, u"Record a macro");
        HMENU sub = submenu.Detach();
        menu.AppendItem(reinterpret_cast<UINT_PTR>(sub), u"Media keys", sub);
        menu.m_nWidth = 135;
        POINT at{20, 20};
        ClientToScreen(Hwnd(), &at);
        // Highlight the first item, as under the mouse.
        PostMessageW(Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        menu.TrackPopup(Hwnd(), at.x, at.y);
        PostQuitMessage(0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            PostQuitMessage(0);
            return 0;
        }
        return Window::WindowProc(message, wParam, lParam);
    }

private:
    win::UniqueFont font_ = CreateSkinFont(14);
};

int ShowMenu() {
    MenuHost host;
    if (!host.CreateEx(0, TitleFor(CurrentName()).c_str(), WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr)) return 1;
    host.Open();
    return 0;
}

}  // namespace

TAVREL_GALLERY_WINDOW(L"menu", ShowMenu);

}  // namespace tavrel::gallery
