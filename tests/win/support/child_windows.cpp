#include "tests/win/support/child_windows.h"

#include <functional>

namespace {

bool HasClass(HWND hwnd, const wchar_t* className) {
    if (!className) return true;
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return lstrcmpiW(name, className) == 0;
}

// The descendants of `parent` (top-level windows when nullptr) that `keep` accepts.
std::vector<HWND> Collect(HWND parent, const std::function<bool(HWND)>& keep) {
    struct Search {
        const std::function<bool(HWND)>& keep;
        std::vector<HWND> found;
    } search{keep, {}};
    const WNDENUMPROC visit = [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (s->keep(hwnd)) s->found.push_back(hwnd);
        return TRUE;
    };
    if (parent) {
        EnumChildWindows(parent, visit, reinterpret_cast<LPARAM>(&search));
    } else {
        EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

}  // namespace

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
    return Collect(parent, [&](HWND hwnd) { return GetParent(hwnd) == parent && HasClass(hwnd, className); });
}

std::vector<HWND> DescendantsOfClass(HWND parent, const wchar_t* className) {
    return Collect(parent, [&](HWND hwnd) { return HasClass(hwnd, className); });
}

std::vector<HWND> TopWindowsOf(DWORD pid, const wchar_t* className) {
    return Collect(nullptr, [&](HWND hwnd) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        return owner == pid && IsWindowVisible(hwnd) && HasClass(hwnd, className);
    });
}
