// Recording: keystroke reports from the capture hook become events of the macro shown
// in the manager.
#include <cstring>

#include "keys/key_codes.h"
#include "macros/macro_editor.h"
#include "macros/recorder_globals.h"

namespace tavrel {

namespace {

constexpr uint32_t kLongestPause = 65535;

}  // namespace

void MacroEditor::OnRecordButton() {
    if (m_pRecord == nullptr) return;
    if (m_bRecording) {
        StopRecording();
        return;
    }
    // The library record keeps the old events until the recording stops.
    eventRows_.clear();
    caretRow_ = -1;
    EventListChanged();
    m_nEventCount = 0;
    std::memset(m_Events, 0, sizeof m_Events);
    m_nInsertPos = -1;
    StartRecording();
}

void MacroEditor::StartRecording() {
    if (m_pRecord == nullptr || m_bRecording) return;
    m_bRecording = true;
    m_bKeySeen = false;
    host_.RecordingStarted();
}

void MacroEditor::StopRecording() {
    if (!m_bRecording) return;
    m_bRecording = false;
    host_.RecordingStopped();
    g_dwLastTick = 0;
    StoreEditorEvents();
}

void MacroEditor::OnCapturedKey(uint32_t vk, uint32_t flags) {
    // Reports still queued when the recording stopped were typed after the user asked
    // to stop (or after the macro was full): they are dropped.
    if (!m_bRecording) return;
    // A held key repeats its key-down report; only the first one counts.
    if (vk == g_nLastVk && flags == g_nLastFlags) return;
    g_nLastVk = vk;
    g_nLastFlags = flags;
    vk = CapturedVirtualKey(vk, flags);
    const uint8_t code = static_cast<uint8_t>(TranslateVK2UID(vk, layout_).code & 0xFF);

    const uint32_t now = ticks_.Now();
    if (m_bKeySeen && m_bRecordDelays && m_nEventCount < kMaxMacroEvents) {
        const uint32_t elapsed = now - g_dwLastTick;  // unsigned: survives the tick wrap
        const uint16_t pause = static_cast<uint16_t>(elapsed > kLongestPause ? kLongestPause : elapsed);
        // The pause belongs to the event stored just before this one.
        const int previous = m_nInsertPos == -1 ? m_nEventCount - 1 : m_nInsertPos - 1;
        if (previous >= 0 && previous < m_nEventCount) m_Events[previous].wDelay = pause;
    }

    MacroEvent event{};
    event.byCode = code;
    event.byState = (flags & kCapturedKeyUpFlag) != 0 ? kStateRelease : kStatePress;
    event.wDelay = 0;
    InsertEvent(event);

    g_dwLastTick = now;
    m_bKeySeen = true;
    if (m_nEventCount >= kMaxMacroEvents) {
        StopRecording();
        host_.FocusEventList();
    }
    RefreshEventList();
}

}  // namespace tavrel
