#include "config/saved_configuration.h"

#include <cstring>

#include "config/data_folder.h"

namespace tavrel {

namespace {

std::vector<std::u16string> ConfigurationFiles(const std::u16string& folder) {
    std::vector<std::u16string> paths{SettingsFilePath(folder)};
    for (int k = 0; k < kProfileCount; ++k) paths.push_back(StandingProfilePath(folder, k));
    return paths;
}

}  // namespace

std::optional<SavedConfiguration> SavedConfiguration::After(const SharedConfig& config, const std::u16string& folder,
                                                            IFileSystem& files) {
    SavedConfiguration saved;
    saved.folder_ = folder;
    saved.currentProfile_ = config.CurrentProfile;
    saved.keyboardPlugIn_ = config.KeyboardPlugIn;
    std::memcpy(saved.profiles_.data(), config.profiles, sizeof config.profiles);
    for (std::u16string& path : ConfigurationFiles(folder)) {
        const std::optional<FileStamp> stamp = files.Stamp(path);
        if (!stamp) return std::nullopt;
        saved.stamps_.emplace_back(std::move(path), *stamp);
    }
    return saved;
}

bool SavedConfiguration::Holds(const SharedConfig& config, const std::u16string& folder, IFileSystem& files) const {
    if (folder != folder_ || config.CurrentProfile != currentProfile_ || config.KeyboardPlugIn != keyboardPlugIn_ ||
        std::memcmp(profiles_.data(), config.profiles, sizeof config.profiles) != 0) {
        return false;
    }
    for (const auto& [path, stamp] : stamps_) {
        if (files.Stamp(path) != stamp) return false;
    }
    return true;
}

}  // namespace tavrel
