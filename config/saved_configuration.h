// What the settings file and the four profile files hold after the program last wrote
// them all, with each file's stamp. Every apply saves the whole configuration, mostly
// unchanged, and the settings file alone carries 400 KB of informational profile
// copies to read and parse: a save whose content these files already hold, untouched
// since, has nothing to write.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/file_system.h"
#include "config/records.h"

namespace tavrel {

class SavedConfiguration {
public:
    // The record of a save of `config` into `folder` that wrote every file; nothing when
    // a file's stamp cannot be had (nothing can then be skipped).
    static std::optional<SavedConfiguration> After(const SharedConfig& config, const std::u16string& folder,
                                                   IFileSystem& files);

    // True when saving `config` into `folder` would write what its files hold already:
    // the same content, and not one of the files changed since.
    bool Holds(const SharedConfig& config, const std::u16string& folder, IFileSystem& files) const;

private:
    std::u16string folder_;
    int32_t currentProfile_ = 0;
    int32_t keyboardPlugIn_ = 0;
    std::array<ProfileRecord, kProfileCount> profiles_{};
    std::vector<std::pair<std::u16string, FileStamp>> stamps_;
};

}  // namespace tavrel
