// Owner-drawn popup menus have no window of their own: the platform sends their
// WM_MEASUREITEM and WM_DRAWITEM to the menu's owner window. The window layer's
// default handling forwards them to the live menu object that owns the item; a
// menu object registers itself for its lifetime (UI thread only).
#pragma once

#include <windows.h>

namespace tavrel::win {

class OwnerDrawMenu {
public:
    OwnerDrawMenu(const OwnerDrawMenu&) = delete;
    OwnerDrawMenu& operator=(const OwnerDrawMenu&) = delete;
    virtual ~OwnerDrawMenu();

    // True when the item belongs to this menu and was measured / drawn.
    virtual bool MeasureMenuItem(MEASUREITEMSTRUCT& item) = 0;
    virtual bool DrawMenuItem(const DRAWITEMSTRUCT& item) = 0;

    // Offers the item to the live menus, newest first. True when one took it.
    static bool DispatchMeasure(MEASUREITEMSTRUCT& item);
    static bool DispatchDraw(const DRAWITEMSTRUCT& item);

protected:
    OwnerDrawMenu();
};

}  // namespace tavrel::win
