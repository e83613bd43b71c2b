// The event list's popup menu: recording into the middle of a macro, pauses, deleting
// events and inserting mouse-button events.
#include <algorithm>
#include <cstring>

#include "config/text.h"
#include "macros/macro_editor.h"

namespace tavrel {

namespace {

constexpr int kStringBase = 900;
constexpr long long kLongestPause = 65535;

const std::u16string& Str(const LangTable& strings, int number) {
    return strings.Get(static_cast<size_t>(number - kStringBase));
}

}  // namespace

std::vector<MenuEntry> MacroEditor::EventMenu(const LangTable& strings) {
    std::vector<MenuEntry> buttons;
    for (int n = 0; n < 5; ++n) {
        const int first = kCmdMouseFirst + 3 * n;
        buttons.push_back(MenuEntry::Popup(Str(strings, 918 + n),
                                           {MenuEntry::Item(first, Str(strings, 923)),
                                            MenuEntry::Item(first + 1, Str(strings, 924)),
                                            MenuEntry::Item(first + 2, Str(strings, 925))}));
    }
    buttons.push_back(MenuEntry::Separator());
    return {
        MenuEntry::Item(kCmdRecordBefore, Str(strings, 912)),
        MenuEntry::Item(kCmdRecordAfter, Str(strings, 913)),
        MenuEntry::Item(kCmdInsertPause, Str(strings, 914)),
        MenuEntry::Popup(Str(strings, 917), std::move(buttons)),
        MenuEntry::Item(kCmdEditPause, Str(strings, 915)),
        MenuEntry::Item(kCmdDeleteEvent, Str(strings, 916)),
    };
}

bool MacroEditor::OnEventMenuCommand(int command, std::optional<SelectedRow> selected) {
    // Without a macro (empty library) there is nothing to edit; during a recording the
    // menu is not offered.
    if (m_pRecord == nullptr || m_bRecording) return false;
    if (selected) {
        const int e = RowEvent(selected->data);
        if (selected->index < 0 || e < 0 || e >= m_nEventCount) selected.reset();
    }
    m_nMenuRow = selected ? selected->index : -1;
    const int e = selected ? RowEvent(selected->data) : -1;

    switch (command) {
    case kCmdRecordBefore:
        m_nInsertPos = selected ? e : -1;
        StartRecording();
        return false;
    case kCmdRecordAfter:
        m_nInsertPos = selected ? e + 1 : -1;
        StartRecording();
        return false;
    case kCmdInsertPause:
        InsertPause(selected);
        return false;
    case kCmdEditPause:
        if (!selected || !IsPauseRow(selected->data)) return false;
        m_nEditEvent = e;
        return true;
    case kCmdDeleteEvent:
        DeleteSelectedEvent(selected);
        return false;
    default:
        if (command >= kCmdMouseFirst && command <= kCmdMouseLast) InsertMouseEvents(command, selected);
        return false;
    }
}

void MacroEditor::InsertPause(std::optional<SelectedRow> selected) {
    if (!selected || IsPauseRow(selected->data)) return;
    const int e = RowEvent(selected->data);
    if (e <= 0) return;
    if (m_Events[e - 1].wDelay != 0) return;  // never overwrite a pause
    m_Events[e - 1].wDelay = 1;
    m_nCaretEvent = e - 1;
    m_nCaretRow = selected->index - 1;
    RefreshEventList();
    StoreEditorEvents();
}

void MacroEditor::DeleteSelectedEvent(std::optional<SelectedRow> selected) {
    if (!selected) {
        m_nCaretEvent = -1;
        m_nCaretRow = -1;
    } else {
        const int e = RowEvent(selected->data);
        if (IsPauseRow(selected->data)) {
            m_Events[e].wDelay = 0;
        } else {
            std::memmove(&m_Events[e], &m_Events[e + 1],
                         sizeof(MacroEvent) * static_cast<size_t>(m_nEventCount - e - 1));
            --m_nEventCount;
            m_Events[m_nEventCount] = MacroEvent{};  // entries after the used ones stay zero
        }
        m_nCaretEvent = e;
        m_nCaretRow = m_nMenuRow;
    }
    StoreEditorEvents();
    RefreshEventList();
}

void MacroEditor::InsertMouseEvents(int command, std::optional<SelectedRow> selected) {
    if (m_nEventCount >= kMaxMacroEvents) return;
    const int n = (command - kCmdMouseFirst) / 3;
    const int m = (command - kCmdMouseFirst) % 3;
    const uint8_t code = static_cast<uint8_t>(kMouseButton1Code + n);
    m_nInsertPos = selected ? RowEvent(selected->data) : -1;
    const MacroEvent press{code, kStatePress, 0};
    const MacroEvent release{code, kStateRelease, 0};
    if (m == 0) {
        InsertEvent(press);
    } else if (m == 1) {
        InsertEvent(release);
    } else if (m_nEventCount + 2 <= kMaxMacroEvents) {
        InsertEvent(press);
        // A pending insert position has moved on, so the release lands right behind.
        InsertEvent(release);
    }
    RefreshEventList();
    StoreEditorEvents();
}

EventRow MacroEditor::OnPauseEditDone(int row, std::u16string_view text) {
    const int value = static_cast<int>(std::clamp<long long>(ParseTypedNumber(text), 1, kLongestPause));
    EventRow replacement{PauseText(value), RowData(m_nEditEvent, kIconPause)};
    if (row >= 0 && row < static_cast<int>(eventRows_.size())) eventRows_[static_cast<size_t>(row)] = replacement;
    if (m_nEditEvent >= 0 && m_nEditEvent < m_nEventCount) {
        m_Events[m_nEditEvent].wDelay = static_cast<uint16_t>(value);
        StoreEditorEvents();
    }
    return replacement;
}

}  // namespace tavrel
