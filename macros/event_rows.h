// The rows of the macro manager's event list: one row per event, plus a pause row after
// each event with a pause. Every row carries a 32-bit datum: event index + 1 in the high
// 16 bits, the number of the icon bitmap the list box draws in the low 16 bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/records.h"
#include "keys/keyboard_layout.h"

namespace tavrel {

constexpr uint16_t kIconKeyPress = 138;
constexpr uint16_t kIconKeyRelease = 139;
constexpr uint16_t kIconPause = 140;
constexpr uint16_t kIconMouse = 143;

constexpr uint8_t kMouseButton1Code = 0xF0;  // mouse buttons 1..5 are 0xF0..0xF4
constexpr uint8_t kStatePress = 1;
constexpr uint8_t kStateRelease = 2;

struct EventRow {
    std::u16string text;
    uint32_t data = 0;

    bool operator==(const EventRow&) const = default;
};

constexpr uint32_t RowData(int eventIndex, uint16_t icon) {
    return (static_cast<uint32_t>(eventIndex + 1) << 16) | icon;
}
constexpr int RowEvent(uint32_t data) { return static_cast<int>(data >> 16) - 1; }
constexpr uint16_t RowIcon(uint32_t data) { return static_cast<uint16_t>(data & 0xFFFF); }
constexpr bool IsPauseRow(uint32_t data) { return RowIcon(data) == kIconPause; }

// "%d ms"
std::u16string PauseText(int milliseconds);

// The rows of events 0..count-1, key names after layout. When caretEvent names one of them, *caretRow receives
// the index of the last row added for it (and is left alone otherwise).
std::vector<EventRow> BuildEventRows(const MacroEvent* events, int count, const KeyboardLayout& layout,
                                     int caretEvent, int* caretRow);

// The row that gets the caret after a refresh: the requested row, or the last row when
// none (negative) or beyond the list is requested; moved two rows further down when it
// lies well inside the list, so the rows after it stay in view. -1 for an empty list.
int CaretRowAfterRefresh(int requestedRow, int rowCount);

}  // namespace tavrel
