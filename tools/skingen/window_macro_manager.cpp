// The macro manager: title (900) and subtitle (901) at the top; the macro list
// (key "6") and the event list (key "11") under their labels (keys "12", "13");
// New and Delete under the macro list; the repeat switch (key "9"), its label
// (key "14") and the repeat count box (edit 1001 at 270, 357); on the right the
// Record button (key "7") and the pause-recording switch (key "8") beside its text
// (908 in 286, 153, 368, 291); OK, Cancel and close.
#include "tools/skingen/default_windows.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

using namespace theme;

constexpr int kWidth = 420;
constexpr int kHeight = 428;
constexpr Rect kMacroList = XYWH(14, 114, 122, 226);
constexpr Rect kEventList = XYWH(146, 114, 130, 226);
constexpr Rect kRepeatBox = XYWH(270, 357, 85, 15);

void PaintListFrame(Canvas& c, const Rect& list) {
    c.FillRoundRect(list.Inflated(2), 3, kBorder);
    c.FillRect(list.Inflated(1), kPanel);
}

void PaintBackground(Canvas& c) {
    PaintDialogBody(c, 8);
    PaintSeparator(c, 14, kWidth - 14, 86);
    PaintSeparator(c, 14, kWidth - 14, 380);
    PaintListFrame(c, kMacroList);
    PaintListFrame(c, kEventList);
    PaintFieldFrame(c, kRepeatBox);
}

}  // namespace

WindowDesign MacroManagerDesign() {
    WindowDesign d;
    d.layoutFile = "skin_macro_manager.ini";
    d.imageStem = "macroman";
    d.width = kWidth;
    d.height = kHeight;
    d.cornerRadius = 8;
    d.paintBackground = PaintBackground;
    d.buttons = {
        Button{"4", "New", XYWH(14, 348, 58, 26), Look::Push, Captions::Dark, "", false},
        Button{"5", "Delete", XYWH(78, 348, 58, 26), Look::Push, Captions::Dark, "", false},
        Button{"7", "Record", XYWH(286, 114, 120, 30), Look::Record, Captions::Dark, "", false},
        Button{"8", "RecordPauses", XYWH(376, 151, 18, 18), Look::CheckBox, Captions::None, "", false},
        Button{"9", "Repeat", XYWH(146, 355, 18, 18), Look::CheckBox, Captions::None, "", false},
        Button{"1", "OK", XYWH(238, 390, 80, 28), Look::Push, Captions::Dark, "", false},
        Button{"2", "Cancel", XYWH(326, 390, 80, 28), Look::Flat, Captions::Dark, "", false},
        Button{"3", "Close", XYWH(392, 9, 20, 20), Look::Close, Captions::None, "", false},
        Button{"12", "MacrosLabel", XYWH(14, 88, 122, 26), Look::Label, Captions::Label, "", false},
        Button{"13", "EventsLabel", XYWH(146, 88, 130, 26), Look::Label, Captions::Label, "", false},
        Button{"14", "RepeatLabel", XYWH(168, 357, 98, 18), Look::Label, Captions::Label, "", false},
        Button{"6", "MacroList", kMacroList, Look::Control, Captions::None, "", false},
        Button{"11", "EventList", kEventList, Look::Control, Captions::None, "", false},
    };
    return d;
}

}  // namespace skingen
