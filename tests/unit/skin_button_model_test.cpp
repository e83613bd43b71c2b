#include "skin/bitmap_btn_model.h"

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

BtnState State(bool toggle, bool checked, bool hover, bool selected, bool disabled) {
    BtnState s;
    s.toggle = toggle;
    s.checked = checked;
    s.hover = hover;
    s.selected = selected;
    s.disabled = disabled;
    return s;
}

}  // namespace

TEST(BitmapBtnModel, PictureChoiceOfNormalAndToggleButtons) {
    struct Case {
        BtnState state;
        BtnPicture picture;
    } cases[] = {
        // normal buttons
        {State(false, false, false, false, false), BtnPicture::Normal},
        {State(false, false, true, false, false), BtnPicture::Over},
        {State(false, false, true, true, false), BtnPicture::Down},
        {State(false, true, true, false, false), BtnPicture::Down},
        {State(false, true, false, false, true), BtnPicture::Disabled},  // disabled wins over checked
        {State(false, false, true, true, true), BtnPicture::Disabled},
        // toggle buttons: never the over picture
        {State(true, false, true, false, false), BtnPicture::Normal},
        {State(true, false, true, true, false), BtnPicture::Normal},
        {State(true, true, false, false, true), BtnPicture::Down},  // checked wins over disabled
        {State(true, false, false, false, true), BtnPicture::Disabled},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(i++);
        EXPECT_EQ(ChooseButtonPicture(c.state), c.picture);
    }
}

TEST(BitmapBtnModel, CaptionColourFollowsHoverThenDisabledThenPressed) {
    BtnColours colours;
    colours.text = 1;
    colours.hover = 2;
    colours.disabled = 3;
    colours.pressed = 4;
    EXPECT_EQ(ChooseCaptionColour(State(false, false, false, false, false), false, colours), 1u);
    EXPECT_EQ(ChooseCaptionColour(State(false, false, true, false, false), false, colours), 2u);
    // Any button held down shows a hovered button's caption in the pressed colour.
    EXPECT_EQ(ChooseCaptionColour(State(false, false, true, false, false), true, colours), 4u);
    EXPECT_EQ(ChooseCaptionColour(State(false, true, true, false, true), false, colours), 2u);
    EXPECT_EQ(ChooseCaptionColour(State(false, true, false, false, true), false, colours), 3u);
    EXPECT_EQ(ChooseCaptionColour(State(false, false, false, true, false), false, colours), 4u);
    EXPECT_EQ(ChooseCaptionColour(State(true, true, false, false, false), false, colours), 4u);
    // A toggle takes the hover colour though it shows no over picture.
    EXPECT_EQ(ChooseCaptionColour(State(true, false, true, false, false), false, colours), 2u);
    // A non-hovered button ignores the shared pressed flag.
    EXPECT_EQ(ChooseCaptionColour(State(false, false, false, false, false), true, colours), 1u);
}

TEST(BitmapBtnModel, DefaultColoursAreTheSkinsOnes) {
    BtnColours colours;
    EXPECT_EQ(colours.text, 0x3019A3u);
    EXPECT_EQ(colours.hover, 0x373737u);
    EXPECT_EQ(colours.disabled, 0xFFFFFFu);
    EXPECT_EQ(colours.pressed, 0xFFFFFFu);
}

TEST(BitmapBtnModel, CaptionPlacement) {
    const SkinRect client{0, 0, 100, 30};
    const uint32_t always = kDtNoPrefix | kDtEndEllipsis;

    CaptionLayout centred = LayoutCaption(client, 0, 7, kDtSingleLine, kDtVCenter);
    EXPECT_EQ(centred.rect, client);
    EXPECT_EQ(centred.format, kDtSingleLine | kDtVCenter | always | kDtCenter);

    CaptionLayout wrapped = LayoutCaption(client, 0, 0, kDtWordBreak, kDtVCenter);
    EXPECT_EQ(wrapped.rect, (SkinRect{5, 9, 95, 30}));
    EXPECT_EQ(wrapped.format, kDtWordBreak | kDtVCenter | always | kDtCenter);

    // Only exactly DT_WORDBREAK moves the text rectangle.
    CaptionLayout mixed = LayoutCaption(client, 0, 0, kDtWordBreak | kDtSingleLine, kDtVCenter);
    EXPECT_EQ(mixed.rect, client);

    CaptionLayout left = LayoutCaption(client, 1, 12, kDtSingleLine, kDtVCenter);
    EXPECT_EQ(left.rect, (SkinRect{12, 0, 95, 30}));
    EXPECT_EQ(left.format & (kDtCenter | kDtRight), 0u);

    CaptionLayout right = LayoutCaption(client, 2, 12, kDtSingleLine, kDtVCenter);
    EXPECT_EQ(right.rect, client);
    EXPECT_EQ(right.format & kDtRight, kDtRight);
    EXPECT_EQ(LayoutCaption(client, -1, 0, kDtSingleLine, kDtVCenter).format & kDtRight, kDtRight);
}
