// Millisecond tick count, injected so that measured pauses can be tested.
#pragma once

#include <cstdint>

namespace tavrel {

class TickSource {
public:
    virtual ~TickSource() = default;
    // Milliseconds since some fixed moment; wraps around after 2^32.
    virtual uint32_t Now() = 0;
};

}  // namespace tavrel
