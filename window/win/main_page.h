// The interface of the main window's pages. A page is a skinned child dialog created
// from its template as a child of the main window; the main window places it, shows one
// page at a time and asks the pages to reload themselves from the current profile of
// WorkingConfig. The pages implement it; the main window knows them only through it.
//
//     class CDlgLightCtrlPanel : public SkinnedWindow, public MainPage {
//         bool CreatePage(HWND mainWindow) override { return Create(mainWindow); }
//         HWND PageHwnd() const override { return Hwnd(); }
//         void Refresh() override { RefreshFromProfile(); }
//     };
#pragma once

#include <windows.h>

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

}  // namespace tavrel
