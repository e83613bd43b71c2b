#include "keys/win/dlg_main_ctrl_panel.h"

#include "keys/win/dlg_key_assi.h"

namespace tavrel {

namespace {

// Opens the real key assignment dialog over the page.
class KeyAssignDialogRunner : public KeyAssignRunner {
public:
    KeyAssignDialogRunner(HWND page, const KeyboardLayout& layout) : page_(page), layout_(layout) {}
    KeyAssignOutcome Run(const KeyAssignRequest& request) override {
        CDlgKeyAssi dialog(layout_);
        dialog.Model().m_nKeyPos = request.keyPos;
        dialog.Model().m_byCurKey = request.curKey;
        const INT_PTR result = dialog.DoModal(page_);
        return {static_cast<int>(result), dialog.Model().m_byNewKey};
    }

private:
    HWND page_;
    const KeyboardLayout& layout_;
};

}  // namespace

CDlgMainCtrlPanel::CDlgMainCtrlPanel(SharedConfig& config, const KeyboardLayout& layout)
    : SkinnedWindow(kKeySettingsTemplate,
                    SkinSource{.layoutFile = u"Skins\\skin_main.ini", .eraseBackground = false, .drag = SkinDrag::Parent,
                               .picturesWhenShown = true, .buttonsShowBackground = true}),
      model_(config),
      layout_(layout) {}

void CDlgMainCtrlPanel::CreateSkinControls(SkinBuilder& skin) {
    for (int p = 0; p < kKeyPositions; ++p) {
        CBitmapBtn& button = m_btnKeys[static_cast<size_t>(p)];
        skin.CreateButton(button, p + kFirstKeyButtonEntry);
        // Read when a screen reader asks, so that it always follows the profile.
        button.m_accDescribe = [this, p](AccessibleInfo& info) {
            info.name = KeySettingsModel::KeyName(p, layout_);
            info.value = model_.AssignedKeyName(p, layout_);
        };
    }
}

void CDlgMainCtrlPanel::MarkKey(int keyPos, bool remapped, bool shown) {
    CBitmapBtn& button = m_btnKeys[static_cast<size_t>(keyPos)];
    button.SetCheck(remapped);  // invalidates only on a change
    // A page that is not on screen has nothing to redraw now: it paints every key when
    // it is shown. (At start the page is marked twice before the window first shows.)
    if (shown && button.Hwnd()) {
        RedrawWindow(button.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CDlgMainCtrlPanel::RefreshKeys() {
    const auto marks = model_.RemappedMarks();
    const bool shown = Hwnd() && IsWindowVisible(Hwnd());
    for (int p = 0; p < kKeyPositions; ++p) MarkKey(p, marks[static_cast<size_t>(p)], shown);
}

void CDlgMainCtrlPanel::OnKeyClicked(int keyPos) {
    KeyAssignDialogRunner dialog(Hwnd(), layout_);
    if (model_.OnKeyClicked(keyPos, dialog) == KeyClickOutcome::Stored) {
        MarkKey(keyPos, model_.IsRemapped(keyPos), IsWindowVisible(Hwnd()) != FALSE);
        win::NotifyAccessibleChange(KeyButton(keyPos), EVENT_OBJECT_VALUECHANGE);
    }
}

LRESULT CDlgMainCtrlPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam != 0) {
        const HWND sender = reinterpret_cast<HWND>(lParam);
        for (int p = 0; p < kKeyPositions; ++p) {
            if (m_btnKeys[static_cast<size_t>(p)].Hwnd() == sender) {
                OnKeyClicked(p);
                return 0;
            }
        }
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
