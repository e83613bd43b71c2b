// The drawing rules of the skinned bitmap button, free of the platform: which of the
// four state pictures is shown, which colour the caption takes, and where and how
// the caption is placed.
#pragma once

#include <cstdint>

#include "skin/skin_item.h"

namespace tavrel {

// Colours are 0x00BBGGRR, as the platform's COLORREF.
constexpr uint32_t MakeRgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
inline constexpr uint32_t kSkinAccent = MakeRgb(163, 25, 48);  // 0x3019A3

// Text-format flags of DrawTextW used by captions.
inline constexpr uint32_t kDtLeft = 0x0000;
inline constexpr uint32_t kDtCenter = 0x0001;
inline constexpr uint32_t kDtRight = 0x0002;
inline constexpr uint32_t kDtVCenter = 0x0004;
inline constexpr uint32_t kDtWordBreak = 0x0010;
inline constexpr uint32_t kDtSingleLine = 0x0020;
inline constexpr uint32_t kDtNoPrefix = 0x0800;
inline constexpr uint32_t kDtEndEllipsis = 0x8000;

enum class BtnPicture { Normal, Over, Down, Disabled };

struct BtnState {
    bool toggle = false;    // m_bToggle
    bool checked = false;   // m_bChecked
    bool hover = false;     // m_bHover
    bool selected = false;  // ODS_SELECTED of the draw request
    bool disabled = false;  // ODS_DISABLED of the draw request
};

struct BtnColours {
    uint32_t text = kSkinAccent;                  // m_crText
    uint32_t hover = MakeRgb(55, 55, 55);         // m_crHover
    uint32_t disabled = MakeRgb(255, 255, 255);   // m_crDisabled
    uint32_t pressed = MakeRgb(255, 255, 255);    // m_crPressed
};

BtnPicture ChooseButtonPicture(const BtnState& state);

// `anyButtonPressed` is the process-wide g_bBtnPressed.
uint32_t ChooseCaptionColour(const BtnState& state, bool anyButtonPressed, const BtnColours& colours);

struct CaptionLayout {
    SkinRect rect;
    uint32_t format = 0;
};

// `align`: 0 centred, 1 left with `leftIndent`, anything else right.
CaptionLayout LayoutCaption(const SkinRect& client, int align, int leftIndent, uint32_t lineFormat,
                            uint32_t vertFormat);

}  // namespace tavrel
