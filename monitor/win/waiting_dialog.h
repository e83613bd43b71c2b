// CDlgWaitting: the small window shown while an apply runs. Opening it starts the
// apply: it posts MONITOR_START_APPLY with its mode to the main window, whose
// pre-translation runs the apply while this dialog's modal run goes on. It ends only
// when WM_CLOSE arrives (the main window posts it on MONITOR_APPLY_DONE) or when the
// main window's own run ends; keys never close it and it does not move.
#pragma once

#include <windows.h>

#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kWaitingTemplate = 146;

class CDlgWaitting : public SkinnedWindow {
public:
    CDlgWaitting();

    // Set by the main window before each run.
    int m_nMode = 0;             // 0 apply, 1 apply after a reset
    HWND m_hMainWindow = nullptr;  // receives MONITOR_START_APPLY

protected:
    BOOL OnInitDialog() override;
    void PaintSkin(HDC dc) override;
    // Named by its title; the message it paints is a text of it.
    std::vector<AccessiblePart> AccessibleParts() const override;
};

}  // namespace tavrel
