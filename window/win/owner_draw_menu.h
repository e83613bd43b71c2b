// Owner-drawn popup menus have no window of their own: the platform sends their
// WM_MEASUREITEM and WM_DRAWITEM to the menu's owner window. The window layer's
// default handling forwards them to the live menu object that owns the item; a
// menu object registers itself for its lifetime (UI thread only).
#pragma once

#include <windows.h>

#include "accessibility/accessible_info.h"

namespace tavrel::win {

class OwnerDrawMenu {
public:
    OwnerDrawMenu(const OwnerDrawMenu&) = delete;
    OwnerDrawMenu& operator=(const OwnerDrawMenu&) = delete;
    virtual ~OwnerDrawMenu();

    // True when the item belongs to this menu and was measured / drawn.
    virtual bool MeasureMenuItem(MEASUREITEMSTRUCT& item) = 0;
    virtual bool DrawMenuItem(const DRAWITEMSTRUCT& item) = 0;

    // What a screen reader hears of item `item` of `menu`, when it is this menu's.
    virtual bool DescribeMenuItem(HMENU, const MENUITEMINFOW&, AccessibleInfo&) const { return false; }

    // Offers the item to the live menus, newest first. True when one took it.
    static bool DispatchMeasure(MEASUREITEMSTRUCT& item);
    static bool DispatchDraw(const DRAWITEMSTRUCT& item);
    static bool DispatchDescribe(HMENU menu, const MENUITEMINFOW& item, AccessibleInfo& info);

protected:
    OwnerDrawMenu();
};

}  // namespace tavrel::win
