// A window's accessible tree as a screen reader walks it through oleacc: the client
// object of a window, then depth-first each child (a child window through its own
// client object, a part of an object by its child number). Shared by the Windows-side
// tests and the helper the end-to-end tests drive from a second process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tavrel::test {

struct AccessibleNode {
    int depth = 0;
    long role = 0;
    std::wstring name;
    std::wstring value;
    std::wstring action;
    long state = 0;
    HWND window = nullptr;  // the window whose client object this is, or holds this part
    long child = 0;         // 0: the window's own object; otherwise the part's number
};

// Hidden and empty windows are left out, as a screen reader leaves them out.
std::vector<AccessibleNode> WalkAccessibleTree(HWND root);

// The node's values read again (after a change), found by its window and child number.
bool ReadAccessibleNode(AccessibleNode& node);

// accDoDefaultAction on the node; its HRESULT.
HRESULT DoAccessibleDefaultAction(const AccessibleNode& node);

// "push button", "radio button", ... as the platform names the role.
std::wstring RoleText(long role);
// One line: indentation, role, quoted name, value and states.
std::wstring NodeLine(const AccessibleNode& node);

}  // namespace tavrel::test
