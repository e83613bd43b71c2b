// CDlgProfileMan: names the current profile and links it to a game executable. Mode 1
// starts with both fields empty, mode 0 with the profile's name and game. Only OK
// changes the profile; a game linked to another profile is refused silently.
#pragma once

#include "accessibility/win/named_edit.h"

#include <windows.h>

#include <memory>

#include "app/game_link_model.h"
#include "app/win/platform_case_mapping.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kProfileManTemplate = 144;

// The dialog's texts, drawn left-aligned and word-wrapped: entry of its language table
// (string 800 + entry), font height and rectangle.
struct GameLinkText {
    int entry;
    int fontHeight;
    RECT rect;
};
inline constexpr GameLinkText kGameLinkTexts[] = {
    {0, 18, {24, 18, 345, 43}},   {1, 15, {24, 100, 307, 130}}, {3, 15, {24, 170, 155, 200}},
    {4, 15, {24, 285, 117, 315}}, {5, 15, {24, 311, 154, 341}}, {2, 15, {24, 125, 307, 155}},
    {8, 15, {155, 170, 438, 200}}, {9, 14, {117, 283, 377, 320}}, {10, 14, {162, 311, 361, 399}},
};

class CDlgProfileMan : public SkinnedWindow {
public:
    // Edits the current profile of `working`.
    CDlgProfileMan(SharedConfig& working, int mode);

    bool PreTranslateMessage(MSG& msg) override;

protected:
    void CreateSkinControls(SkinBuilder& skin) override;
    BOOL OnInitDialog() override;
    void PaintSkin(HDC dc) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::u16string AccessibleName() const override { return m_lang.Get(0); }
    std::vector<AccessiblePart> AccessibleParts() const override;

private:
    void OnCommand(HWND sender);
    void OnBrowse();
    void ShowModel();
    std::u16string EditText(HWND edit) const;

    PlatformCaseMapping m_caseMapping;  // before the model, which refers to it
    GameLinkModel m_model;
    CBitmapBtn m_btnLinkOK;
    CBitmapBtn m_btnLinkCancel;
    CBitmapBtn m_btnLinkClose;
    CBitmapBtn m_btnBrowse;
    HWND m_editName = nullptr;      // child windows, destroyed with the dialog
    HWND m_editGameFile = nullptr;
    win::NamedEdit m_accName, m_accGameFile;  // name the two edits for a screen reader
};

}  // namespace tavrel
