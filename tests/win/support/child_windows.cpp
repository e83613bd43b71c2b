#include "tests/win/support/child_windows.h"

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
    struct Search {
        HWND parent;
        const wchar_t* className;
        std::vector<HWND> found;
    } search{parent, className, {}};
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (GetParent(hwnd) == s->parent && lstrcmpiW(name, s->className) == 0) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
