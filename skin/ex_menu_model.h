// The measuring and colour rules of the owner-drawn popup menu, and its item list,
// free of the platform.
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "skin/bitmap_btn_model.h"

namespace tavrel {

// Command ID 0 is a separator; 1 an item of zero height that takes no room.
inline constexpr uint64_t kMenuSeparatorId = 0;
inline constexpr uint64_t kMenuHiddenId = 1;
inline constexpr int kMenuMarkCurrent = 1;                      // shown in orange
inline constexpr uint32_t kMenuMarkColour = MakeRgb(230, 96, 1);  // 0x0160E6
inline constexpr int kMenuPixelsPerChar = 8;

struct MenuColours {
    uint32_t back = MakeRgb(255, 255, 255);    // m_crBack
    uint32_t selBack = kSkinAccent;            // m_crSelBack
    uint32_t separator = kSkinAccent;          // m_crSeparator
    uint32_t itemText = kSkinAccent;           // m_crItemText
    uint32_t selText = MakeRgb(255, 255, 255);  // m_crSelText
};

struct MenuItemEntry {
    std::u16string text;
    uint64_t id = 0;
    int mark = -1;
    bool opensSubmenu = false;
};

// CMenuItemList: one entry per appended item, in order. Entries never move, so the
// address of an entry's text can serve as the platform item's data.
class CMenuItemList {
public:
    const MenuItemEntry& Append(std::u16string text, uint64_t id, int mark, bool opensSubmenu = false);
    // First entry with this ID, or nullptr.
    const MenuItemEntry* Find(uint64_t id) const;
    // The entry whose text buffer is `textData`, or nullptr.
    const MenuItemEntry* FindByData(const void* textData) const;
    size_t Size() const { return items_.size(); }

private:
    std::list<MenuItemEntry> items_;
};

struct MenuItemSize {
    int width = 0;
    int height = 0;
};

// Separator 5, hidden item 0, any other itemHeight + 2; the width is always `width`.
MenuItemSize MeasureMenuItem(uint64_t id, int itemHeight, int width);

// m_nWidth after appending an item with this text: at least 8 pixels per character.
int MenuWidthAfterAppend(int width, size_t textLength);

// Colour of an item's text: selected or not, a mark of 1 is orange.
uint32_t MenuItemTextColour(bool selected, int mark, const MenuColours& colours);
uint32_t MenuItemBackColour(bool selected, const MenuColours& colours);

// Top of a text of `textHeight` centred in a rectangle (integer halving, as drawn).
int MenuTextTop(int rectTop, int rectHeight, int textHeight);

}  // namespace tavrel
