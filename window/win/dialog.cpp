#include "window/win/dialog.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "window/key_filter.h"
#include "window/win/handles.h"
#include "window/win/message_loop.h"

namespace tavrel::win {

// ---- creation hook
//
// A dialog window's WM_NCCREATE and WM_CREATE come before the dialog manager hands us
// the creation parameter (with WM_INITDIALOG). To let WM_CREATE reach the object, a
// computer-based-training hook for this thread is installed around the creation call;
// at HCBT_CREATEWND of the first dialog-class window it binds the pending object and
// subclasses the window. The pending object is thread-local and lives only for the
// duration of one creation call (nested creations save and restore it).

namespace {

thread_local Dialog* t_pendingDialog = nullptr;

bool IsDialogClassWindow(HWND hwnd) {
    wchar_t name[16] = {};
    return GetClassNameW(hwnd, name, 16) > 0 && std::wcscmp(name, L"#32770") == 0;
}

// The dialog procedure the dialog manager calls: all handling happens in our
// subclass procedure before it, so this only asks for the default behaviour.
INT_PTR CALLBACK DefaultDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

class DialogCreationHook {
public:
    explicit DialogCreationHook(Dialog* dialog) : previous_(t_pendingDialog), outer_(t_creationHook) {
        t_pendingDialog = dialog;
        t_creationHook = this;
        hook_ = UniqueHook(SetWindowsHookExW(WH_CBT, &HookProc, nullptr, GetCurrentThreadId()));
    }
    ~DialogCreationHook() {
        hook_.Reset();
        t_pendingDialog = previous_;
        t_creationHook = outer_;
    }
    DialogCreationHook(const DialogCreationHook&) = delete;
    DialogCreationHook& operator=(const DialogCreationHook&) = delete;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && t_pendingDialog) {
            HWND hwnd = reinterpret_cast<HWND>(wParam);
            if (IsDialogClassWindow(hwnd)) {
                Dialog* dialog = t_pendingDialog;
                t_pendingDialog = nullptr;
                dialog->BindAndSubclass(hwnd);
                // Its work is done: the dialog's own controls, created next, need not
                // pass through a hook (under Wine each hook call is a server round trip).
                if (t_creationHook) t_creationHook->hook_.Reset();
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static thread_local DialogCreationHook* t_creationHook;

    Dialog* previous_;
    DialogCreationHook* outer_;
    UniqueHook hook_;
};

thread_local DialogCreationHook* DialogCreationHook::t_creationHook = nullptr;

// ---- template

std::vector<WORD> BuildEmptyDialogTemplate(DWORD style, DWORD exStyle, short cx, short cy, const wchar_t* title) {
    DLGTEMPLATE head{};
    head.style = style;
    head.dwExtendedStyle = exStyle;
    head.cx = cx;
    head.cy = cy;
    static_assert(sizeof(DLGTEMPLATE) % sizeof(WORD) == 0);
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD));
    std::memcpy(words.data(), &head, sizeof(DLGTEMPLATE));
    words.push_back(0);  // no menu
    words.push_back(0);  // default dialog class
    for (const wchar_t* p = title ? title : L""; *p; ++p) words.push_back(static_cast<WORD>(*p));
    words.push_back(0);
    if (style & DS_SETFONT) {
        words.push_back(8);
        for (const wchar_t* p = L"MS Shell Dlg"; *p; ++p) words.push_back(static_cast<WORD>(*p));
        words.push_back(0);
    }
    // Templates are read as DWORD-aligned blocks.
    if (words.size() % 2) words.push_back(0);
    return words;
}

// ---- Dialog

Dialog::Dialog(UINT templateId, HMODULE module)
    : templateId_(templateId),
      module_(module),
      swallowedKeys_(std::begin(kDefaultSwallowedKeys), std::end(kDefaultSwallowedKeys)) {}

bool Dialog::CreateIndirect(const DLGTEMPLATE* tmpl, HWND parent) {
    if (Hwnd() || !tmpl) return false;
    HMODULE module = module_ ? module_ : GetModuleHandleW(nullptr);
    HWND hwnd = nullptr;
    {
        DialogCreationHook hook(this);
        hwnd = CreateDialogIndirectParamW(module, tmpl, parent, &DefaultDialogProc, 0);
    }
    return hwnd != nullptr && Hwnd() == hwnd;
}

bool Dialog::CreateFromTemplate(HWND parent, bool child) {
    HMODULE module = module_ ? module_ : GetModuleHandleW(nullptr);
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId_), MAKEINTRESOURCEW(5) /*RT_DIALOG*/)) {
        if (HGLOBAL loaded = LoadResource(module, found)) {
            if (const void* tmpl = LockResource(loaded)) {
                return CreateIndirect(static_cast<const DLGTEMPLATE*>(tmpl), parent);
            }
        }
    }
    const DWORD style = child ? (WS_CHILD | DS_CONTROL) : (WS_POPUP | WS_SYSMENU);
    const DWORD exStyle = child ? 0 : WS_EX_APPWINDOW;
    const std::vector<WORD> fallback = BuildEmptyDialogTemplate(style, exStyle, 100, 60);
    return CreateIndirect(reinterpret_cast<const DLGTEMPLATE*>(fallback.data()), parent);
}

bool Dialog::Create(HWND parent) {
    if (Hwnd()) return false;
    return CreateFromTemplate(parent, parent != nullptr);
}

namespace {

// The modal runs of this thread, outermost first.
std::vector<Dialog*>& ModalStack() {
    thread_local std::vector<Dialog*> stack;
    return stack;
}

}  // namespace

bool Dialog::ShouldEnd() const {
    if (ended_ || !Hwnd()) return true;
    for (Dialog* outer : ModalStack()) {
        if (outer == this) break;
        if (outer->ended_) return true;
    }
    return false;
}

INT_PTR Dialog::DoModal(HWND owner) {
    if (Hwnd() || modal_) return -1;
    if (!owner) owner = GetActiveWindow();
    if (owner) owner = GetAncestor(owner, GA_ROOT);

    modal_ = true;
    ended_ = false;
    result_ = -1;
    ModalStack().push_back(this);
    struct PopOnExit {
        Dialog* self;
        ~PopOnExit() {
            auto& stack = ModalStack();
            if (!stack.empty() && stack.back() == self) stack.pop_back();
            self->modal_ = false;
        }
    } pop{this};

    if (!CreateFromTemplate(owner, false)) return -1;

    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);

    bool quit = false;
    int quitCode = 0;
    MSG msg{};
    // See ShowWhenIdle.
    constexpr int kMessagesBeforeShowing = 16;
    int handled = 0;
    bool shown = !showWhenIdle_;
    if (shown && !ended_) ShowWindow(Hwnd(), SW_SHOW);
    while (!ShouldEnd()) {
        if (!shown && (handled == kMessagesBeforeShowing || !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))) {
            shown = true;
            ShowWindow(Hwnd(), SW_SHOW);
            continue;
        }
        ++handled;
        const BOOL got = GetLoopMessage(msg);
        if (got == 0) {
            quit = true;
            quitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) break;
        if (!PreTranslateThroughAncestors(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (!ended_) result_ = quit ? -1 : IDCANCEL;

    // Enable the owner before the dialog goes, so that activation returns to it.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (HWND hwnd = Hwnd()) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        DestroyWindow(hwnd);
    }
    // WM_QUIT ends every modal run of the thread: hand it on to the outer ones.
    if (quit) PostQuitMessage(quitCode);
    return result_;
}

void Dialog::EndModal(INT_PTR result) {
    if (!modal_ || ended_) return;
    result_ = result;
    ended_ = true;
    // Wake the loop in case nothing else is queued.
    if (Hwnd()) PostMessageW(Hwnd(), WM_NULL, 0, 0);
}

bool Dialog::PreTranslateMessage(MSG& msg) {
    if (IsSwallowedKeyMessage(msg.message, static_cast<uint32_t>(msg.wParam),
                              std::span<const uint32_t>(swallowedKeys_.data(), swallowedKeys_.size()))) {
        return true;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && Hwnd() &&
        (msg.hwnd == Hwnd() || IsChild(Hwnd(), msg.hwnd))) {
        return IsDialogMessageW(Hwnd(), &msg) != FALSE;
    }
    return false;
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // TRUE asks the dialog manager to put the focus on the first control. A dialog
        // without controls has none to get; asked all the same, some platforms focus
        // the hidden dialog itself, a round of activation messages to no purpose.
        return OnInitDialog() && GetWindow(Hwnd(), GW_CHILD) ? TRUE : FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) {
            OnCancel();
            return 0;
        }
        break;
    default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel::win
