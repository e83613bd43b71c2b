// The macro manager without its window: the macro list, the editor of the selected
// macro's events, the repeat count and the two switches, recording and the event menu.
// Every rule of the manager lives here; CDlgMacroMan turns messages into these calls and
// shows MacroRows(), EventRows() and the switch states.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/records.h"
#include "keys/keyboard_layout.h"
#include "macros/event_rows.h"
#include "macros/macro_store.h"
#include "macros/menu_entry.h"
#include "macros/tick_source.h"
#include "skin/lang_table.h"

namespace tavrel {

// What the recorder needs from its window: the capture hook and the controls that a
// recording locks.
class RecordingHost {
public:
    virtual ~RecordingHost() = default;
    // Install the capture hook for the manager, lock OK, Cancel, close, New, Delete and
    // the macro list, focus the manager, show the Record button pressed.
    virtual void RecordingStarted() = 0;
    // Remove the capture hook, unlock the controls, show the Record button released.
    virtual void RecordingStopped() = 0;
    // A full macro ended the recording: the event list takes the keyboard focus.
    virtual void FocusEventList() = 0;
};

// A row of the event list as the list box holds it when a menu command arrives.
struct SelectedRow {
    int index = -1;
    uint32_t data = 0;
};

// Event menu commands.
enum EventMenuCommand : int {
    kCmdRecordBefore = 1001,
    kCmdRecordAfter = 1002,
    kCmdInsertPause = 1003,
    kCmdEditPause = 1004,
    kCmdDeleteEvent = 1005,
    kCmdMouseFirst = 1020,  // button n (0..4): press 1020+3n, release 1021+3n, click 1022+3n
    kCmdMouseLast = 1034,
};

constexpr int kMaxMacroRows = 99;
constexpr int kMacroNameLimit = 15;
constexpr int kPauseTextLimit = 20;
constexpr int kMacroListTag = 4096;
constexpr int kEventListTag = 4097;

// Reads a number typed by the user as the platform's text-to-integer does for digits:
// leading white space skipped, then decimal digits (0 without any); saturates instead of
// overflowing.
long long ParseTypedNumber(std::u16string_view text);

class MacroEditor {
public:
    // The library, layout, clock and host must outlive the editor.
    MacroEditor(MacroStore& library, const KeyboardLayout& layout, TickSource& ticks, RecordingHost& host);

    // Dialog initialisation: the macro list from the library, the macro of menuKeySlot
    // (the key whose menu was opened last) preselected when it plays one.
    void Initialise(const MacroKeyInfo& menuKeySlot);

    // ---- What the window shows
    const std::vector<std::u16string>& MacroRows() const { return macroRows_; }
    int CurMacro() const { return m_nCurMacro; }
    // The event rows as last built. A pause edit that ends empty drops its row from the
    // list box without a word to the dialog; the row stays here and is shown again at
    // the next refresh, as the pause itself is unchanged.
    const std::vector<EventRow>& EventRows() const { return eventRows_; }
    int CaretRow() const { return caretRow_; }  // row to put the caret on; -1 none
    // Raised whenever the lists or the repeat box must be shown again.
    unsigned MacroListRevision() const { return macroListRevision_; }
    unsigned EventListRevision() const { return eventListRevision_; }
    unsigned RepeatBoxRevision() const { return repeatBoxRevision_; }
    std::u16string RepeatBoxText() const;
    bool RepeatOn() const { return m_bRepeatOn; }
    bool RecordDelays() const { return m_bRecordDelays; }
    bool Recording() const { return m_bRecording; }
    bool HasRecord() const { return m_pRecord != nullptr; }
    int EventCount() const { return m_nEventCount; }
    const MacroEvent* Events() const { return m_Events; }
    int RepeatCount() const { return m_nRepeatCount; }

    // ---- The editor's operations
    void LoadMacroIntoEditor(int position);
    void RefreshEventList();
    void StoreEditorEvents();
    // Inserts at m_nInsertPos (or appends); refused when the macro is full.
    bool InsertEvent(const MacroEvent& event);
    void SetInsertPos(int pos) { m_nInsertPos = pos; }
    int InsertPos() const { return m_nInsertPos; }

    // ---- Macro list
    void OnMacroSelected(int row);
    bool CanAddMacro() const { return static_cast<int>(macroRows_.size()) < kMaxMacroRows; }
    // The in-place editor of a new row was committed with a non-empty text. The list box
    // has the row at the end of the list; the macro list is shown again afterwards, with
    // or without it. Returns true when a macro was created.
    bool OnNewMacroNamed(std::u16string_view typed);
    // Delete button: the confirmation is asked only when this returns true.
    bool MayDeleteMacro(int row, const SharedConfig& config) const;
    // Delete key: asks whenever a macro row is selected, in use or not.
    bool MayDeleteMacroByKey(int row) const;
    void DeleteMacro(int row);

    // ---- Repeat count box and switches
    // Change or focus loss of the box: returns the corrected text when the box must be
    // rewritten.
    std::optional<std::u16string> OnRepeatText(std::u16string_view text);
    void OnRepeatSwitch();
    void OnPauseSwitch() { m_bRecordDelays = !m_bRecordDelays; }

    // ---- Recording
    void OnRecordButton();
    void StartRecording();
    void StopRecording();
    void OnCapturedKey(uint32_t vk, uint32_t flags);

    // ---- Event menu
    bool OffersEventMenu() const { return !m_bRecording && m_pRecord != nullptr; }
    static std::vector<MenuEntry> EventMenu(const LangTable& strings);
    // A menu command with the row selected in the event list (none: no selection).
    // Returns true when the view must open the in-place pause editor on the selected row.
    bool OnEventMenuCommand(int command, std::optional<SelectedRow> selected);
    // The pause editor ended with a non-empty text; row is the re-inserted row. Returns
    // the row that replaces it.
    EventRow OnPauseEditDone(int row, std::u16string_view text);

private:
    void EventListChanged() { ++eventListRevision_; }
    void SetRepeatCount(int value);
    void WriteRepeatToRecord();
    void InsertMouseEvents(int command, std::optional<SelectedRow> selected);
    void DeleteSelectedEvent(std::optional<SelectedRow> selected);
    void InsertPause(std::optional<SelectedRow> selected);

    MacroStore& library_;
    const KeyboardLayout& layout_;
    TickSource& ticks_;
    RecordingHost& host_;

    std::vector<std::u16string> macroRows_;
    std::vector<EventRow> eventRows_;
    int caretRow_ = -1;
    unsigned macroListRevision_ = 0;
    unsigned eventListRevision_ = 0;
    unsigned repeatBoxRevision_ = 0;

    MacroRecord* m_pRecord = nullptr;
    MacroEvent m_Events[kMaxMacroEvents] = {};
    int m_nEventCount = 0;
    int m_nCurMacro = -1;
    int m_nInsertPos = -1;
    int m_nCaretRow = -1;
    int m_nCaretEvent = -1;
    int m_nMenuRow = 0;
    int m_nEditEvent = -1;
    bool m_bRecording = false;
    bool m_bRecordDelays = false;
    bool m_bKeySeen = false;
    bool m_bRepeatOn = false;
    int m_nRepeatCount = 0;
};

}  // namespace tavrel
