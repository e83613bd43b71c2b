// The GDI and USER objects this process holds, for leak tests.
//
// GetGuiResources answers where the platform implements it. Where it is a stub (it
// returns 0 and sets ERROR_CALL_NOT_IMPLEMENTED, as under Wine), the counts come from
// the objects themselves: GDI objects are the live entries of the process's GDI handle
// table (the PEB's GdiSharedHandleTable), USER objects are the windows, menus and
// icons or cursors found among the user handle indices. Hooks and accelerator tables
// are not seen by that fallback.
#pragma once

#include <map>
#include <string>

namespace tavrel::test {

struct GuiObjectCounts {
    long gdi = 0;
    long user = 0;
    // How the counts were obtained: "GetGuiResources" or "handle tables".
    const char* source = "";
    // Breakdown by kind where the fallback provides one ("gdi type 5", "window",
    // "menu", "icon"), so a failing comparison names what leaked.
    std::map<std::string, long> byKind;
};

GuiObjectCounts CountGuiObjects();

// "gdi 1 more (gdi type 5 +1); user 0" style text of what changed from `before` to
// `after`, for failure messages.
std::string DescribeChange(const GuiObjectCounts& before, const GuiObjectCounts& after);

}  // namespace tavrel::test
