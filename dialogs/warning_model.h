// The rules of the yes-or-no confirmation: which language strings a mode shows, where
// its two texts are drawn, and what each of its three buttons answers.
#pragma once

namespace tavrel {

enum class WarningMode : int { Reset = 0, MacroDeletion = 1 };

struct StringRange {
    int first;
    int last;
};

// Mode 1 asks about deleting a macro; every other mode value asks about a reset, so a
// caller that forgets to set the mode gets the reset wording rather than empty texts.
StringRange WarningStrings(int mode);

// Entries of the dialog's language table.
constexpr int kWarningTitleEntry = 0;
constexpr int kWarningMessageEntry = 1;
constexpr int kWarningOkCaptionEntry = 2;
constexpr int kWarningCancelCaptionEntry = 3;

struct TextBox {
    int left, top, right, bottom;
    int fontHeight;
    int fontWeight;
};
constexpr TextBox kWarningTitleBox{21, 9, 255, 30, 18, 800};
constexpr TextBox kWarningMessageBox{21, 42, 283, 96, 14, 400};

// Skin keys of the buttons, in creation order.
constexpr int kWarningOkKey = 1;
constexpr int kWarningCancelKey = 2;
constexpr int kWarningCloseKey = 3;

enum class WarningButton { Ok, Cancel, Close };

// The modal result: IDOK (1) for OK, IDCANCEL (2) for Cancel and the close button.
int WarningResult(WarningButton button);

// Callers act only on this.
constexpr bool IsConfirmed(int result) { return result == 1; }

}  // namespace tavrel
