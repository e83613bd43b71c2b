#include "window/win/window.h"

#include "window/win/message_loop.h"
#include "window/win/owner_draw_menu.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace tavrel::win {

namespace {

constexpr wchar_t kPlainClassName[] = L"TavrelWindow";

// The windows this thread's objects are bound to. Kept in the process rather than in
// the window (a property or GWLP_USERDATA): under Wine each such setting is a round
// trip to the server, one for each of the 159 windows at start, and a property is
// another on every message passed up a window's ancestors.
std::unordered_map<HWND, Window*>& BoundWindows() {
    thread_local std::unordered_map<HWND, Window*> bound;
    return bound;
}

}  // namespace

// Window procedure of the layer's own window class: binds the object passed as
// lpCreateParams at WM_NCCREATE, then routes everything to it.
LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* self = static_cast<Window*>(create->lpCreateParams)) {
            self->Bind(hwnd);
            self->previousProc_ = nullptr;
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::StaticProc));
            return self->Dispatch(message, wParam, lParam);
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

namespace {

bool RegisterPlainClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &PlainWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kPlainClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

Window::~Window() {
    if (hwnd_) {
        // Still alive: destroy it while the object can still answer; WM_NCDESTROY unbinds.
        HWND hwnd = hwnd_;
        DestroyWindow(hwnd);
        if (hwnd_) Unbind();
    }
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    const auto& bound = BoundWindows();
    const auto found = bound.find(hwnd);
    return found == bound.end() ? nullptr : found->second;
}

bool Window::CreateEx(DWORD exStyle, LPCWSTR title, DWORD style, int x, int y, int width, int height,
                      HWND parent, HMENU menuOrId) {
    if (hwnd_ || !RegisterPlainClass()) return false;
    HWND hwnd = CreateWindowExW(exStyle, kPlainClassName, title, style, x, y, width, height, parent,
                                menuOrId, GetModuleHandleW(nullptr), this);
    return hwnd != nullptr && hwnd_ == hwnd;
}

bool Window::CreateControl(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, HWND parent,
                           int id, DWORD exStyle) {
    if (hwnd_) return false;
    HWND hwnd = CreateWindowExW(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return false;
    if (!Subclass(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    return true;
}

bool Window::Subclass(HWND hwnd) {
    if (hwnd_ || !hwnd || FromHandle(hwnd)) return false;
    hwnd_ = hwnd;  // PreSubclassWindow may use Hwnd()
    PreSubclassWindow();
    hwnd_ = nullptr;
    BindAndSubclass(hwnd);
    return true;
}

void Window::Unsubclass() {
    if (!hwnd_) return;
    Unbind();
}

void Window::BindAndSubclass(HWND hwnd) {
    Bind(hwnd);
    previousProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::StaticProc)));
}

void Window::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    BoundWindows()[hwnd] = this;
}

void Window::Unbind() {
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    // Put the previous procedure back only if nobody subclassed the window after us.
    if (previousProc_ &&
        GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Window::StaticProc)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    }
    const auto found = BoundWindows().find(hwnd);
    if (found != BoundWindows().end() && found->second == this) BoundWindows().erase(found);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = FromHandle(hwnd);
    if (!self || self->hwnd_ != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Dispatch(message, wParam, lParam);
}

void Window::TrackSystemLoops(UINT message) {
    switch (message) {
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE:
        ++systemLoops_;
        BeginForeignLoop();
        break;
    case WM_EXITMENULOOP:
    case WM_EXITSIZEMOVE:
        if (systemLoops_ > 0) {
            --systemLoops_;
            EndForeignLoop();
        }
        break;
    case WM_NCDESTROY:
        // A loop whose window went away never reports its end.
        for (; systemLoops_ > 0; --systemLoops_) EndForeignLoop();
        break;
    default:
        break;
    }
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
    TrackSystemLoops(message);
    LRESULT result = 0;
    detail::WindowProcedureScope procedure;
    try {
        result = WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's frames; the message counts as handled.
        result = 0;
    }
    if (message == WM_NCDESTROY && hwnd_ == hwnd) {
        Unbind();
        OnFinalMessage();
    }
    return result;
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd_) return 0;
    if (previousProc_) return CallWindowProcW(previousProc_, hwnd_, message, wParam, lParam);
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::PreTranslateMessage(MSG&) { return false; }

bool Window::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Window::PreTranslateThroughAncestors(MSG& msg) {
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = GetParent(hwnd)) {
        if (Window* window = FromHandle(hwnd)) {
            if (window->PreTranslateMessage(msg)) return true;
        }
    }
    return false;
}

bool Window::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_MENU) {
            result = TRUE;
            return OwnerDrawMenu::DispatchDraw(*item);
        }
        child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_MENU) {
            result = TRUE;
            return OwnerDrawMenu::DispatchMeasure(*item);
        }
        child = GetDlgItem(hwnd_, static_cast<int>(item->CtlID));
        break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    default:
        return false;
    }
    if (!child || child == hwnd_) return false;
    Window* target = FromHandle(child);
    return target && target->OnReflectedMessage(message, wParam, lParam, result);
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, result)) return result;
    return DefaultProc(message, wParam, lParam);
}

// ---- owner-drawn menus

namespace {

std::vector<OwnerDrawMenu*>& LiveMenus() {
    thread_local std::vector<OwnerDrawMenu*> menus;
    return menus;
}

}  // namespace

OwnerDrawMenu::OwnerDrawMenu() { LiveMenus().push_back(this); }

OwnerDrawMenu::~OwnerDrawMenu() {
    auto& menus = LiveMenus();
    menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
}

bool OwnerDrawMenu::DispatchMeasure(MEASUREITEMSTRUCT& item) {
    auto menus = LiveMenus();  // a handler may create or destroy menus
    for (auto it = menus.rbegin(); it != menus.rend(); ++it) {
        if ((*it)->MeasureMenuItem(item)) return true;
    }
    return false;
}

bool OwnerDrawMenu::DispatchDescribe(HMENU menu, const MENUITEMINFOW& item, AccessibleInfo& info) {
    for (auto it = LiveMenus().rbegin(); it != LiveMenus().rend(); ++it) {
        if ((*it)->DescribeMenuItem(menu, item, info)) return true;
    }
    return false;
}

bool OwnerDrawMenu::DispatchDraw(const DRAWITEMSTRUCT& item) {
    auto menus = LiveMenus();
    for (auto it = menus.rbegin(); it != menus.rend(); ++it) {
        if ((*it)->DrawMenuItem(item)) return true;
    }
    return false;
}

}  // namespace tavrel::win
