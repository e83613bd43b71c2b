// The millisecond tick count of the running system (GetTickCount).
#pragma once

#include "macros/tick_source.h"

namespace tavrel {

class SystemTicks final : public TickSource {
public:
    uint32_t Now() override;
};

}  // namespace tavrel
