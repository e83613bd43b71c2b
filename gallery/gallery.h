// The gallery: gallery.exe opens one skinned window of the program on its own, by
// name, so that it can be looked at and photographed under Wine:
//     wine gallery.exe warning          (one registered window)
//     wine gallery.exe --list           (every name)
//     wine gallery.exe skin:wait        (a bare skin: layout, outline, buttons)
//
// Adding a window is one line in a file of its own, gallery/<name>.cpp:
//     #include "gallery/gallery.h"
//     #include "dialogs/win/dlg_warning.h"
//     TAVREL_GALLERY_MODAL(L"warning", tavrel::CDlgWarning);          // a modal dialog
//     TAVREL_GALLERY_PAGE(L"lighting", tavrel::CDlgLightCtrlPanel);   // a page, hosted
//     TAVREL_GALLERY_WINDOW(L"warning-delete", [] {                   // anything else
//         tavrel::CDlgWarning dlg; dlg.m_nMode = 1; return static_cast<int>(dlg.DoModal());
//     });
// The window's title bar text is not needed: the gallery names its windows
// "Gallery: <name>" so that scripts can find them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "window/win/dialog.h"
#include "window/win/window.h"

namespace tavrel::gallery {

struct Entry {
    std::wstring name;
    std::function<int()> show;  // runs the window until it closes; the exit code
};

std::vector<Entry>& Registry();
bool Register(const wchar_t* name, std::function<int()> show);

// Title every gallery window gets once it exists.
std::wstring TitleFor(const std::wstring& name);
// The name being shown (for titles).
const std::wstring& CurrentName();

// Runs a modal dialog with no owner.
template <typename Dialog>
int ShowModal() {
    Dialog dialog;
    return static_cast<int>(dialog.DoModal(nullptr));
}

// Creates `page` as a child of a borderless host window of the page's size, shows it
// and runs the host until it is closed. `created` (when given) runs once the page
// exists, before it is shown: pages that the main window refreshes load there.
int HostPage(win::Dialog& page, const std::function<void()>& created = {});

template <typename Page>
int ShowPage() {
    Page page;
    return HostPage(page);
}

}  // namespace tavrel::gallery

#define TAVREL_GALLERY_CONCAT_(a, b) a##b
#define TAVREL_GALLERY_CONCAT(a, b) TAVREL_GALLERY_CONCAT_(a, b)
#define TAVREL_GALLERY_WINDOW(name, show)                                                             \
    static const bool TAVREL_GALLERY_CONCAT(galleryRegistered_, __LINE__) [[maybe_unused]] = \
        ::tavrel::gallery::Register(name, show)
#define TAVREL_GALLERY_MODAL(name, Type) TAVREL_GALLERY_WINDOW(name, [] { return ::tavrel::gallery::ShowModal<Type>(); })
#define TAVREL_GALLERY_PAGE(name, Type) TAVREL_GALLERY_WINDOW(name, [] { return ::tavrel::gallery::ShowPage<Type>(); })
