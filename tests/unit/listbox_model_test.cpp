#include <gtest/gtest.h>

#include "skin/listbox_model.h"

using namespace tavrel;

TEST(ListBoxModel, RowsArePaintedByTheirDrawRequest) {
    using F = RowFill;
    using T = RowTextColour;
    struct Case {
        RowDrawRequest request;
        std::vector<RowFill> fills;
        RowTextColour text;
    } cases[] = {
        // A selected row drawn whole: highlight behind the highlight text colour, so a
        // list whose text and selection share one colour still shows the selected name.
        {{.stateSelected = true}, {F::Highlight}, T::HighlightText},
        {{}, {}, T::Text},
        // Selection moved away: highlight, then the background over it.
        {{.actionSelect = true}, {F::Highlight, F::Background}, T::Text},
        {{.stateSelected = true, .actionSelect = true}, {F::Highlight}, T::HighlightText},
        {{.stateSelected = true, .stateFocus = true, .actionFocus = true}, {F::Highlight}, T::HighlightText},
        {{.stateSelected = true, .actionFocus = true}, {F::Highlight, F::Highlight}, T::HighlightText},
        {{.actionFocus = true}, {}, T::Text},
        {{.stateSelected = true, .stateDisabled = true}, {F::Highlight}, T::Disabled},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const RowPaint paint = PlanRowPaint(cases[i].request);
        EXPECT_EQ(paint.fills, cases[i].fills) << "case " << i;
        EXPECT_EQ(paint.text, cases[i].text) << "case " << i;
    }
}

TEST(ListBoxModel, AnIconShiftsTheTextAndIconOneOnlyIndents) {
    const RowLayout plain = LayoutRow(0, 10, 36);
    EXPECT_FALSE(plain.drawIcon);
    EXPECT_EQ(plain.textX, 15);
    EXPECT_EQ(plain.textY, 36);

    const RowLayout indentOnly = LayoutRow(1, 10, 36);
    EXPECT_FALSE(indentOnly.drawIcon);
    EXPECT_EQ(indentOnly.textX, plain.textX + 16);

    const RowLayout clock = LayoutRow(140, 10, 36);
    EXPECT_TRUE(clock.drawIcon);
    EXPECT_EQ(clock.iconX, 15);
    EXPECT_EQ(clock.iconY, 38);
    EXPECT_EQ(clock.textX, 31);
}

TEST(ListBoxModel, TheEditorCoversTheRowRightOfItsIcon) {
    const EditRect row{0, 36, 200, 54};
    const EditRect fresh = NewRowEditorRect(row);
    EXPECT_EQ(fresh.left, 1);
    EXPECT_EQ(fresh.right, 198);
    EXPECT_EQ(fresh.top, 36);
    EXPECT_EQ(fresh.bottom, 54);
    EXPECT_EQ(SelectedRowEditorRect(row, 140).left, 21);
    EXPECT_EQ(SelectedRowEditorRect(row, 0).left, 0);
    EXPECT_EQ(SelectedRowEditorRect(row, 140).right, 200);
}

TEST(ListBoxModel, EmptyCommitsDropTheRowAndTheWheelMovesOneLine) {
    EXPECT_FALSE(CommitKeepsRow(u""));
    EXPECT_TRUE(CommitKeepsRow(u"0"));
    EXPECT_TRUE(WheelScrollsDown(-240));
    EXPECT_TRUE(WheelScrollsDown(0));
    EXPECT_FALSE(WheelScrollsDown(120));
    EXPECT_EQ(RowIconNumber(0x0003008C), 140);
    EXPECT_EQ(kNoRowIcon, 65535);
}
