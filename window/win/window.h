// Our thin window layer over Win32: a C++ object bound to its HWND.
//
// How a window class of the program is written:
//   - Derive from Window (plain window or a subclassed control) or Dialog (dialog.h).
//   - Override WindowProc with ONE switch over the messages the window handles; each
//     case calls a small typed handler; everything else ends in the base class's
//     WindowProc, which runs the default handling (the previous window procedure,
//     DefDlgProc for dialogs, DefWindowProc for plain windows) and reflects owner-draw
//     messages to the child objects that drew them.
//   - Override PreTranslateMessage to see (and swallow, by returning true) messages
//     before they are dispatched; our message loops call it for the message's target
//     window and then for each of its ancestors (parent, or owner for a top-level
//     window) until one returns true.
//   - Child controls are by-value members, created in the owner's creation handler;
//     the owner tells them apart by window handle (skinned buttons all have ID 0).
//
// The object is bound once: `this` is entered in this thread's table of bound windows
// when the window is created (WM_NCCREATE for plain windows, the thread's creation hook for dialogs, see
// dialog.cpp) or when a control is subclassed, and unbound at WM_NCDESTROY, after
// which Hwnd() is nullptr. An object must outlive its window or destroy it first (the
// destructor destroys a window that still exists). No exception leaves a window
// procedure.
#pragma once

#include <windows.h>

namespace tavrel::win {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Hwnd() const { return hwnd_; }

    // The object bound to `hwnd` by this layer, or nullptr for a foreign window.
    static Window* FromHandle(HWND hwnd);

    // Creates a plain window of this layer's own window class, bound before its first
    // message (WM_CREATE reaches WindowProc). Returns false when creation failed.
    bool CreateEx(DWORD exStyle, LPCWSTR title, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menuOrId = nullptr);

    // Creates a window of an existing class (a platform control such as "BUTTON") and
    // subclasses it: from then on its messages reach WindowProc first.
    bool CreateControl(LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, HWND parent,
                       int id, DWORD exStyle = 0);

    // Binds this object to an existing window and routes its messages through
    // WindowProc; the previous procedure becomes the default handling.
    bool Subclass(HWND hwnd);
    // Gives the window its previous procedure back and unbinds the object.
    void Unsubclass();

    // Pre-translation before dispatch; true swallows the message. Base: nothing.
    virtual bool PreTranslateMessage(MSG& msg);

    // Sends `message` through every pre-translation from msg.hwnd up through its
    // ancestors (GetParent: parent, or owner of a top-level window). True when one of
    // them swallowed it. Our message loops call this for every message.
    static bool PreTranslateThroughAncestors(MSG& msg);

protected:
    // The window's one dispatch switch. The base handles owner-draw reflection and
    // otherwise calls DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The handling the window would get without us.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Owner-draw and notification messages the parent reflected back to this child
    // (WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_COMMAND, WM_NOTIFY). Return true
    // and set `result` when handled; otherwise the parent runs its default handling.
    virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Called before a control is subclassed (the window exists, messages do not reach
    // WindowProc yet).
    virtual void PreSubclassWindow() {}
    // Called after the last message (WM_NCDESTROY); the object is unbound already.
    virtual void OnFinalMessage() {}

    // Binding used by the dialog creation hook: stores the object in the window and
    // replaces its procedure, keeping the class procedure as the default handling.
    void BindAndSubclass(HWND hwnd);

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hwnd);
    void Unbind();
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    friend class DialogCreationHook;
    friend LRESULT CALLBACK PlainWindowProc(HWND, UINT, WPARAM, LPARAM);

    void TrackSystemLoops(UINT message);

    HWND hwnd_ = nullptr;
    WNDPROC previousProc_ = nullptr;  // nullptr: DefWindowProcW
    int systemLoops_ = 0;  // menu and move loops this window is in (see message_loop.h)
};

}  // namespace tavrel::win
