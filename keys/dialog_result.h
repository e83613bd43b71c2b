// How a modal dialog ended, in the values the platform's dialogs return.
#pragma once

namespace tavrel {

constexpr int kDialogOk = 1;        // IDOK
constexpr int kDialogCancel = 2;    // IDCANCEL
constexpr int kDialogClosed = -1;   // the caption-less close button

}  // namespace tavrel
