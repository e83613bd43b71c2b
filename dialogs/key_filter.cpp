#include "dialogs/key_filter.h"

namespace tavrel {

bool IsSwallowedKey(unsigned message, unsigned virtualKey, SwallowedKeys keys) {
    const bool keyMessage = message == kMsgKeyDown || message == kMsgKeyUp || message == kMsgSysKeyDown ||
                            message == kMsgSysKeyUp;
    if (!keyMessage) return false;
    if (virtualKey == kVkReturn || virtualKey == kVkEscape || virtualKey == kVkSpace) return true;
    return virtualKey == kVkF1 && keys == SwallowedKeys::EnterEscapeSpaceAndF1;
}

}  // namespace tavrel
