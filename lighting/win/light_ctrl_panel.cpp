#include "lighting/win/light_ctrl_panel.h"

#include <windowsx.h>

#include <cstring>
#include <string>

#include "accessibility/win/spoken_words.h"
#include "config/text.h"
#include "lighting/light_tables.h"
#include "skin/app_dir.h"
#include "skin/win/ex_menu.h"
#include "skin/win/skin_image.h"

namespace tavrel {

namespace {

constexpr RECT kAppliedSwatch{348, 101, 513, 140};
constexpr RECT kEditedSwatch{514, 101, 679, 140};
constexpr RECT kHueSliderRect{304, 66, 324, 250};
constexpr RECT kEditRect[3] = {{636, 156, 678, 173}, {636, 185, 678, 201}, {636, 214, 678, 231}};
constexpr int kMarkerRadius = 4;

COLORREF ToColorRef(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }
COLORREF ToColorRef(Rgb c) { return RGB(c.red & 0xFF, c.green & 0xFF, c.blue & 0xFF); }

LPCWSTR Wide(const std::u16string& s) { return reinterpret_cast<LPCWSTR>(s.c_str()); }

std::u16string WindowText(HWND hwnd) {
    wchar_t buffer[64] = {};
    GetWindowTextW(hwnd, buffer, 64);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

// A window's text set only when it differs, so an unchanged box raises no change
// notification (which also ends the "255" correction after one more round).
void SetTextIfDifferent(HWND hwnd, const std::u16string& text) {
    if (WindowText(hwnd) != text) SetWindowTextW(hwnd, Wide(text));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    win::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

void RedrawNow(HWND hwnd) {
    if (hwnd) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

std::wstring ProgramPath(const char16_t* relative) {
    const std::u16string path = AppPath(relative);
    return std::wstring(path.begin(), path.end());
}

}  // namespace

CDlgLightCtrlPanel::CDlgLightCtrlPanel(SharedConfig& working, const SharedConfig& applied)
    : SkinnedWindow(kLightPageTemplateId,
                    SkinSource{.layoutFile = u"Skins\\Skin_light_control.ini", .firstString = kLightLangFirst,
                               .lastString = kLightLangLast, .eraseBackground = false, .drag = SkinDrag::Parent,
                               .picturesWhenShown = true}),
      m_working(working),
      m_applied(applied) {}

CDlgLightCtrlPanel::~CDlgLightCtrlPanel() = default;

// ---- creation

void CDlgLightCtrlPanel::CreateSkinControls(SkinBuilder& skin) {
    for (CBitmapBtn* button : {&m_btnEffect, &m_btnSpeed}) {
        skin.CreateButton(*button, button == &m_btnEffect ? 0 : 1);
        button->m_crText = button->m_crDisabled = button->m_crPressed = RGB(0, 0, 0);
        button->m_crHover = RGB(163, 25, 48);
    }

    m_strOverPath = AppPath(m_skinSpec.imageFolder) + skin.Value(u"SCREEN", u"Over");
    const std::wstring below = ProgramPath(u"Skins\\arrow_below.bmp");
    for (Channel c : kChannels) {
        CClickSlider& s = Slider(c);
        if (s.Create(below, below, below, Hwnd(), SliderId(c), true, kLightSliderRects[static_cast<size_t>(c)]))
            s.SetRange(0, kComponentMax);
    }
    const std::wstring left = ProgramPath(u"Skins\\arrow_left.bmp");
    if (m_sldHue.Create(left, left, left, Hwnd(), kSliderIdHue, false, kHueSliderRect)) {
        m_sldHue.SetRange(0, kHueMax);
        m_sldHue.SetPos(CurrentProfile(m_applied).iCrlSliderPos);
    }
    DescribeControls();
}

void CDlgLightCtrlPanel::DescribeControls() {
    // Red, green and blue are strings 1109 to 1111; the hue has no painted label.
    for (Channel c : kChannels) {
        Slider(c).m_accDescribe = [this, c](AccessibleInfo& info) {
            info.name = Text(1109 + static_cast<int>(c));
            info.value = FormatInt(m_model.Component(c));
        };
    }
    m_sldHue.m_accDescribe = [this](AccessibleInfo& info) {
        info.name = win::SpokenWord(Spoken::Hue);
        info.value = FormatInt(m_sldHue.GetPos());
    };
    m_btnEffect.m_accDescribe = [this](AccessibleInfo& info) {
        info.value = info.name;
        info.name = Text(1101);
    };
    m_btnSpeed.m_accDescribe = [this](AccessibleInfo& info) {
        info.value = info.name;
        info.name = Text(1102);
    };
}

std::vector<AccessiblePart> CDlgLightCtrlPanel::AccessibleParts() const {
    AccessiblePart palette;
    palette.info.role = AccRole::Graphic;
    palette.info.name = win::SpokenWord(Spoken::Colour);
    palette.info.value = ColourValueText(Text(1109), Text(1110), Text(1111), m_model.Component(Channel::Red),
                                         m_model.Component(Channel::Green), m_model.Component(Channel::Blue));
    palette.info.state = kAccReadOnly;
    palette.rect = RECT{kPaletteRect.left, kPaletteRect.top, kPaletteRect.right, kPaletteRect.bottom};
    return {palette};
}

void CDlgLightCtrlPanel::CutFromBackground(HDC dc) {
    // The track pictures are cut from the skin's normal and over images; every colour
    // slider takes them at the red slider's rectangle. Of the over image only those two
    // strips are read.
    win::UniqueBitmap colourFill;
    win::UniqueBitmap hueFill;
    LoadSkinImagePart(m_strOverPath, kLightSliderRects[0], colourFill);
    LoadSkinImagePart(m_strOverPath, kHueSliderRect, hueFill);
    const auto whole = [](const RECT& r) { return RECT{0, 0, r.right - r.left, r.bottom - r.top}; };
    for (Channel c : kChannels) {
        CClickSlider& s = Slider(c);
        if (!s.Hwnd()) continue;
        CropBitmap(dc, s.m_bmpTrack, m_bmpBack.Get(), kLightSliderRects[0]);
        CropBitmap(dc, s.m_bmpTrackFill, colourFill.Get(), whole(kLightSliderRects[0]));
    }
    if (m_sldHue.Hwnd()) {
        CropBitmap(dc, m_sldHue.m_bmpTrack, m_bmpBack.Get(), kHueSliderRect);
        m_sldHue.m_bmpTrackFill = std::move(hueFill);
    }
}

BOOL CDlgLightCtrlPanel::OnInitDialog() {
    EnsurePaletteBitmap();

    for (Channel c : kChannels) {
        const size_t i = static_cast<size_t>(c);
        HWND edit = GetDlgItem(Hwnd(), EditId(c));
        if (!edit) {
            // A template without the boxes still gets working ones.
            const RECT& r = kEditRect[i];
            edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_NUMBER | ES_AUTOHSCROLL,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, Hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(EditId(c))),
                                   GetModuleHandleW(nullptr), nullptr);
        }
        m_edit[i] = edit;
        if (!edit) continue;
        const RECT& r = kEditRect[i];
        MoveWindow(edit, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        SendMessageW(edit, EM_LIMITTEXT, 3, 0);
        m_accEdit[i].Attach(edit, [this, c] { return Text(1109 + static_cast<int>(c)); });
    }

    m_model.SetHue(HueFromSliderPosition(m_sldHue.GetPos()));
    DrawPalette();
    // The first pick only previews the colour: the profile is loaded (and refreshed
    // into the page) after the pages exist, and must not take this colour.
    ProfileRecord preview = Profile();
    m_model.PickAt(m_model.PickPoint(), preview);
    m_bReady = true;
    SetTimer(Hwnd(), kPaletteTimerId, 1, nullptr);
    return TRUE;
}

// ---- loading from the profile

void CDlgLightCtrlPanel::RefreshFromProfile() {
    ProfileRecord& p = Profile();
    ApplyEffect(p.LtEffectType);
    m_model.LoadFromProfile(p);
    for (Channel c : kChannels) {
        Slider(c).SetPos(ColourSliderPosition(m_model.Component(c)));
        Slider(c).Repaint();
    }
    m_sldHue.SetPos(p.iCrlSliderPos);
    m_sldHue.Repaint();
    for (Channel c : kChannels) SetEditValue(c, m_model.Component(c), false);
    if (Hwnd()) {
        InvalidateRect(Hwnd(), &kAppliedSwatch, FALSE);
        InvalidateRect(Hwnd(), &kEditedSwatch, FALSE);
    }
    DrawPalette();
}

void CDlgLightCtrlPanel::ApplyEffect(int effect) {
    const EffectPresentation shown = PresentEffect(effect, Profile().iLtPulsation, m_lang);
    if (shown.colourControlsEnabled) EnableColourControls(*shown.colourControlsEnabled);
    if (shown.speedButtonEnabled && m_btnSpeed.Hwnd()) EnableWindow(m_btnSpeed.Hwnd(), *shown.speedButtonEnabled);
    if (shown.speedCaption) {
        m_btnSpeed.m_strCaption = *shown.speedCaption;
        if (m_btnSpeed.Hwnd()) m_btnSpeed.SetTipText(m_btnSpeed.m_strCaption);
        RedrawNow(m_btnSpeed.Hwnd());
    }
    m_btnEffect.m_strCaption = shown.effectCaption;
    if (m_btnEffect.Hwnd()) m_btnEffect.SetTipText(m_btnEffect.m_strCaption);
    RedrawNow(m_btnEffect.Hwnd());
}

void CDlgLightCtrlPanel::SetSpeedCaption(int pulsation) {
    m_btnSpeed.m_strCaption = SpeedCaption(pulsation);
    if (m_btnSpeed.Hwnd()) m_btnSpeed.SetTipText(m_btnSpeed.m_strCaption);
    RedrawNow(m_btnSpeed.Hwnd());
}

void CDlgLightCtrlPanel::EnableColourControls(bool on) {
    for (CClickSlider* s : {&m_sldRed, &m_sldGreen, &m_sldBlue, &m_sldHue}) s->Enable(on);
    for (HWND edit : m_edit)
        if (edit) EnableWindow(edit, on);
}

// ---- colour

void CDlgLightCtrlPanel::SetEditValue(Channel c, int value, bool selectAll) {
    HWND edit = m_edit[static_cast<size_t>(c)];
    if (!edit) return;
    const std::u16string text = FormatInt(value);
    SetTextIfDifferent(edit, text);
    if (selectAll) {
        SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(text.size()), 0);
        SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    }
}

void CDlgLightCtrlPanel::PickColour(PagePoint pt) {
    if (m_model.PickAt(pt, Profile())) ShowPickedColour();
}

void CDlgLightCtrlPanel::ShowPickedColour() {
    for (Channel c : kChannels) Slider(c).SetPos(ColourSliderPosition(m_model.Component(c)));
    for (Channel c : kChannels) SetEditValue(c, m_model.Component(c), true);
}

void CDlgLightCtrlPanel::RepaintEditedSwatch() {
    if (Hwnd()) InvalidateRect(Hwnd(), &kEditedSwatch, FALSE);
}

void CDlgLightCtrlPanel::OnEditChanged(Channel c) {
    if (!m_bReady) return;
    HWND edit = m_edit[static_cast<size_t>(c)];
    const EditOutcome out = m_model.EditChanged(c, WindowText(edit), Profile());
    if (out.showMaximum) SetEditValue(c, kComponentMax, true);
    Slider(c).SetPos(out.sliderPosition);
    Slider(c).Repaint();
    RedrawNow(edit);
    RepaintEditedSwatch();
}

void CDlgLightCtrlPanel::OnSliderReleased(int id) {
    if (const std::optional<Channel> c = ChannelOfSlider(id)) {
        const int v = m_model.ColourSliderReleased(*c, Slider(*c).GetPos(), Profile());
        SetEditValue(*c, v, false);
        RepaintEditedSwatch();
    } else if (id == kSliderIdHue) {
        m_model.HueSliderReleased(m_sldHue.GetPos(), Profile());
        DrawPalette();
        PickColour(m_model.PickPoint());
    }
}

LRESULT CDlgLightCtrlPanel::OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT standard = SkinnedWindow::WindowProc(message, wParam, lParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    for (Channel c : kChannels) {
        const size_t i = static_cast<size_t>(c);
        if (control != m_edit[i] || !control) continue;
        const int v = m_model.Component(c);
        const EditColours colours = EditBoxColours(c, v);
        if (!m_brEdit[i] || m_nBrushValue[i] != v) {
            m_brEdit[i].Reset(CreateSolidBrush(ToColorRef(colours.background)));
            m_nBrushValue[i] = v;
        }
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(colours.text));
        return reinterpret_cast<LRESULT>(m_brEdit[i].Get());
    }
    return standard;
}

// ---- palette and marker

bool CDlgLightCtrlPanel::EnsurePaletteBitmap() {
    if (m_dcPalette) return true;
    win::WindowDc screen(Hwnd());
    void* bits = nullptr;
    // Top row first, as the model stores it.
    win::UniqueBitmap bitmap = win::CreatePixelBitmap(kPaletteWidth, kPaletteHeight, &bits);
    if (!bitmap) return false;
    m_bmpPalette = std::move(bitmap);
    m_pPaletteBits = bits;
    m_dcPalette = std::make_unique<win::MemoryDc>(screen, m_bmpPalette.Get());
    m_dibHue.reset();
    return true;
}

void CDlgLightCtrlPanel::CopyPaletteTo(HDC dc) {
    if (!EnsurePaletteBitmap()) return;
    m_model.UpdatePalette();
    if (!m_dibHue || *m_dibHue != m_model.HueColour()) {
        GdiFlush();
        std::memcpy(m_pPaletteBits, m_model.CurrentPalette().Pixels(),
                    sizeof(uint32_t) * kPaletteWidth * kPaletteHeight);
        m_dibHue = m_model.HueColour();
        ++m_nPaletteComputations;
    }
    BitBlt(dc, kPaletteRect.left, kPaletteRect.top, kPaletteWidth, kPaletteHeight, *m_dcPalette, 0, 0, SRCCOPY);
}

void CDlgLightCtrlPanel::DrawPalette() {
    if (!Hwnd()) return;
    win::WindowDc dc(Hwnd());
    CopyPaletteTo(dc);
    m_bMarkerShown = false;  // the copy covered it
    DrawMarker(dc, false);
}

// The marker is an XOR circle, so drawing it twice removes it. It is clipped to the
// palette, where every copy of the palette wipes it, so the page always knows whether
// it is on the screen.
void CDlgLightCtrlPanel::DrawMarker(HDC dc, bool erase) {
    const PagePoint pt = m_model.PickPoint();
    const RECT circle{pt.x - kMarkerRadius, pt.y - kMarkerRadius, pt.x + kMarkerRadius, pt.y + kMarkerRadius};
    const bool same = m_bMarkerShown && EqualRect(&circle, &m_rcMarker);
    if (erase && same) return;  // drawing and erasing the same circle would hide it
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, kPaletteRect.left, kPaletteRect.top, kPaletteRect.right, kPaletteRect.bottom);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    SetROP2(dc, R2_XORPEN);
    Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
    if (erase && m_bMarkerShown) {
        win::UniquePen white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
        SelectObject(dc, white.Get());
        Ellipse(dc, m_rcMarker.left, m_rcMarker.top, m_rcMarker.right, m_rcMarker.bottom);
        RestoreDC(dc, saved);
    } else {
        RestoreDC(dc, saved);
    }
    m_rcMarker = circle;
    m_bMarkerShown = true;
}

void CDlgLightCtrlPanel::ReleasePalette() {
    m_dcPalette.reset();
    m_bmpPalette.Reset();
    m_pPaletteBits = nullptr;
    m_dibHue.reset();
}

// ---- painting

void CDlgLightCtrlPanel::PaintSkin(HDC dc) {
    win::UniqueFont font = CreateSkinFont(14);
    for (const LightPageText& t : kLightPageTexts)
        DrawSkinText(dc, m_lang.Get(static_cast<size_t>(t.string - kLightLangFirst)), t.rect, t.format, font.Get());

    const ProfileRecord& applied = CurrentProfile(m_applied);
    FillSolid(dc, kAppliedSwatch, RGB(applied.iRGBRed & 0xFF, applied.iRGBGreen & 0xFF, applied.iRGBBlue & 0xFF));
    FillSolid(dc, kEditedSwatch, ToColorRef(m_model.Edited()));
    // The palette goes into the picture too, so that no repaint ever shows the bare
    // background where it belongs; the marker follows on the screen after the copy.
    CopyPaletteTo(dc);
}

// ---- input

LRESULT CDlgLightCtrlPanel::OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
    const PagePoint pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (ClassifyPress(pt)) {
    case PressTarget::Palette:
        SetCapture(Hwnd());
        if (m_model.PressInPalette(pt, Profile())) ShowPickedColour();
        return win::Dialog::WindowProc(message, wParam, lParam);
    case PressTarget::HueBar:
        m_sldHue.SetPos(LightPageModel::HueBarPressPosition(pt));
        m_sldHue.Repaint();
        PostMessageW(Hwnd(), WM_SLIDER_RELEASED, 0, kSliderIdHue);
        return win::Dialog::WindowProc(message, wParam, lParam);
    case PressTarget::Elsewhere:
        break;
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);  // drags the main window
}

void CDlgLightCtrlPanel::OnMouseMove(PagePoint pt) {
    if (GetCapture() != Hwnd()) return;
    if (!m_model.MoveWhilePicking(pt, Profile())) return;
    ShowPickedColour();
    win::WindowDc dc(Hwnd());
    DrawMarker(dc, true);
}

bool CDlgLightCtrlPanel::OnButton(HWND button) {
    if (!button) return false;
    if (button == m_btnEffect.Hwnd()) {
        OpenMenu(m_btnEffect, true);
        return true;
    }
    if (button == m_btnSpeed.Hwnd()) {
        OpenMenu(m_btnSpeed, false);
        return true;
    }
    return false;
}

void CDlgLightCtrlPanel::OpenMenu(CBitmapBtn& button, bool effects) {
    // The font outlives the menu that draws with it.
    win::UniqueFont font(CreateFontW(14, 0, 0, 0, 400, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial"));
    {
        CExMenu menu(font.Get());
        menu.CreatePopup();
        if (effects) {
            for (const EffectInfo& e : Effects())
                menu.AppendItem(static_cast<UINT_PTR>(e.command),
                                m_lang.Get(static_cast<size_t>(e.nameString - kLightLangFirst)));
        } else {
            for (const SpeedInfo& s : Speeds()) menu.AppendItem(static_cast<UINT_PTR>(s.command), s.text);
        }
        menu.m_nWidth = 135;
        RECT rc{};
        GetWindowRect(button.Hwnd(), &rc);
        menu.TrackPopup(Hwnd(), rc.left, rc.bottom, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
        PostMessageW(Hwnd(), WM_NULL, 0, 0);
    }
    SetFocus(Hwnd());
}

void CDlgLightCtrlPanel::OnMenuCommand(int id) {
    ProfileRecord& p = Profile();
    switch (ApplyLightMenuCommand(id, p)) {
    case LightMenuOutcome::EffectChosen: ApplyEffect(p.LtEffectType); break;
    case LightMenuOutcome::SpeedChosen: SetSpeedCaption(p.iLtPulsation); break;
    case LightMenuOutcome::None: break;
    }
}

LRESULT CDlgLightCtrlPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        const LRESULT result = SkinnedWindow::WindowProc(message, wParam, lParam);
        DrawPalette();
        return result;
    }
    case WM_LBUTTONDOWN:
        return OnLButtonDown(message, wParam, lParam);
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == Hwnd()) {
            ReleaseCapture();
            m_model.EndPicking();
        }
        break;
    case WM_TIMER:
        if (wParam == kPaletteTimerId) {
            DrawPalette();
            KillTimer(Hwnd(), kPaletteTimerId);
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(message, wParam, lParam);
    case WM_SLIDER_RELEASED:
        OnSliderReleased(static_cast<int>(lParam));
        return 0;
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control) {
            if (HIWORD(wParam) == EN_CHANGE) {
                if (const std::optional<Channel> c = ChannelOfEdit(LOWORD(wParam))) OnEditChanged(*c);
            } else if (HIWORD(wParam) == BN_CLICKED) {
                OnButton(control);
            }
        } else if (LOWORD(wParam) >= 1004 && LOWORD(wParam) <= 4000) {
            OnMenuCommand(LOWORD(wParam));
        }
        break;
    }
    case WM_DESTROY: {
        KillTimer(Hwnd(), kPaletteTimerId);
        const LRESULT result = SkinnedWindow::WindowProc(message, wParam, lParam);
        ReleasePalette();
        m_bReady = false;
        return result;
    }
    default:
        break;
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
