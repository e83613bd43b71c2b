#include "macros/win/ex_menu_builder.h"

namespace tavrel {

ExMenuTree::~ExMenuTree() {
    for (size_t i = 1; i < menus_.size(); ++i) menus_[i]->Detach();
    menus_.clear();
}

bool ExMenuTree::Build(const std::vector<MenuEntry>& entries, HFONT font, const std::function<void(CExMenu&)>& style) {
    menus_.clear();
    return Fill(entries, font, style) != nullptr;
}

CExMenu* ExMenuTree::Fill(const std::vector<MenuEntry>& entries, HFONT font,
                          const std::function<void(CExMenu&)>& style) {
    menus_.push_back(std::make_unique<CExMenu>(font));
    CExMenu* menu = menus_.back().get();
    if (!menu->CreatePopup()) return nullptr;
    if (style) style(*menu);
    for (const MenuEntry& entry : entries) {
        if (entry.isSubmenu) {
            CExMenu* sub = Fill(entry.submenu, font, style);
            if (sub == nullptr) return nullptr;
            if (entry.itemWidth > 0) sub->m_nWidth = entry.itemWidth;
            const HMENU handle = sub->Handle();
            menu->AppendItem(reinterpret_cast<UINT_PTR>(handle), entry.text, handle, entry.mark);
        } else {
            menu->AppendItem(static_cast<UINT_PTR>(entry.command), entry.text, nullptr, entry.mark);
        }
    }
    return menu;
}

}  // namespace tavrel
