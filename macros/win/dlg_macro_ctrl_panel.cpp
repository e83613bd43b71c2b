#include "macros/win/dlg_macro_ctrl_panel.h"

#include "config/shared_config.h"
#include "keys/key_actions.h"
#include "keys/win/dlg_shortcut.h"
#include "macros/macro_key_menu.h"
#include "macros/win/ex_menu_builder.h"

namespace tavrel {

namespace {

constexpr COLORREF kAccent = RGB(163, 25, 48);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kFirstButtonKey = 4;  // "BUTTONPOS" keys 4..9 are keys 0..5

void RedrawNow(HWND hwnd) {
    if (hwnd != nullptr) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace

CDlgMacroCtrlPanel::CDlgMacroCtrlPanel(SharedConfig& config, MacroStore& library, ManagerOpener openManager,
                                       const KeyboardLayout& layout)
    : SkinnedWindow(kMacroPageTemplate,
                    SkinSource{.layoutFile = u"Skins\\Skin_Macro_control.ini", .firstString = 500, .lastString = 526,
                               .drag = SkinDrag::Parent, .picturesWhenShown = true}),
      config_(config),
      library_(library),
      openManager_(std::move(openManager)),
      layout_(layout) {}

void CDlgMacroCtrlPanel::CreateSkinControls(SkinBuilder& skin) {
    for (int i = 0; i < kMacroKeyCount; ++i) {
        CBitmapBtn& button = m_btnKeys[static_cast<size_t>(i)];
        skin.CreateButton(button, kFirstButtonKey + i);
        button.m_nAlign = 0;
        button.m_crText = kBlack;
        button.m_crDisabled = kBlack;
        button.m_crPressed = kBlack;
        button.m_crHover = kAccent;
        // The caption is the assignment: a screen reader hears it as both.
        button.m_accDescribe = [](AccessibleInfo& info) { info.value = info.name; };
    }
}

void CDlgMacroCtrlPanel::PaintSkin(HDC dc) {
    auto font = CreateSkinFont(20, 400);
    DrawSkinText(dc, m_lang.Get(26), RECT{39, 15, 39 + 700, 15 + 30}, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP,
                 font.Get());
}

void CDlgMacroCtrlPanel::RefreshMacroKeys() {
    const ProfileRecord& profile = CurrentProfile(config_);
    for (int i = 0; i < kMacroKeyCount; ++i) {
        CBitmapBtn& button = m_btnKeys[static_cast<size_t>(i)];
        const std::u16string text = GetKeyActionText(profile.MacroKeyInfo[i], m_lang, layout_);
        button.SetTipText(text);
        const bool changed = button.m_strCaption != text;
        button.m_strCaption = text;
        RedrawNow(button.Hwnd());
        if (changed) {
            win::NotifyAccessibleChange(button.Hwnd(), EVENT_OBJECT_NAMECHANGE);
            win::NotifyAccessibleChange(button.Hwnd(), EVENT_OBJECT_VALUECHANGE);
        }
    }
}

void CDlgMacroCtrlPanel::OpenKeyMenu(int i) {
    if (i < 0 || i >= kMacroKeyCount) return;
    m_nMenuKey = i;
    MenuKeySlot = CurrentProfile(config_).MacroKeyInfo[i];
    RECT button{};
    GetWindowRect(KeyButton(i), &button);

    auto font = CreateSkinFont(14, 400);
    {
        ExMenuTree menu;
        if (menu.Build(BuildKeyMenu(MenuKeySlot, library_, IsRemapLimitReached(config_), m_lang), font.Get())) {
            menu.Root()->TrackPopup(Hwnd(), button.left, button.bottom, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
        }
        PostMessageW(Hwnd(), WM_NULL, 0, 0);
    }
    RedrawNow(KeyButton(i));
    SetFocus(Hwnd());
}

void CDlgMacroCtrlPanel::OnMenuCommand(int command) {
    if (command == kCmdOpenMacroManager) {
        if (openManager_) openManager_(Hwnd());
        return;
    }
    bool changed = false;
    if (command == kCmdKeyShortcut) {
        CDlgShortCut dialog(layout_);
        dialog.Model().LoadFromSlot(CurrentProfile(config_).MacroKeyInfo[m_nMenuKey]);
        if (dialog.DoModal(Hwnd()) != IDOK) return;
        changed = AssignFromKeyMenu(config_, m_nMenuKey, command, library_, &dialog.Model());
    } else {
        changed = AssignFromKeyMenu(config_, m_nMenuKey, command, library_, nullptr);
    }
    if (changed) RefreshMacroKeys();
}

LRESULT CDlgMacroCtrlPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        const HWND sender = reinterpret_cast<HWND>(lParam);
        const int id = LOWORD(wParam);
        if (sender == nullptr && HIWORD(wParam) == 0 && id >= kKeyMenuFirstCommand && id <= kKeyMenuLastCommand) {
            OnMenuCommand(id);
            return 0;
        }
        for (int i = 0; sender != nullptr && i < kMacroKeyCount; ++i) {
            if (sender == KeyButton(i) && HIWORD(wParam) == BN_CLICKED) {
                OpenKeyMenu(i);
                break;
            }
        }
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
