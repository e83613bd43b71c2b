#include "ctl/status_report.h"

#include <nlohmann/json.hpp>

#include "config/shared_config.h"
#include "config/text.h"
#include "ctl/targets.h"
#include "lighting/light_tables.h"

namespace tavrel::ctl {

namespace {

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string StatusText(const StatusFacts& facts) {
    const SharedConfig& c = facts.config;
    std::string out = std::string("monitor: ") + (facts.monitorRunning ? "running" : "not running") +
                      " (configuration from the " + (facts.fromSection ? "section" : "files") + ")\n";
    out += std::string("keyboard: ") +
           (c.KeyboardPlugIn < 0 ? "unknown" : c.KeyboardPlugIn != 0 ? "plugged in" : "not plugged in") + "\n";
    out += "current profile: " + ProfileButtonName(c.CurrentProfile) + "\n";
    for (int k = 0; k < kProfileCount; ++k) {
        const ProfileRecord& p = Profile(c, k);
        const std::string game = Utf16ToUtf8(ArrayText(p.GameFile));
        out += "profile " + ProfileButtonName(k) + ": " + Quote(Utf16ToUtf8(ArrayText(p.ProFileName))) + ", game " +
               (game.empty() ? "none" : Quote(game)) + ", lighting " +
               DescribeLighting(p.LtEffectType, p.iLtPulsation, p.iRGBRed, p.iRGBGreen, p.iRGBBlue, facts.lightStrings) +
               "\n";
    }
    return out;
}

std::string StatusJson(const StatusFacts& facts) {
    using Json = nlohmann::ordered_json;
    const SharedConfig& c = facts.config;
    Json profiles = Json::array();
    for (int k = 0; k < kProfileCount; ++k) {
        const ProfileRecord& p = Profile(c, k);
        Json speed = nullptr;
        if (EffectHasSpeed(p.LtEffectType) && !SpeedName(p.iLtPulsation).empty()) speed = SpeedName(p.iLtPulsation);
        profiles.push_back({{"index", k},
                            {"button", ProfileButtonName(k)},
                            {"name", Utf16ToUtf8(ArrayText(p.ProFileName))},
                            {"game", Utf16ToUtf8(ArrayText(p.GameFile))},
                            {"effect",
                             {{"number", p.LtEffectType},
                              {"name", EffectText(p.LtEffectType, facts.lightStrings)},
                              {"key", EffectKey(p.LtEffectType)}}},
                            {"speed", speed},
                            {"color", FormatColour(p)}});
    }
    Json plugged = nullptr;
    if (c.KeyboardPlugIn >= 0) plugged = c.KeyboardPlugIn != 0;
    const Json status{{"monitor_running", facts.monitorRunning},
                      {"source", facts.fromSection ? "section" : "files"},
                      {"keyboard_plugged_in", plugged},
                      {"current_profile", ProfileButtonName(c.CurrentProfile)},
                      {"profiles", profiles}};
    // A name with a lone surrogate has no exact UTF-8 form; it must not cost the output.
    return status.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tavrel::ctl
