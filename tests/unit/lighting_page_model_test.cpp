#include "lighting/light_page_model.h"
#include "lighting/light_tables.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrel;

namespace {

ProfileRecord Profile(int effect) {
    ProfileRecord p{};
    p.LtEffectType = effect;
    p.iCrlSliderPos = 1530;
    p.iRGBRed = 10;
    p.iRGBGreen = 20;
    p.iRGBBlue = 30;
    p.iLtPulsation = 2;
    return p;
}

LangTable LightStrings() {
    LangTable t;
    for (int n = kLightLangFirst; n <= kLightLangLast; ++n) t.Append(u"s" + std::u16string(1, u'0' + n % 10));
    return t;
}

}  // namespace

TEST(LightEdit, TypedValuesAreClampedAndReachProfileAndSlider) {
    const struct {
        std::u16string text;
        int value;
        bool showMaximum;
    } cases[] = {
        {u"300", 255, true}, {u"", 0, false},  {u"255", 255, true}, {u"254", 254, false},
        {u"0", 0, false},    {u"-4", 0, false}, {u"12x", 12, false}, {u"99999999999999", 255, true},
    };
    for (const auto& c : cases) {
        LightPageModel m;
        ProfileRecord p = Profile(2);
        const EditOutcome out = m.EditChanged(Channel::Red, c.text, p);
        EXPECT_EQ(out.value, c.value) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(out.sliderPosition, 255 - c.value);
        EXPECT_EQ(out.showMaximum, c.showMaximum);
        EXPECT_EQ(p.iRGBRed, c.value);
        EXPECT_EQ(m.Component(Channel::Red), c.value);
        EXPECT_EQ(p.iRGBGreen, 20);  // other channels untouched
    }
}

TEST(LightEdit, EachBoxWritesItsOwnComponent) {
    LightPageModel m;
    ProfileRecord p = Profile(2);
    m.EditChanged(Channel::Green, u"7", p);
    m.EditChanged(Channel::Blue, u"300", p);
    EXPECT_EQ(p.iRGBRed, 10);
    EXPECT_EQ(p.iRGBGreen, 7);
    EXPECT_EQ(p.iRGBBlue, 255);
}

TEST(LightEdit, BoxColoursShowTheValueAgainstItsInverse) {
    EXPECT_EQ(EditBoxColours(Channel::Red, 200).text, PackRgb({55, 255, 255}));
    EXPECT_EQ(EditBoxColours(Channel::Red, 200).background, PackRgb({200, 0, 0}));
    EXPECT_EQ(EditBoxColours(Channel::Green, 0).text, PackRgb({255, 255, 255}));
    EXPECT_EQ(EditBoxColours(Channel::Blue, 255).background, PackRgb({0, 0, 255}));
    EXPECT_EQ(EditBoxColours(Channel::Blue, 1000).background, PackRgb({0, 0, 255}));
}

TEST(LightPick, OnlyEffectsWithAChosenColourPickInsideThePalette) {
    for (int effect : {0, 1, 2, 3, 4, 5, 6}) {
        LightPageModel m;
        ProfileRecord p = Profile(effect);
        m.LoadFromProfile(p);
        const bool picked = m.PickAt(kPaletteCentre, p);
        const bool allowed = effect != 1 && effect != 4 && effect != 5;
        EXPECT_EQ(picked, allowed) << effect;
        if (allowed) {
            EXPECT_EQ(m.Edited(), (Rgb{127, 63, 63}));
            EXPECT_EQ((Rgb{p.iRGBRed, p.iRGBGreen, p.iRGBBlue}), (Rgb{127, 63, 63}));
        } else {
            EXPECT_EQ((Rgb{p.iRGBRed, p.iRGBGreen, p.iRGBBlue}), (Rgb{10, 20, 30}));
            EXPECT_EQ(m.Edited(), (Rgb{10, 20, 30}));
        }
    }
}

TEST(LightPick, PointsOutsideThePaletteAreRefused) {
    LightPageModel m;
    ProfileRecord p = Profile(2);
    m.LoadFromProfile(p);
    for (PagePoint pt : {PagePoint{101, 100}, PagePoint{268, 100}, PagePoint{150, 74}, PagePoint{150, 239}})
        EXPECT_FALSE(m.PickAt(pt, p)) << pt.x << "," << pt.y;
    EXPECT_TRUE(m.PickAt({267, 238}, p));
}

TEST(LightMouse, PressesAreSortedIntoPaletteHueBarAndElsewhere) {
    EXPECT_EQ(ClassifyPress({102, 75}), PressTarget::Palette);
    EXPECT_EQ(ClassifyPress({287, 238}), PressTarget::HueBar);
    EXPECT_EQ(ClassifyPress({305, 100}), PressTarget::Elsewhere);
    EXPECT_EQ(ClassifyPress({10, 10}), PressTarget::Elsewhere);
    EXPECT_EQ(LightPageModel::HueBarPressPosition({290, 75}), 1530);
    EXPECT_EQ(LightPageModel::HueBarPressPosition({290, 238}), 10);
}

TEST(LightMouse, DraggingPicksOnlyWhilePickingAndInsideThePalette) {
    LightPageModel m;
    ProfileRecord p = Profile(3);
    m.LoadFromProfile(p);
    EXPECT_FALSE(m.MoveWhilePicking({150, 100}, p));  // no press yet
    EXPECT_TRUE(m.PressInPalette({102, 75}, p));
    EXPECT_EQ(m.Edited(), (Rgb{255, 255, 255}));
    EXPECT_TRUE(m.MoveWhilePicking(kPaletteCentre, p));
    EXPECT_EQ(m.PickPoint(), kPaletteCentre);
    EXPECT_EQ(p.iRGBGreen, 63);
    EXPECT_FALSE(m.MoveWhilePicking({300, 100}, p));  // off the palette: the point stays
    EXPECT_EQ(m.PickPoint(), kPaletteCentre);
    m.EndPicking();
    EXPECT_FALSE(m.MoveWhilePicking({120, 80}, p));
}

TEST(LightSliders, ColourReleaseReversesThePosition) {
    LightPageModel m;
    ProfileRecord p = Profile(2);
    EXPECT_EQ(m.ColourSliderReleased(Channel::Green, 0, p), 255);
    EXPECT_EQ(p.iRGBGreen, 255);
    EXPECT_EQ(m.ColourSliderReleased(Channel::Blue, 255, p), 0);
    EXPECT_EQ(p.iRGBBlue, 0);
    EXPECT_EQ(ChannelOfSlider(108), Channel::Green);
    EXPECT_EQ(ChannelOfSlider(110), std::nullopt);
    EXPECT_EQ(ChannelOfEdit(1004), Channel::Green);
    EXPECT_EQ(ChannelOfEdit(1002), std::nullopt);
}

TEST(LightSliders, HueReleaseRepicksAtTheMarkerOnlyWhenTheEffectAllows) {
    for (int effect : {2, 3, 1, 4, 5}) {
        LightPageModel m;
        ProfileRecord p = Profile(effect);
        m.LoadFromProfile(p);
        m.HueSliderReleased(HueSliderPosition(510), p);  // green
        EXPECT_EQ(p.iCrlSliderPos, 1020);
        EXPECT_EQ(m.HueColour(), (Rgb{0, 255, 0}));
        m.PickAt(m.PickPoint(), p);
        const Rgb expected = (effect == 2 || effect == 3) ? Rgb{63, 127, 63} : Rgb{10, 20, 30};
        EXPECT_EQ((Rgb{p.iRGBRed, p.iRGBGreen, p.iRGBBlue}), expected) << effect;
    }
}

TEST(LightRefresh, ProfileGivesColourAndHue) {
    LightPageModel m;
    ProfileRecord p = Profile(2);
    p.iCrlSliderPos = 1530 - 1020;
    m.LoadFromProfile(p);
    EXPECT_EQ(m.Edited(), (Rgb{10, 20, 30}));
    EXPECT_EQ(m.HueColour(), (Rgb{0, 0, 255}));
    EXPECT_TRUE(m.UpdatePalette());
    EXPECT_FALSE(m.UpdatePalette());
}

TEST(LightEffects, EachEffectEnablesItsControlsAndSpeedCaption) {
    const LangTable lang = LightStrings();
    const struct {
        int effect;
        bool colour;
        bool speed;
        const char16_t* name;
        const char16_t* speedCaption;
    } cases[] = {
        {1, false, false, u"s5", u" "}, {2, true, false, u"s6", u" "}, {3, true, true, u"s7", u"6"},
        {4, false, true, u"s8", u"6"},  {5, false, true, u"s2", u"6"},
    };
    for (const auto& c : cases) {
        const EffectPresentation out = PresentEffect(c.effect, 2, lang);
        EXPECT_EQ(out.colourControlsEnabled, c.colour) << c.effect;
        EXPECT_EQ(out.speedButtonEnabled, c.speed) << c.effect;
        EXPECT_EQ(out.effectCaption, c.name) << c.effect;
        EXPECT_EQ(out.speedCaption, std::u16string(c.speedCaption)) << c.effect;
    }
}

TEST(LightEffects, UnknownEffectChangesNoEnablingAndShowsNoName) {
    const LangTable lang = LightStrings();
    for (int effect : {0, 6, -1}) {
        const EffectPresentation out = PresentEffect(effect, 1, lang);
        EXPECT_FALSE(out.colourControlsEnabled.has_value());
        EXPECT_FALSE(out.speedButtonEnabled.has_value());
        EXPECT_FALSE(out.speedCaption.has_value());
        EXPECT_EQ(out.effectCaption, u"");
    }
}

TEST(LightEffects, SpeedCaptions) {
    EXPECT_EQ(SpeedCaption(1), u"3");
    EXPECT_EQ(SpeedCaption(2), u"6");
    EXPECT_EQ(SpeedCaption(3), u"9");
    EXPECT_EQ(SpeedCaption(0), u" ");
    EXPECT_EQ(SpeedCaption(4), u" ");
}

TEST(LightMenu, CommandsSetEffectOrSpeedAndOthersDoNothing) {
    const struct {
        int id;
        LightMenuOutcome outcome;
        int effect;
        int speed;
    } cases[] = {
        {2005, LightMenuOutcome::EffectChosen, 1, 2}, {2008, LightMenuOutcome::EffectChosen, 4, 2},
        {2012, LightMenuOutcome::EffectChosen, 5, 2}, {2009, LightMenuOutcome::SpeedChosen, 3, 1},
        {2011, LightMenuOutcome::SpeedChosen, 3, 3},  {2004, LightMenuOutcome::None, 3, 2},
        {2013, LightMenuOutcome::None, 3, 2},         {1004, LightMenuOutcome::None, 3, 2},
    };
    for (const auto& c : cases) {
        ProfileRecord p = Profile(3);
        EXPECT_EQ(ApplyLightMenuCommand(c.id, p), c.outcome) << c.id;
        EXPECT_EQ(p.LtEffectType, c.effect) << c.id;
        EXPECT_EQ(p.iLtPulsation, c.speed) << c.id;
    }
}
