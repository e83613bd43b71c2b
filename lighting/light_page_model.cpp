#include "lighting/light_page_model.h"

#include <algorithm>
#include <climits>

#include "lighting/light_tables.h"

namespace tavrel {

int SliderId(Channel c) {
    static constexpr int ids[] = {kSliderIdRed, kSliderIdGreen, kSliderIdBlue};
    return ids[static_cast<size_t>(c)];
}

int EditId(Channel c) {
    static constexpr int ids[] = {kEditIdRed, kEditIdGreen, kEditIdBlue};
    return ids[static_cast<size_t>(c)];
}

std::optional<Channel> ChannelOfSlider(int id) {
    for (Channel c : kChannels)
        if (SliderId(c) == id) return c;
    return std::nullopt;
}

std::optional<Channel> ChannelOfEdit(int id) {
    for (Channel c : kChannels)
        if (EditId(c) == id) return c;
    return std::nullopt;
}

int& ProfileComponent(ProfileRecord& p, Channel c) {
    switch (c) {
    case Channel::Red: return p.iRGBRed;
    case Channel::Green: return p.iRGBGreen;
    case Channel::Blue: break;
    }
    return p.iRGBBlue;
}

int ProfileComponent(const ProfileRecord& p, Channel c) {
    return ProfileComponent(const_cast<ProfileRecord&>(p), c);
}

int LeadingDecimal(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long v = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        v = v * 10 + (text[i] - u'0');
        if (v > INT_MAX) v = static_cast<long long>(INT_MAX) + 1;  // saturate, keep reading
    }
    if (negative) return static_cast<int>(std::max(-v, static_cast<long long>(INT_MIN)));
    return static_cast<int>(std::min(v, static_cast<long long>(INT_MAX)));
}

EditColours EditBoxColours(Channel c, int value) {
    const int v = std::clamp(value, 0, kComponentMax);
    switch (c) {
    case Channel::Red: return {PackRgb({255 - v, 255, 255}), PackRgb({v, 0, 0})};
    case Channel::Green: return {PackRgb({255, 255 - v, 255}), PackRgb({0, v, 0})};
    case Channel::Blue: break;
    }
    return {PackRgb({255, 255, 255 - v}), PackRgb({0, 0, v})};
}

LightMenuOutcome ApplyLightMenuCommand(int id, ProfileRecord& p) {
    for (const EffectInfo& e : Effects()) {
        if (e.command == id) {
            p.LtEffectType = e.type;
            return LightMenuOutcome::EffectChosen;
        }
    }
    for (const SpeedInfo& s : Speeds()) {
        if (s.command == id) {
            p.iLtPulsation = s.pulsation;
            return LightMenuOutcome::SpeedChosen;
        }
    }
    return LightMenuOutcome::None;
}

PressTarget ClassifyPress(PagePoint pt) {
    if (kPaletteRect.Contains(pt.x, pt.y)) return PressTarget::Palette;
    if (kHueBarRect.Contains(pt.x, pt.y)) return PressTarget::HueBar;
    return PressTarget::Elsewhere;
}

void LightPageModel::LoadFromProfile(const ProfileRecord& p) {
    edited_ = {p.iRGBRed, p.iRGBGreen, p.iRGBBlue};
    SetHue(HueFromSliderPosition(p.iCrlSliderPos));
}

bool LightPageModel::PickAt(PagePoint pt, ProfileRecord& p) {
    if (!EffectAllowsPicking(p.LtEffectType) || !kPaletteRect.Contains(pt.x, pt.y)) return false;
    UpdatePalette();
    const Rgb c = palette_.ColourAt(pt);
    SetComponent(Channel::Red, c.red, p);
    SetComponent(Channel::Green, c.green, p);
    SetComponent(Channel::Blue, c.blue, p);
    return true;
}

bool LightPageModel::PressInPalette(PagePoint pt, ProfileRecord& p) {
    pick_ = pt;
    picking_ = true;
    return PickAt(pt, p);
}

bool LightPageModel::MoveWhilePicking(PagePoint pt, ProfileRecord& p) {
    if (!picking_ || !kPaletteRect.Contains(pt.x, pt.y)) return false;
    pick_ = pt;
    PickAt(pt, p);
    return true;
}

int LightPageModel::ColourSliderReleased(Channel c, int pos, ProfileRecord& p) {
    const int v = ComponentFromSliderPosition(pos);
    SetComponent(c, v, p);
    return v;
}

void LightPageModel::HueSliderReleased(int pos, ProfileRecord& p) {
    SetHue(HueFromSliderPosition(pos));
    p.iCrlSliderPos = pos;
}

EditOutcome LightPageModel::EditChanged(Channel c, std::u16string_view text, ProfileRecord& p) {
    const int typed = LeadingDecimal(text);
    const int v = std::clamp(typed, 0, kComponentMax);
    SetComponent(c, v, p);
    return {v, ColourSliderPosition(v), typed >= kComponentMax};
}

void LightPageModel::SetComponent(Channel c, int v, ProfileRecord& p) {
    edited_[static_cast<size_t>(c)] = v;
    ProfileComponent(p, c) = v;
}

}  // namespace tavrel
