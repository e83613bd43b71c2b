#include "macros/macro_editor.h"

#include <algorithm>
#include <cstring>

#include "config/text.h"
#include "macros/macro_names.h"

namespace tavrel {

namespace {

constexpr int kRepeatMin = 1;
constexpr int kRepeatMax = 255;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string_view RecordName(const MacroRecord& record) { return ArrayText(record.szName); }

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

long long ParseTypedNumber(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    long long value = 0;
    constexpr long long kSaturated = 1'000'000'000'000LL;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > kSaturated) value = kSaturated;
    }
    return value;
}

MacroEditor::MacroEditor(MacroStore& library, const KeyboardLayout& layout, TickSource& ticks,
                         RecordingHost& host)
    : library_(library), layout_(layout), ticks_(ticks), host_(host) {}

// ---- Initialisation and the editor's operations

void MacroEditor::Initialise(const MacroKeyInfo& menuKeySlot) {
    m_bRecording = false;
    macroRows_.clear();
    for (int k = 0; k < library_.Count(); ++k) {
        const MacroRecord* record = library_.At(k);
        macroRows_.emplace_back(record != nullptr ? RecordName(*record) : std::u16string_view());
    }
    ++macroListRevision_;
    if (macroRows_.empty()) {
        m_nCurMacro = -1;
        LoadMacroIntoEditor(-1);
        return;
    }
    m_nCurMacro = 0;
    const std::u16string_view keyName = ArrayText(menuKeySlot.szText);
    if (menuKeySlot.byType == 3 && !keyName.empty()) {
        // The macro the key plays by its whole name first; a key holds at most 19
        // characters of a longer name, so then the first row that begins with it,
        // searched from row 1 round to row 0.
        const int rows = static_cast<int>(macroRows_.size());
        int found = -1;
        for (int r = 0; r < rows && found < 0; ++r) {
            if (EqualsNoCase(Trim(macroRows_[r]), Trim(keyName))) found = r;
        }
        for (int step = 1; step <= rows && found < 0; ++step) {
            const int r = step % rows;
            if (StartsWithNoCase(macroRows_[r], keyName)) found = r;
        }
        if (found >= 0) m_nCurMacro = found;
    }
    LoadMacroIntoEditor(m_nCurMacro);
}

void MacroEditor::LoadMacroIntoEditor(int position) {
    m_pRecord = library_.At(position);
    if (m_pRecord != nullptr) {
        std::memcpy(m_Events, m_pRecord->Events, sizeof m_Events);
        m_nEventCount = std::clamp(m_pRecord->iEventCount, 0, kMaxMacroEvents);
        m_nRepeatCount = m_pRecord->iRepeat;
        // A stored count of 1 (or none) plays the macro once: the switch is off.
        m_bRepeatOn = m_pRecord->iRepeat > 1;
    } else {
        m_nEventCount = 0;
        m_nRepeatCount = 1;
        m_bRepeatOn = false;
    }
    m_nCaretRow = -1;
    m_nCaretEvent = m_nEventCount - 1;
    RefreshEventList();
    if (m_nRepeatCount < kRepeatMin) m_nRepeatCount = kRepeatMin;
    // Showing the count in the box counts as a change of the box.
    OnRepeatText(FormatInt(m_nRepeatCount));
    ++repeatBoxRevision_;
}

void MacroEditor::RefreshEventList() {
    eventRows_ = BuildEventRows(m_Events, m_nEventCount, layout_, m_nCaretEvent, &m_nCaretRow);
    caretRow_ = CaretRowAfterRefresh(m_nCaretRow, static_cast<int>(eventRows_.size()));
    EventListChanged();
}

void MacroEditor::StoreEditorEvents() {
    if (m_pRecord == nullptr) return;
    std::memcpy(m_pRecord->Events, m_Events, sizeof m_Events);
    m_pRecord->iEventCount = m_nEventCount;
}

bool MacroEditor::InsertEvent(const MacroEvent& event) {
    if (m_nEventCount >= kMaxMacroEvents) return false;
    int p = m_nInsertPos == -1 ? m_nEventCount : m_nInsertPos;
    p = std::clamp(p, 0, m_nEventCount);
    std::memmove(&m_Events[p + 1], &m_Events[p], sizeof(MacroEvent) * static_cast<size_t>(m_nEventCount - p));
    m_Events[p] = event;
    ++m_nEventCount;
    if (m_nInsertPos != -1) m_nInsertPos = p + 1;
    m_nCaretEvent = p;
    return true;
}

// ---- Macro list

void MacroEditor::OnMacroSelected(int row) {
    if (m_bRecording) return;
    m_nCurMacro = row;
    LoadMacroIntoEditor(m_nCurMacro);
}

bool MacroEditor::OnNewMacroNamed(std::u16string_view typed) {
    ++macroListRevision_;
    std::u16string_view name = Trim(typed);
    if (name.size() > static_cast<size_t>(kMacroNameLimit)) name = Trim(name.substr(0, kMacroNameLimit));
    bool refused = name.empty();  // a name of blanks only names nothing
    for (int k = 0; k < library_.Count() && !refused; ++k) {
        const MacroRecord* record = library_.At(k);
        if (record != nullptr && EqualsNoCase(Trim(RecordName(*record)), name)) refused = true;
    }
    if (refused) {
        const int rows = static_cast<int>(macroRows_.size());
        if (rows == 0) {
            m_nCurMacro = -1;
        } else if (m_nCurMacro > rows - 1) {
            m_nCurMacro = rows - 1;
        }
        LoadMacroIntoEditor(m_nCurMacro);
        return false;
    }
    library_.Append(name);
    macroRows_.emplace_back(typed);
    m_nCurMacro = static_cast<int>(macroRows_.size()) - 1;
    LoadMacroIntoEditor(m_nCurMacro);
    return true;
}

bool MacroEditor::MayDeleteMacroByKey(int row) const {
    return !m_bRecording && row >= 0 && row < static_cast<int>(macroRows_.size());
}

bool MacroEditor::MayDeleteMacro(int row, const SharedConfig& config) const {
    if (!MayDeleteMacroByKey(row)) return false;
    // The key slots hold the library's name, not the row text as typed.
    const MacroRecord* record = library_.At(row);
    const std::u16string_view name = record != nullptr ? RecordName(*record) : std::u16string_view(macroRows_[row]);
    return !IsMacroInUse(config, name);
}

void MacroEditor::DeleteMacro(int row) {
    if (!MayDeleteMacroByKey(row)) return;
    m_pRecord = nullptr;  // may be the record about to be freed
    macroRows_.erase(macroRows_.begin() + row);
    library_.DeleteAt(row);
    ++macroListRevision_;
    const int rows = static_cast<int>(macroRows_.size());
    m_nCurMacro = row;
    if (rows == 0) {
        m_nCurMacro = -1;
    } else if (m_nCurMacro > rows - 1) {
        m_nCurMacro = rows - 1;
    }
    LoadMacroIntoEditor(m_nCurMacro);
}

// ---- Repeat count box and switches

std::u16string MacroEditor::RepeatBoxText() const { return FormatInt(m_nRepeatCount); }

std::optional<std::u16string> MacroEditor::OnRepeatText(std::u16string_view text) {
    const long long typed = ParseTypedNumber(text);
    std::optional<std::u16string> rewrite;
    int value = static_cast<int>(std::clamp<long long>(typed, kRepeatMin, kRepeatMax));
    if (value != typed) rewrite = FormatInt(value);
    SetRepeatCount(value);
    return rewrite;
}

void MacroEditor::SetRepeatCount(int value) {
    m_nRepeatCount = value;
    WriteRepeatToRecord();
}

// The stored value plays the macro that many times. With the repeat switch off the
// macro plays once, and the count in the box waits for the switch to be turned on.
void MacroEditor::WriteRepeatToRecord() {
    if (m_pRecord == nullptr) return;
    m_pRecord->iRepeat = m_bRepeatOn ? m_nRepeatCount : kRepeatMin;
}

void MacroEditor::OnRepeatSwitch() {
    m_bRepeatOn = !m_bRepeatOn;
    WriteRepeatToRecord();
}

}  // namespace tavrel
