#include "dialogs/warning_model.h"

namespace tavrel {

StringRange WarningStrings(int mode) {
    if (mode == static_cast<int>(WarningMode::MacroDeletion)) return {1000, 1004};
    return {700, 704};
}

int WarningResult(WarningButton button) {
    return button == WarningButton::Ok ? 1 : 2;
}

}  // namespace tavrel
