// The rules of the owner-drawn list box (CListBoxEx) that need no window: how a row is
// painted for a draw request, where its icon and text go, where the in-place editor
// opens, what a commit does and which way the wheel scrolls.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrel {

// Messages the list posts to its parent (WM_USER + 500, + 600, + 700).
constexpr unsigned kWmListEditDone = 1524;   // wParam: re-inserted row; lParam: the list's tag
constexpr unsigned kWmListDeleteKey = 1624;  // 0, 0
constexpr unsigned kWmListRClick = 1724;     // 0, the list's tag

constexpr int kListItemHeight = 18;
constexpr int kListIconWidth = 16;
constexpr int kListTextIndent = 5;
constexpr int kListIconTop = 2;
constexpr int kNewNameLimit = 15;
constexpr int kNumberEditLimit = 20;
// Icon number 0: no icon; 1: no icon, text indented as if there were one.
constexpr uint16_t kNoIcon = 0;
constexpr uint16_t kIndentOnly = 1;
// What EditSelectedItem answers without a selected row: the low 16 bits of LB_ERR.
constexpr uint16_t kNoRowIcon = 0xFFFF;

constexpr uint16_t RowIconNumber(uint32_t itemData) { return static_cast<uint16_t>(itemData & 0xFFFF); }

// ---- Painting one row

struct RowDrawRequest {
    bool stateSelected = false;
    bool stateFocus = false;
    bool stateDisabled = false;
    bool actionSelect = false;
    bool actionFocus = false;
};

enum class RowFill { Highlight, Background };
enum class RowTextColour { Text, HighlightText, Disabled };

struct RowPaint {
    std::vector<RowFill> fills;  // in painting order
    RowTextColour text = RowTextColour::Text;
};

RowPaint PlanRowPaint(const RowDrawRequest& request);

struct RowLayout {
    bool drawIcon = false;
    int iconX = 0, iconY = 0;
    int textX = 0, textY = 0;
};

RowLayout LayoutRow(uint16_t icon, int rowLeft, int rowTop, int iconWidth = kListIconWidth);

// ---- In-place editing

struct EditRect {
    int left, top, right, bottom;
};

// The editor over a newly appended row.
EditRect NewRowEditorRect(EditRect row);
// The editor over the selected row, right of its icon when it has one.
EditRect SelectedRowEditorRect(EditRect row, uint16_t icon, int iconWidth = kListIconWidth);

// A commit deletes the edited row and puts it back with the typed text; an empty text
// leaves it out and nothing is reported.
constexpr bool CommitKeepsRow(std::u16string_view text) { return !text.empty(); }

// ---- Wheel

// One line per wheel message: down for a delta of 0 or below, up above.
constexpr bool WheelScrollsDown(int delta) { return delta <= 0; }

}  // namespace tavrel
