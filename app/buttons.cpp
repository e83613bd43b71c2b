#include "app/buttons.h"

#include "config/text.h"

namespace tavrel {

const std::array<MainButtonDef, kMainButtonCount> kMainButtons = {{
    {MainButton::PageKeys, 1, 101, 0, false},
    {MainButton::PageMacros, 2, 102, 0, false},
    {MainButton::PageAdvanced, 3, 103, 0, false},
    {MainButton::PageLighting, 4, 116, 0, false},
    {MainButton::Reset, 25, 115, 0, true},
    {MainButton::Profile1, 10, 104, 0, false},
    {MainButton::GameLinkNew, 6, 105, 0, false},
    {MainButton::Import, 7, 106, 0, false},
    {MainButton::Export, 8, 107, 0, false},
    {MainButton::GameLinkEdit, 9, 108, 0, false},
    {MainButton::Profile2, 11, 109, 1, false},
    {MainButton::Profile3, 12, 109, 2, false},
    {MainButton::Profile4, 13, 109, 3, false},
    {MainButton::MacroManager, 15, 110, 0, false},
    {MainButton::Apply, 21, 112, 0, true},
    {MainButton::Cancel, 22, 113, 0, true},
    {MainButton::Ok, 20, 111, 0, true},
    {MainButton::Minimize, 16, 0, 0, false},
    {MainButton::Close, 17, 0, 0, false},
}};

std::u16string MainButtonCaption(const MainButtonDef& desc, const LangTable& mainStrings) {
    if (desc.captionString == 0) return {};
    std::u16string text = mainStrings.Get(static_cast<size_t>(desc.captionString - kMainFirstString));
    if (desc.profileNumber > 0) text += u" " + FormatInt(desc.profileNumber);
    return text;
}

}  // namespace tavrel
