// CDlgAdvCtrlPanel: the advanced page. A thin view over AdvPageModel: the 500 Hz and
// 1000 Hz buttons (a radio pair the page marks itself) and the response-time button
// with its menu, editing the current profile of WorkingConfig.
#pragma once

#include <windows.h>

#include "window/win/main_page.h"
#include "config/shared_config.h"
#include "lighting/adv_page_model.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kAdvPageTemplateId = 133;

class CDlgAdvCtrlPanel : public SkinnedWindow, public MainPage {
public:
    explicit CDlgAdvCtrlPanel(SharedConfig& working = WorkingConfig);
    ~CDlgAdvCtrlPanel() override;

    // Loads the page from the current profile of the working configuration.
    void RefreshFromProfile();

    // ---- MainPage
    bool CreatePage(HWND mainWindow) override { return Create(mainWindow); }
    HWND PageHwnd() const override { return Hwnd(); }
    void Refresh() override { RefreshFromProfile(); }

    // ---- for the main window and tests
    const AdvPageModel& Model() const { return m_model; }
    CBitmapBtn& Button500Hz() { return m_btn500Hz; }
    CBitmapBtn& Button1000Hz() { return m_btn1000Hz; }
    CBitmapBtn& ResponseTimeButton() { return m_btnRespTime; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateSkinControls(SkinBuilder& skin) override;
    void PaintSkin(HDC dc) override;
    std::vector<AccessiblePart> AccessibleParts() const override;

private:
    ProfileRecord& Profile() { return CurrentProfile(m_working); }
    void ShowMark();
    void ShowResponseTime();
    void OnButton(HWND button);
    void OpenResponseMenu();

    SharedConfig& m_working;
    AdvPageModel m_model;
    CBitmapBtn m_btn500Hz, m_btn1000Hz, m_btnRespTime;
};

}  // namespace tavrel
