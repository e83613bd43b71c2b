#include "lighting/win/adv_ctrl_panel.h"

#include "skin/win/ex_menu.h"

namespace tavrel {

CDlgAdvCtrlPanel::CDlgAdvCtrlPanel(SharedConfig& working)
    : SkinnedWindow(kAdvPageTemplateId,
                    SkinSource{.layoutFile = u"Skins\\Skin_color_control.ini", .firstString = kAdvLangFirst, .lastString = kAdvLangLast,
                               .drag = SkinDrag::Parent, .picturesWhenShown = true}),
      m_working(working) {}

CDlgAdvCtrlPanel::~CDlgAdvCtrlPanel() = default;

void CDlgAdvCtrlPanel::CreateSkinControls(SkinBuilder& skin) {
    const struct {
        CBitmapBtn& button;
        int key;
        const char16_t* caption;
        int align;
    } buttons[] = {
        {m_btn500Hz, 1, u"500 HZ", 2},
        {m_btn1000Hz, 0, u"1000 HZ", 2},
        {m_btnRespTime, 20, u"", 0},
    };
    for (const auto& b : buttons) {
        skin.CreateButton(b.button, b.key);
        b.button.m_strCaption = b.caption;
        b.button.m_nAlign = b.align;
        b.button.m_crText = b.button.m_crDisabled = b.button.m_crPressed = RGB(0, 0, 0);
        b.button.m_crHover = RGB(163, 25, 48);
    }
    // The rates are one choice of two; the response time button shows its value and is
    // named by the card's heading.
    m_btn500Hz.m_accKind = m_btn1000Hz.m_accKind = ButtonKind::Radio;
    m_btnRespTime.m_accDescribe = [this](AccessibleInfo& info) {
        info.value = info.name;
        info.name = m_lang.Get(static_cast<size_t>(303 - kAdvLangFirst));
    };
}

std::vector<AccessiblePart> CDlgAdvCtrlPanel::AccessibleParts() const {
    return {PaintedText(m_lang.Get(static_cast<size_t>(301 - kAdvLangFirst)), RECT{73, 100, 73 + 300, 100 + 16})};
}

void CDlgAdvCtrlPanel::PaintSkin(HDC dc) {
    win::UniqueFont font = CreateSkinFont(14);
    win::SelectGuard selected(dc, font.Get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, RGB(163, 25, 48));
    const struct {
        int string;
        POINT at;
    } texts[] = {{301, {73, 100}}, {303, {435, 100}}};
    for (const auto& t : texts) {
        const std::u16string& text = m_lang.Get(static_cast<size_t>(t.string - kAdvLangFirst));
        TextOutW(dc, t.at.x, t.at.y, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()));
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void CDlgAdvCtrlPanel::ShowMark() {
    // SetCheck repaints a button only when its state really changes.
    m_btn500Hz.SetCheck(m_model.Mark() == RateMark::Hz500);
    m_btn1000Hz.SetCheck(m_model.Mark() == RateMark::Hz1000);
}

void CDlgAdvCtrlPanel::ShowResponseTime() {
    m_btnRespTime.m_nAlign = 0;
    m_btnRespTime.m_strCaption = ResponseTimeCaption(Profile().iResponTime);
    if (!m_btnRespTime.Hwnd()) return;
    m_btnRespTime.SetTipText(m_btnRespTime.m_strCaption);
    RedrawWindow(m_btnRespTime.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDlgAdvCtrlPanel::RefreshFromProfile() {
    if (m_model.RefreshFromProfile(Profile())) ShowMark();
    ShowResponseTime();
}

void CDlgAdvCtrlPanel::OnButton(HWND button) {
    if (!button) return;
    if (button == m_btn500Hz.Hwnd()) {
        if (m_model.Click500(Profile())) ShowMark();
        ShowResponseTime();
    } else if (button == m_btn1000Hz.Hwnd()) {
        if (m_model.Click1000(Profile())) ShowMark();
        ShowResponseTime();
    } else if (button == m_btnRespTime.Hwnd()) {
        OpenResponseMenu();
    }
}

void CDlgAdvCtrlPanel::OpenResponseMenu() {
    // The font outlives the menu that draws with it.
    win::UniqueFont font(CreateFontW(14, 0, 0, 0, 400, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial"));
    {
        CExMenu menu(font.Get());
        menu.CreatePopup();
        menu.AppendItem(kCmdResponse1ms, u"1 ms");
        menu.AppendItem(kCmdResponse2ms, u"2 ms");
        menu.m_nWidth = 135;
        RECT rc{};
        GetWindowRect(m_btnRespTime.Hwnd(), &rc);
        menu.TrackPopup(Hwnd(), rc.left, rc.bottom, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
        PostMessageW(Hwnd(), WM_NULL, 0, 0);
    }
    SetFocus(Hwnd());
}

LRESULT CDlgAdvCtrlPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control) {
            if (HIWORD(wParam) == BN_CLICKED) OnButton(control);
        } else {
            bool markChanged = false;
            if (m_model.MenuCommand(LOWORD(wParam), Profile(), markChanged)) {
                if (markChanged) ShowMark();
                ShowResponseTime();
            }
        }
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
