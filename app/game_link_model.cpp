#include "app/game_link_model.h"

#include "app/file_title.h"
#include "config/text.h"

namespace tavrel {

namespace {
// Every loaded block has CurrentProfile in 0..3; an index outside it still must not
// address memory beyond the four profiles.
int CurrentIndex(const SharedConfig& config) {
    return config.CurrentProfile >= 0 && config.CurrentProfile < kProfileCount ? config.CurrentProfile : 0;
}
}  // namespace

GameLinkModel::GameLinkModel(SharedConfig& working, int mode, const CaseMapping& caseMapping)
    : working_(working), caseMapping_(caseMapping) {
    if (mode == 0) {
        const ProfileRecord& profile = working_.profiles[CurrentIndex(working_)];
        name_ = std::u16string(ArrayText(profile.ProFileName));
        gameFile_ = std::u16string(ArrayText(profile.GameFile));
    }
}

void GameLinkModel::SetName(std::u16string_view name) {
    name_ = std::u16string(CutText(name, kNameLimit));
}

void GameLinkModel::SetGameFile(std::u16string_view path) {
    gameFile_ = std::u16string(CutText(path, kGameFileLimit));
}

GameLinkModel::BrowseResult GameLinkModel::Browse(std::u16string_view path) {
    if (path.empty()) return BrowseResult::Empty;
    if (path.size() > kGameFileLimit) return BrowseResult::TooLong;
    const int current = CurrentIndex(working_);
    const std::u16string upper = caseMapping_.Upper(path);
    for (int k = 0; k < kProfileCount; ++k) {
        if (k == current) continue;
        if (upper == caseMapping_.Upper(ArrayText(working_.profiles[k].GameFile))) return BrowseResult::LinkedElsewhere;
    }
    gameFile_ = std::u16string(path);
    if (name_.empty()) name_ = std::u16string(CutText(FileTitle(path), kNameLimit));
    return BrowseResult::Accepted;
}

void GameLinkModel::Store() {
    ProfileRecord& profile = working_.profiles[CurrentIndex(working_)];
    CopyToArray(profile.ProFileName, CutText(name_, kNameLimit));
    CopyToArray(profile.GameFile, CutText(gameFile_, kGameFileLimit));
}

}  // namespace tavrel
