// What a skinned button tells a screen reader, by kind and state, and the palette's
// colour as it is spoken.
#include "accessibility/accessible_info.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(AccessibleButton, RoleStateAndActionFollowTheKindAndTheButtonsState) {
    struct Case {
        ButtonKind kind;
        bool checked;
        bool enabled;
        AccRole role;
        uint32_t state;  // besides focusable
        const char16_t* action;
    };
    const Case cases[] = {
        {ButtonKind::Push, false, true, AccRole::PushButton, 0, u"Press"},
        // A push button drawn pressed (a remapped key) is not a checked control.
        {ButtonKind::Push, true, true, AccRole::PushButton, 0, u"Press"},
        {ButtonKind::Push, false, false, AccRole::PushButton, kAccUnavailable, u""},
        {ButtonKind::Radio, true, true, AccRole::RadioButton, kAccChecked, u"Select"},
        {ButtonKind::Radio, false, true, AccRole::RadioButton, 0, u"Select"},
        {ButtonKind::PageTab, true, true, AccRole::PageTab, kAccSelectable | kAccSelected, u"Select"},
        {ButtonKind::PageTab, false, true, AccRole::PageTab, kAccSelectable, u"Select"},
        {ButtonKind::Check, true, false, AccRole::CheckButton, kAccChecked | kAccUnavailable, u""},
        {ButtonKind::Label, true, true, AccRole::StaticText, kAccReadOnly, u""},
    };
    for (const Case& c : cases) {
        const AccessibleInfo info = DescribeButton(c.kind, u"Name", c.checked, c.enabled, u"Press", u"Select");
        const int index = static_cast<int>(&c - cases);
        EXPECT_EQ(info.role, c.role) << index;
        EXPECT_EQ(info.name, u"Name") << index;
        const bool focusable = c.enabled && c.kind != ButtonKind::Label;
        EXPECT_EQ(info.state, c.state | (focusable ? kAccFocusable : 0u)) << index;
        EXPECT_EQ(info.defaultAction, c.action) << index;
    }
}

TEST(AccessibleColour, IsSpokenAsItsThreeNamedComponents) {
    EXPECT_EQ(ColourValueText(u"Red", u"Green", u"Blue", 255, 0, 0), u"Red 255, Green 0, Blue 0");
    EXPECT_EQ(ColourValueText(u"Rot", u"Grün", u"Blau", 7, 128, 40), u"Rot 7, Grün 128, Blau 40");
}

}  // namespace
}  // namespace tavrel
