// Turns a menu described as data (MenuEntry) into owner-drawn popup menus (CExMenu).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "macros/menu_entry.h"
#include "skin/win/ex_menu.h"

namespace tavrel {

// The popup menus of one menu, root first. The root owns the submenus' handles (the
// platform destroys them with it), so the submenu objects let go of theirs.
class ExMenuTree {
public:
    ExMenuTree() = default;
    ExMenuTree(const ExMenuTree&) = delete;
    ExMenuTree& operator=(const ExMenuTree&) = delete;
    ~ExMenuTree();

    // `style` is applied to every menu of the tree before its items are appended.
    bool Build(const std::vector<MenuEntry>& entries, HFONT font, const std::function<void(CExMenu&)>& style = {});
    CExMenu* Root() { return menus_.empty() ? nullptr : menus_.front().get(); }

private:
    CExMenu* Fill(const std::vector<MenuEntry>& entries, HFONT font, const std::function<void(CExMenu&)>& style);

    std::vector<std::unique_ptr<CExMenu>> menus_;
};

}  // namespace tavrel
