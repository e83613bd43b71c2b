// A popup menu described as data, so that what a menu offers is decided (and tested)
// in portable code and the window layer only turns it into owner-drawn menus.
#pragma once

#include <string>
#include <vector>

namespace tavrel {

struct MenuEntry {
    int command = 0;            // 0 for separators and submenus
    std::u16string text;        // item text or submenu title
    int mark = -1;              // -1 no mark value; 0 unmarked; 1 drawn highlighted
    std::vector<MenuEntry> submenu;
    bool isSubmenu = false;
    int itemWidth = 0;          // a submenu's fixed item width in pixels; 0 = measured

    static MenuEntry Item(int command, std::u16string text, int mark = -1) {
        MenuEntry e;
        e.command = command;
        e.text = std::move(text);
        e.mark = mark;
        return e;
    }
    static MenuEntry Separator() { return MenuEntry{}; }
    static MenuEntry Popup(std::u16string title, std::vector<MenuEntry> items) {
        MenuEntry e;
        e.text = std::move(title);
        e.submenu = std::move(items);
        e.isSubmenu = true;
        return e;
    }
    bool IsSeparator() const { return !isSubmenu && command == 0 && text.empty(); }
};

}  // namespace tavrel
