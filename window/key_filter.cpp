#include "window/key_filter.h"

#include <algorithm>

namespace tavrel {

bool IsSwallowedKeyMessage(uint32_t message, uint32_t virtualKey, std::span<const uint32_t> keys) {
    const bool keyMessage = message == kMsgKeyDown || message == kMsgKeyUp || message == kMsgSysKeyDown ||
                            message == kMsgSysKeyUp;
    return keyMessage && std::find(keys.begin(), keys.end(), virtualKey) != keys.end();
}

}  // namespace tavrel
