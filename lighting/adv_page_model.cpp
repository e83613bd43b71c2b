#include "lighting/adv_page_model.h"

#include "config/text.h"

namespace tavrel {

std::u16string ResponseTimeCaption(int ms) { return FormatInt(ms) + u" ms"; }

bool AdvPageModel::SetMark(RateMark m) {
    const bool changed = mark_ != m;
    mark_ = m;
    return changed;
}

bool AdvPageModel::RefreshFromProfile(const ProfileRecord& p) {
    if (p.PollingRate == kPollingRate500) return SetMark(RateMark::Hz500);
    if (p.PollingRate == kPollingRate1000) return SetMark(RateMark::Hz1000);
    return false;
}

bool AdvPageModel::Click500(ProfileRecord& p) {
    const bool changed = SetMark(RateMark::Hz500);
    p.PollingRate = kPollingRate500;
    p.iResponTime = 2;
    return changed;
}

bool AdvPageModel::Click1000(ProfileRecord& p) {
    const bool changed = SetMark(RateMark::Hz1000);
    p.PollingRate = kPollingRate1000;
    p.iResponTime = 1;
    return changed;
}

bool AdvPageModel::MenuCommand(int id, ProfileRecord& p, bool& markChanged) {
    markChanged = false;
    if (id < kAdvMenuFirst || id > kAdvMenuLast) return false;
    if (id == kCmdResponse1ms) {
        p.iResponTime = 1;
        markChanged = SetMark(RateMark::Hz1000);
        p.PollingRate = kPollingRate1000;
    } else if (id == kCmdResponse2ms) {
        p.iResponTime = 2;
        markChanged = SetMark(RateMark::Hz500);
        p.PollingRate = kPollingRate500;
    }
    return true;
}

}  // namespace tavrel
