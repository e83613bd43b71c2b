// The four pages of the main window, behind one small interface. A page is a skinned
// child dialog created from its template as a child of the main window; the main
// window places it, shows one page at a time and asks the pages to reload themselves
// from the current profile of WorkingConfig.
//
// Plugging a page in: derive it from SkinnedWindow (skin/win/skinned_window.h) and
// MainPage, e.g.
//     class CDlgLightCtrlPanel : public SkinnedWindow, public MainPage {
//         bool CreatePage(HWND mainWindow) override { return Create(mainWindow); }
//         HWND PageHwnd() const override { return Hwnd(); }
//         void Refresh() override { RefreshFromProfile(); }
//     };
// and return it for its index from MakeMainPage in app/win/page_factory.cpp. Until a
// page exists there, an empty skinned page from its template stands in for it.
#pragma once

#include <windows.h>

#include <memory>

namespace tavrel {

class MainPage {
public:
    virtual ~MainPage() = default;

    // Creates the page from its template as a child of the main window. True when the
    // window exists.
    virtual bool CreatePage(HWND mainWindow) = 0;
    virtual HWND PageHwnd() const = 0;
    // Reloads the page's controls from the current profile of WorkingConfig.
    virtual void Refresh() = 0;
};

enum MainPageIndex : int {
    kKeySettingsPage = 0,  // CDlgMainCtrlPanel, template 131
    kMacroPage = 1,        // CDlgMacroCtrlPanel, template 132
    kAdvancedPage = 2,     // CDlgAdvCtrlPanel, template 133
    kLightingPageIndex = 3,  // CDlgLightCtrlPanel, template 134
};

// Template of each page.
inline constexpr UINT kPageTemplates[4] = {131, 132, 133, 134};

// Where every page lies in the main window's client area.
inline constexpr RECT kPageArea{1, 100, 1 + 785, 100 + 267};

// The page object of `index` (0..3), not yet created.
std::unique_ptr<MainPage> MakeMainPage(int index);

}  // namespace tavrel
