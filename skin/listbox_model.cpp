#include "skin/listbox_model.h"

namespace tavrel {

RowPaint PlanRowPaint(const RowDrawRequest& r) {
    RowPaint paint;
    if (r.stateSelected || r.actionSelect) {
        paint.fills.push_back(RowFill::Highlight);
        // A row that has just lost its selection returns to the list's background.
        if (!r.stateSelected && r.actionSelect) paint.fills.push_back(RowFill::Background);
    }
    if (r.actionFocus) {
        if (r.stateSelected && r.stateFocus) {
            paint.text = RowTextColour::HighlightText;
        } else if (r.stateSelected) {
            paint.fills.push_back(RowFill::Highlight);
            paint.text = RowTextColour::HighlightText;
        }
    }
    // Text on the highlight always takes the highlight text colour: the owner may give
    // text and selection one colour, which would leave a selected row unreadable.
    if (!paint.fills.empty() && paint.fills.back() == RowFill::Highlight) paint.text = RowTextColour::HighlightText;
    if (r.stateDisabled) paint.text = RowTextColour::Disabled;
    return paint;
}

RowLayout LayoutRow(uint16_t icon, int rowLeft, int rowTop, int iconWidth) {
    RowLayout layout;
    layout.textY = rowTop;
    if (icon == kNoIcon) {
        layout.textX = rowLeft + kListTextIndent;
        return layout;
    }
    layout.drawIcon = icon != kIndentOnly;
    layout.iconX = rowLeft + kListTextIndent;
    layout.iconY = rowTop + kListIconTop;
    layout.textX = rowLeft + kListTextIndent + iconWidth;
    return layout;
}

EditRect NewRowEditorRect(EditRect row) {
    row.left += 1;
    row.right -= 2;
    return row;
}

EditRect SelectedRowEditorRect(EditRect row, uint16_t icon, int iconWidth) {
    if (icon != kNoIcon) row.left += iconWidth + kListTextIndent;
    return row;
}

}  // namespace tavrel
