#include "monitor/monitor_protocol.h"

namespace tavrel {

int EffectForMonitorCode(uint64_t code) {
    switch (code) {
    case 1: return 2;
    case 2: return 5;
    case 3: return 3;
    case 4: return 4;
    default: return 1;
    }
}

}  // namespace tavrel
