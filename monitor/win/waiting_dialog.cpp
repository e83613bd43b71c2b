#include "monitor/win/waiting_dialog.h"

#include "monitor/monitor_protocol.h"

namespace tavrel {

CDlgWaitting::CDlgWaitting()
    : SkinnedWindow(kWaitingTemplate, SkinSource{u"Skins\\skin_wait.ini", 1400, 1401, true, SkinDrag::None}) {
    SetSwallowedKeys({VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1});
    // The apply it starts runs first: a monitor that answers at once closes it unseen.
    // An apply that has to wait for the monitor's mutex shows it before waiting.
    ShowWhenIdle();
}

BOOL CDlgWaitting::OnInitDialog() {
    SetWindowTextW(Hwnd(), reinterpret_cast<const wchar_t*>(kWaitingWindowTitle));
    HWND target = m_hMainWindow ? m_hMainWindow : GetParent(Hwnd());
    if (target) PostMessageW(target, kWmMonitorCommand, static_cast<WPARAM>(m_nMode), MONITOR_START_APPLY);
    return TRUE;
}

namespace {

constexpr RECT kMessageRect{5, 67, 300, 117};

}  // namespace

void CDlgWaitting::PaintSkin(HDC dc) {
    auto font = CreateSkinFont(20, 600);
    DrawSkinText(dc, m_lang.Get(0), kMessageRect, DT_CENTER | DT_WORDBREAK, font.Get());
}

std::vector<AccessiblePart> CDlgWaitting::AccessibleParts() const { return {PaintedText(m_lang.Get(0), kMessageRect)}; }

}  // namespace tavrel
