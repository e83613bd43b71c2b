#include "accessibility/win/accessible_object.h"

#include <oleacc.h>

#include <vector>

#include "accessibility/win/oleacc_functions.h"

namespace tavrel::win {

static_assert(static_cast<DWORD>(AccRole::PushButton) == ROLE_SYSTEM_PUSHBUTTON &&
              static_cast<DWORD>(AccRole::RadioButton) == ROLE_SYSTEM_RADIOBUTTON &&
              static_cast<DWORD>(AccRole::PageTab) == ROLE_SYSTEM_PAGETAB &&
              static_cast<DWORD>(AccRole::Slider) == ROLE_SYSTEM_SLIDER &&
              static_cast<DWORD>(AccRole::ListItem) == ROLE_SYSTEM_LISTITEM &&
              static_cast<DWORD>(AccRole::Dialog) == ROLE_SYSTEM_DIALOG);
static_assert(kAccChecked == STATE_SYSTEM_CHECKED && kAccSelected == STATE_SYSTEM_SELECTED &&
              kAccUnavailable == STATE_SYSTEM_UNAVAILABLE && kAccFocusable == STATE_SYSTEM_FOCUSABLE &&
              kAccSelectable == STATE_SYSTEM_SELECTABLE && kAccInvisible == STATE_SYSTEM_INVISIBLE);

AccessibleInfo AccessibleSource::DescribePart(int) const { return {}; }
RECT AccessibleSource::PartRect(int) const { return RECT{}; }

// Interface identifiers come from the headers (__uuidof), never from a library: the
// import library of oleacc exports IID_IAccessible as a stub, which a link may take
// for the identifier itself.

// The COM object. It holds the window handle and the control only as a link the
// control cuts (Disconnect) when its window goes; the object itself lives as long as
// anyone holds a reference.
class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    AccessibleObject(HWND hwnd, AccessibleSource& source) : hwnd_(hwnd), source_(&source) {}
    void Disconnect() { source_ = nullptr; }

    // ---- IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (riid == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // ---- IDispatch: clients call the interface directly; no type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // ---- IOleWindow: lets WindowFromAccessibleObject find the window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (!hwnd) return E_POINTER;
        *hwnd = Live() ? hwnd_ : nullptr;
        return *hwnd ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // ---- IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        return StandardAccessible(hwnd_, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        *count = static_cast<LONG>(ChildWindows().size()) + source_->PartCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        const Child which = Resolve(child);
        if (which.kind == Child::Invalid || which.kind == Child::Self) return E_INVALIDARG;
        if (which.kind == Child::Part) return S_FALSE;  // a simple element of this object
        return StandardAccessible(which.window, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(object));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, [](const AccessibleInfo& info) { return info.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Text(child, value, [](const AccessibleInfo& info) { return info.value; });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override { return NoText(child, text); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override { return NoText(child, text); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return NoText(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Text(child, action, [](const AccessibleInfo& info) { return info.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return Live() ? S_FALSE : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [](const AccessibleInfo& info) { return static_cast<LONG>(info.role); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [this, &child](const AccessibleInfo& info) {
            DWORD bits = info.state;
            if (Resolve(child).kind == Child::Self) {
                if (!IsWindowVisible(hwnd_)) bits |= STATE_SYSTEM_INVISIBLE;
                if (!IsWindowEnabled(hwnd_)) bits |= STATE_SYSTEM_UNAVAILABLE;
                if (GetFocus() == hwnd_) bits |= STATE_SYSTEM_FOCUSED;
            }
            return static_cast<LONG>(bits);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        focus->vt = VT_EMPTY;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != hwnd_) return S_FALSE;
        focus->vt = VT_I4;
        focus->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        selection->vt = VT_EMPTY;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        const int part = source_->SelectedPart();
        if (part < 0) return S_FALSE;
        selection->vt = VT_I4;
        selection->lVal = static_cast<LONG>(ChildWindows().size()) + part + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override {
        return Live() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        const Child which = Resolve(child);
        RECT rect{};
        switch (which.kind) {
        case Child::Invalid: return E_INVALIDARG;
        case Child::Self: GetWindowRect(hwnd_, &rect); break;
        case Child::Window: GetWindowRect(which.window, &rect); break;
        case Child::Part:
            rect = PartScreenRect(which.part);
            break;
        }
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
        if (end) end->vt = VT_EMPTY;
        return Live() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (!child) return E_POINTER;
        child->vt = VT_EMPTY;
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        const POINT point{x, y};
        RECT window{};
        GetWindowRect(hwnd_, &window);
        if (!PtInRect(&window, point)) return S_FALSE;
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        const LONG windows = static_cast<LONG>(ChildWindows().size());
        for (int part = 0; part < source_->PartCount(); ++part) {
            const RECT rect = PartScreenRect(part);
            if (!IsRectEmpty(&rect) && PtInRect(&rect, point)) child->lVal = windows + part + 1;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        const Child which = Resolve(child);
        if (which.kind == Child::Invalid) return E_INVALIDARG;
        if (which.kind != Child::Self || !IsWindowEnabled(hwnd_)) return DISP_E_MEMBERNOTFOUND;
        return source_->DoDefaultAction() ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    // Calls from another process arrive on this thread while it pumps messages; the
    // window may have gone without the control having been able to say so (a crash in a
    // destructor is not our case, but a handle reused by another window would be).
    bool Live() const { return source_ && IsWindow(hwnd_); }

    std::vector<HWND> ChildWindows() const {
        std::vector<HWND> children;
        if (!source_->ListsChildWindows()) return children;
        for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }

    struct Child {
        enum Kind { Invalid, Self, Window, Part } kind = Invalid;
        HWND window = nullptr;
        int part = -1;
    };
    Child Resolve(const VARIANT& child) const {
        if (child.vt != VT_I4) return {};
        if (child.lVal == CHILDID_SELF) return {Child::Self};
        const std::vector<HWND> windows = ChildWindows();
        const LONG index = child.lVal - 1;
        if (index < 0) return {};
        if (index < static_cast<LONG>(windows.size())) return {Child::Window, windows[static_cast<size_t>(index)]};
        const LONG part = index - static_cast<LONG>(windows.size());
        if (part < source_->PartCount()) return {Child::Part, nullptr, static_cast<int>(part)};
        return {};
    }

    // The description of `child`; the platform answers for child windows.
    HRESULT Info(const VARIANT& child, AccessibleInfo& info) const {
        if (!Live()) return CO_E_OBJNOTCONNECTED;
        const Child which = Resolve(child);
        switch (which.kind) {
        case Child::Self: info = source_->Describe(); return S_OK;
        case Child::Part: info = source_->DescribePart(which.part); return S_OK;
        case Child::Window: return DISP_E_MEMBERNOTFOUND;
        case Child::Invalid: break;
        }
        return E_INVALIDARG;
    }

    template <typename Field>
    HRESULT Text(const VARIANT& child, BSTR* out, Field field) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessibleInfo info;
        const HRESULT found = Info(child, info);
        if (found != S_OK) return found;
        *out = AllocateBstr(field(info));
        return *out ? S_OK : S_FALSE;
    }
    template <typename Field>
    HRESULT Number(const VARIANT& child, VARIANT* out, Field field) const {
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        AccessibleInfo info;
        const HRESULT found = Info(child, info);
        if (found != S_OK) return found;
        out->vt = VT_I4;
        out->lVal = field(info);
        return S_OK;
    }
    HRESULT NoText(const VARIANT& child, BSTR* out) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessibleInfo info;
        const HRESULT found = Info(child, info);
        return found == S_OK ? S_FALSE : found;
    }

    RECT PartScreenRect(int part) const {
        RECT rect = source_->PartRect(part);
        if (IsRectEmpty(&rect)) GetClientRect(hwnd_, &rect);
        MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    LONG references_ = 1;
    HWND hwnd_;
    AccessibleSource* source_;  // not owned; nullptr once the control let go
};

bool AccessibleHost::Answer(HWND hwnd, AccessibleSource& source, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !hwnd) return false;
    if (!object_) object_ = new AccessibleObject(hwnd, source);
    result = ResultFromAccessible(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return true;
}

void AccessibleHost::Disconnect() {
    if (!object_) return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

void NotifyAccessibleChange(HWND hwnd, DWORD event) {
    if (hwnd) NotifyWinEvent(event, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace tavrel::win
