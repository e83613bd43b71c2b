// CDlgLightCtrlPanel: the lighting page. A thin view over LightPageModel: it turns
// clicks, drags, slider releases, typed values and menu choices into model calls and
// shows the effect, speed and colour of the current profile of WorkingConfig.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "accessibility/win/named_edit.h"
#include "window/win/main_page.h"
#include "config/shared_config.h"
#include "lighting/light_page_model.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"
#include "skin/win/slider_click.h"
#include "window/win/handles.h"

namespace tavrel {

inline constexpr UINT kLightPageTemplateId = 134;
inline constexpr UINT_PTR kPaletteTimerId = 1;

// The red, green and blue sliders.
inline constexpr RECT kLightSliderRects[3] = {{407, 142, 639, 156}, {407, 172, 639, 186}, {407, 202, 639, 216}};

// The page's texts: string number, rectangle and format, in 14-pixel Arial.
struct LightPageText {
    int string;
    RECT rect;
    UINT format;
};
inline constexpr LightPageText kLightPageTexts[] = {
    {1101, {40, 42, 184, 64}, DT_RIGHT | DT_SINGLELINE},
    {1102, {380, 42, 517, 64}, DT_RIGHT | DT_SINGLELINE},
    {1103, {348, 79, 514, 101}, DT_CENTER | DT_SINGLELINE},
    {1104, {513, 79, 679, 101}, DT_CENTER | DT_SINGLELINE},
    {1109, {348, 155, 415, 177}, DT_LEFT | DT_SINGLELINE},
    {1110, {348, 185, 415, 207}, DT_LEFT | DT_SINGLELINE},
    {1111, {348, 214, 415, 236}, DT_LEFT | DT_SINGLELINE},
};

class CDlgLightCtrlPanel : public SkinnedWindow, public MainPage {
public:
    // The page edits `working` and shows the applied colour from `applied` (the
    // process-wide copies unless a test gives its own).
    explicit CDlgLightCtrlPanel(SharedConfig& working = WorkingConfig, const SharedConfig& applied = AppliedConfig);
    ~CDlgLightCtrlPanel() override;

    // Loads every control from the current profile of the working configuration.
    void RefreshFromProfile();

    // ---- MainPage
    bool CreatePage(HWND mainWindow) override { return Create(mainWindow); }
    HWND PageHwnd() const override { return Hwnd(); }
    void Refresh() override { RefreshFromProfile(); }

    // ---- for the main window and tests
    const LightPageModel& Model() const { return m_model; }
    CClickSlider& Slider(Channel c) { return *m_sldColour[static_cast<size_t>(c)]; }
    CClickSlider& HueSlider() { return m_sldHue; }
    HWND EditBox(Channel c) const { return m_edit[static_cast<size_t>(c)]; }
    CBitmapBtn& EffectButton() { return m_btnEffect; }
    CBitmapBtn& SpeedButton() { return m_btnSpeed; }
    // Times the palette's pixels were computed (the cache is kept otherwise).
    int PaletteComputations() const { return m_nPaletteComputations; }
    // Shows the palette and the marker on the page's window (timer 1 does this).
    void DrawPalette();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void CreateSkinControls(SkinBuilder& skin) override;
    void PaintSkin(HDC dc) override;
    void CutFromBackground(HDC dc) override;
    std::vector<AccessiblePart> AccessibleParts() const override;

private:
    // What a screen reader hears of the page's controls: the labels they are drawn
    // beside, the numbers and captions they show.
    void DescribeControls();
    const std::u16string& Text(int number) const { return m_lang.Get(static_cast<size_t>(number - 1100)); }

    ProfileRecord& Profile() { return CurrentProfile(m_working); }

    void ApplyEffect(int effect);
    void SetSpeedCaption(int pulsation);
    void EnableColourControls(bool on);
    void PickColour(PagePoint pt);
    void ShowPickedColour();
    void SetEditValue(Channel c, int value, bool selectAll);
    void DrawMarker(HDC dc, bool erase);
    bool EnsurePaletteBitmap();
    void CopyPaletteTo(HDC dc);
    void RepaintEditedSwatch();

    void OnEditChanged(Channel c);
    void OnSliderReleased(int id);
    bool OnButton(HWND button);
    void OnMenuCommand(int id);
    void OpenMenu(CBitmapBtn& button, bool effects);
    LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(PagePoint pt);
    LRESULT OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
    void ReleasePalette();

    SharedConfig& m_working;
    const SharedConfig& m_applied;
    LightPageModel m_model;

    CBitmapBtn m_btnEffect, m_btnSpeed;
    CClickSlider m_sldRed, m_sldGreen, m_sldBlue, m_sldHue;
    std::u16string m_strOverPath;  // the skin's over image, for the track fills
    std::array<CClickSlider*, 3> m_sldColour{&m_sldRed, &m_sldGreen, &m_sldBlue};
    std::array<HWND, 3> m_edit{};
    std::array<win::NamedEdit, 3> m_accEdit;

    // The palette's cached picture: a 32-bit top-down section the model's pixels are
    // copied into when the hue changes, with a memory context holding it.
    win::UniqueBitmap m_bmpPalette;
    void* m_pPaletteBits = nullptr;
    std::unique_ptr<win::MemoryDc> m_dcPalette;
    std::optional<Rgb> m_dibHue;  // the hue whose palette the section holds
    int m_nPaletteComputations = 0;

    RECT m_rcMarker{};
    bool m_bMarkerShown = false;
    bool m_bReady = false;  // controls exist: change notifications may be handled
    std::array<win::UniqueBrush, 3> m_brEdit;
    std::array<int, 3> m_nBrushValue{-1, -1, -1};
};

}  // namespace tavrel
