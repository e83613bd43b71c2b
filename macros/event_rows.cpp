#include "macros/event_rows.h"

#include "config/text.h"
#include "keys/key_codes.h"

namespace tavrel {

namespace {

bool IsMouseVk(uint32_t vk) { return vk >= 0xF0 && vk <= 0xF4; }

}  // namespace

std::u16string PauseText(int milliseconds) { return FormatInt(milliseconds) + u" ms"; }

std::vector<EventRow> BuildEventRows(const MacroEvent* events, int count, const KeyboardLayout& layout,
                                     int caretEvent, int* caretRow) {
    std::vector<EventRow> rows;
    if (count < 0) count = 0;
    if (count > kMaxMacroEvents) count = kMaxMacroEvents;
    rows.reserve(static_cast<size_t>(count) * 2);
    for (int e = 0; e < count; ++e) {
        const MacroEvent& ev = events[e];
        const uint32_t vk = TanslateUID2VK(ev.byCode, layout).code;
        const bool press = ev.byState == kStatePress;
        EventRow row;
        row.text = GetVKName(vk);
        if (IsMouseVk(vk)) {
            row.text += press ? u" Down" : u" Up";
            row.data = RowData(e, kIconMouse);
        } else {
            row.data = RowData(e, press ? kIconKeyPress : kIconKeyRelease);
        }
        rows.push_back(std::move(row));
        if (ev.wDelay != 0) rows.push_back(EventRow{PauseText(ev.wDelay), RowData(e, kIconPause)});
        if (e == caretEvent && caretRow != nullptr) *caretRow = static_cast<int>(rows.size()) - 1;
    }
    return rows;
}

int CaretRowAfterRefresh(int requestedRow, int rowCount) {
    if (rowCount <= 0) return -1;
    int r = requestedRow;
    if (r < 0 || r > rowCount - 1) r = rowCount - 1;
    if (r > 3 && r < rowCount - 3) r += 2;
    return r;
}

}  // namespace tavrel
