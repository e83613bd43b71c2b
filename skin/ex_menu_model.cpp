#include "skin/ex_menu_model.h"

#include <algorithm>
#include <limits>

namespace tavrel {

const MenuItemEntry& CMenuItemList::Append(std::u16string text, uint64_t id, int mark, bool opensSubmenu) {
    items_.push_back(MenuItemEntry{std::move(text), id, mark, opensSubmenu});
    return items_.back();
}

const MenuItemEntry* CMenuItemList::Find(uint64_t id) const {
    for (const MenuItemEntry& entry : items_) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

const MenuItemEntry* CMenuItemList::FindByData(const void* textData) const {
    if (!textData) return nullptr;
    for (const MenuItemEntry& entry : items_) {
        if (static_cast<const void*>(entry.text.c_str()) == textData) return &entry;
    }
    return nullptr;
}

MenuItemSize MeasureMenuItem(uint64_t id, int itemHeight, int width) {
    if (id == kMenuSeparatorId) return {width, 5};
    if (id == kMenuHiddenId) return {width, 0};
    return {width, itemHeight + 2};
}

int MenuWidthAfterAppend(int width, size_t textLength) {
    const size_t limit = static_cast<size_t>(std::numeric_limits<int>::max() / kMenuPixelsPerChar);
    const int textWidth = static_cast<int>(std::min(textLength, limit)) * kMenuPixelsPerChar;
    return std::max(width, textWidth);
}

uint32_t MenuItemTextColour(bool selected, int mark, const MenuColours& colours) {
    if (mark == kMenuMarkCurrent) return kMenuMarkColour;
    return selected ? colours.selText : colours.itemText;
}

uint32_t MenuItemBackColour(bool selected, const MenuColours& colours) {
    return selected ? colours.selBack : colours.back;
}

int MenuTextTop(int rectTop, int rectHeight, int textHeight) { return rectTop + (rectHeight - textHeight) / 2; }

}  // namespace tavrel
