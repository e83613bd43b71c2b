// What `status` prints: the monitor, the keyboard, the current profile and each
// profile's name, game and lighting, as lines or as one JSON object with stable keys.
#pragma once

#include <string>

#include "config/records.h"
#include "skin/lang_table.h"

namespace tavrel::ctl {

struct StatusFacts {
    const SharedConfig& config;
    bool monitorRunning;
    bool fromSection;  // otherwise from the files
    const LangTable& lightStrings;
};

std::string StatusText(const StatusFacts& facts);
// One line: {"monitor_running", "source", "keyboard_plugged_in" (null when unknown),
// "current_profile", "profiles": [{"index", "button", "name", "game", "effect":
// {"number", "name" (as the installed language shows it), "key" (English, the same on
// every install; empty for an unknown effect)}, "speed" (null when the effect has none), "color"}]}.
std::string StatusJson(const StatusFacts& facts);

}  // namespace tavrel::ctl
