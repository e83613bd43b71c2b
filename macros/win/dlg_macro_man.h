// CDlgMacroMan: the modal dialog in which the user keeps the macro library: the macro
// list, the events of the selected macro, the repeat count and switches, recording
// through the capture hook and the event menu. Its rules live in MacroEditor; this
// class turns messages into editor calls and shows the editor's state.
//
// It edits the library records in place; its caller saves the library after IDOK and
// reloads it from the file otherwise (RunMacroManagerDialog does both).
#pragma once

#include <windows.h>

#include "accessibility/win/named_edit.h"
#include "keys/keyboard_layout.h"
#include "macros/macro_editor.h"
#include "macros/macro_store.h"
#include "macros/win/system_ticks.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/listbox_ex.h"
#include "skin/win/skinned_window.h"

namespace tavrel {

inline constexpr UINT kMacroManagerTemplate = 136;
inline constexpr int kRepeatBoxId = 1001;

class CDlgMacroMan : public SkinnedWindow, private RecordingHost {
public:
    // The library, layout and configuration must outlive the dialog. `config` is read
    // only, to refuse deleting a macro a key holds.
    CDlgMacroMan(MacroStore& library, const KeyboardLayout& layout, const SharedConfig& config);

    const MacroEditor& Editor() const { return editor_; }
    CListBoxEx& MacroList() { return m_lstMacros; }
    CListBoxEx& EventList() { return m_lstEvents; }
    HWND Button(int skinKey) const;  // by its "BUTTONPOS" key: 1, 2, 3, 4, 5, 7, 8, 9
    HWND RepeatBox() const { return m_editRepeat; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void CreateSkinControls(SkinBuilder& skin) override;
    void PaintSkin(HDC dc) override;
    std::u16string AccessibleName() const override;
    std::vector<AccessiblePart> AccessibleParts() const override;

private:
    // RecordingHost
    void RecordingStarted() override;
    void RecordingStopped() override;
    void FocusEventList() override;

    bool OnButton(HWND sender);
    void OnMenuCommand(int command);
    void OnListEditDone(int row, int tag);
    void OnDeleteKey();
    void OnDeleteButton();
    void DeleteAfterConfirmation(int row, HWND owner);
    void OnRightClick(int tag);
    void OnRepeatBoxChanged();
    void LockForRecording(bool locked);
    void ShowRecordButton(bool recording);
    // Brings the lists, the repeat box and the switches in line with the editor.
    void Sync();

    const SharedConfig& config_;
    SystemTicks ticks_;
    MacroEditor editor_;
    unsigned shownMacroList_ = ~0u;
    unsigned shownEventList_ = ~0u;
    unsigned shownRepeatBox_ = ~0u;
    bool settingRepeatBox_ = false;

    CBitmapBtn m_btnNew, m_btnDelete, m_btnRecord, m_btnPauseSwitch, m_btnRepeatSwitch;
    CBitmapBtn m_btnOK, m_btnCancel, m_btnClose;
    CBitmapBtn m_lblRepeat, m_lblPause, m_lblHint;
    CListBoxEx m_lstMacros, m_lstEvents;
    win::UniqueBrush m_brWhite;
    HWND m_editRepeat = nullptr;  // child of the dialog
    win::NamedEdit m_accRepeat;   // names the repeat box for a screen reader
};

}  // namespace tavrel
