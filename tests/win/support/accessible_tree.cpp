#include "tests/win/support/accessible_tree.h"

#include <oleacc.h>

#include <memory>

namespace tavrel::test {

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const {
        if (object) object->Release();
    }
};
using AccessiblePtr = std::unique_ptr<IAccessible, ComRelease>;

AccessiblePtr ClientObject(HWND hwnd) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return AccessiblePtr(object);
}

std::wstring TakeBstr(BSTR text) {
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

VARIANT Child(long child) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

void Read(IAccessible& object, AccessibleNode& node) {
    const VARIANT child = Child(node.child);
    BSTR text = nullptr;
    object.get_accName(child, &text);
    node.name = TakeBstr(text);
    text = nullptr;
    object.get_accValue(child, &text);
    node.value = TakeBstr(text);
    text = nullptr;
    object.get_accDefaultAction(child, &text);
    node.action = TakeBstr(text);
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(object.get_accRole(child, &v)) && v.vt == VT_I4) node.role = v.lVal;
    VariantClear(&v);
    if (SUCCEEDED(object.get_accState(child, &v)) && v.vt == VT_I4) node.state = v.lVal;
    VariantClear(&v);
}

bool Shown(HWND hwnd) {
    RECT rect{};
    return IsWindowVisible(hwnd) && GetWindowRect(hwnd, &rect) && !IsRectEmpty(&rect);
}

void Walk(IAccessible& object, HWND hwnd, int depth, std::vector<AccessibleNode>& out) {
    AccessibleNode self;
    self.depth = depth;
    self.window = hwnd;
    Read(object, self);
    out.push_back(self);

    LONG count = 0;
    if (FAILED(object.get_accChildCount(&count)) || count <= 0) return;
    std::vector<VARIANT> children(static_cast<size_t>(count));
    LONG obtained = 0;
    if (FAILED(AccessibleChildren(&object, 0, count, children.data(), &obtained))) return;
    for (LONG i = 0; i < obtained; ++i) {
        VARIANT& child = children[static_cast<size_t>(i)];
        if (child.vt == VT_I4) {
            AccessibleNode part;
            part.depth = depth + 1;
            part.window = hwnd;
            part.child = child.lVal;
            Read(object, part);
            out.push_back(part);
        } else if (child.vt == VT_DISPATCH && child.pdispVal) {
            // A child window: walk its client object, as a reader goes from a window to
            // its client area.
            HWND childWindow = nullptr;
            IAccessible* childObject = nullptr;
            if (SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&childObject)))) {
                WindowFromAccessibleObject(childObject, &childWindow);
                childObject->Release();
            }
            if (childWindow && childWindow != hwnd && Shown(childWindow)) {
                if (AccessiblePtr client = ClientObject(childWindow)) Walk(*client, childWindow, depth + 1, out);
            }
        }
        VariantClear(&child);
    }
}

}  // namespace

std::vector<AccessibleNode> WalkAccessibleTree(HWND root) {
    std::vector<AccessibleNode> nodes;
    if (AccessiblePtr object = ClientObject(root)) Walk(*object, root, 0, nodes);
    return nodes;
}

bool ReadAccessibleNode(AccessibleNode& node) {
    AccessiblePtr object = ClientObject(node.window);
    if (!object) return false;
    Read(*object, node);
    return true;
}

HRESULT DoAccessibleDefaultAction(const AccessibleNode& node) {
    AccessiblePtr object = ClientObject(node.window);
    return object ? object->accDoDefaultAction(Child(node.child)) : E_FAIL;
}

std::wstring RoleText(long role) {
    wchar_t text[128] = {};
    GetRoleTextW(static_cast<DWORD>(role), text, 128);
    return text;
}

std::wstring NodeLine(const AccessibleNode& node) {
    std::wstring line(static_cast<size_t>(node.depth) * 2, L' ');
    line += RoleText(node.role) + L" \"" + node.name + L"\"";
    if (!node.value.empty()) line += L" value \"" + node.value + L"\"";
    if (node.state & STATE_SYSTEM_CHECKED) line += L" checked";
    if (node.state & STATE_SYSTEM_SELECTED) line += L" selected";
    if (node.state & STATE_SYSTEM_UNAVAILABLE) line += L" unavailable";
    if (!node.action.empty()) line += L" action \"" + node.action + L"\"";
    return line;
}

}  // namespace tavrel::test
