// The whole configuration in the data folder: the settings file "config.ini" and the
// four standing profile files "config\Default0.gkp" to "config\Default3.gkp".
#pragma once

#include <string>
#include <vector>

#include "config/data_folder.h"
#include "config/records.h"

namespace tavrel {

// Fills CurrentProfile, KeyboardPlugIn and the four profiles of config, which the
// caller has put through ResetConfig. A missing or unreadable profile file yields the
// defaults of that profile, and a file is read over them, so a structure it lacks or
// holds damaged keeps its default; each profile read from its file is copied into the
// settings file's "Default%d" section. The block is sanitised at the end, so
// CurrentProfile is 0..3 (a missing or out-of-range value becomes 0). Always succeeds.
bool LoadConfiguration(SharedConfig& config, const Storage& storage);

// Writes CurrentProfile and KeyboardPlugIn into the settings file and the four
// profiles into their files, creating the data folder and its "config" subfolder
// when they are missing. Each file is replaced whole or not at all; true when every
// file holds the configuration afterwards. The "Default%d" copies are not rewritten.
bool SaveConfiguration(const SharedConfig& config, const Storage& storage,
                       std::vector<std::u16string>* unwritten = nullptr);
// The same into a folder named outright (ending in a separator), such as a backup;
// each file that could not be written is added to unwritten when it is given.
bool SaveConfigurationTo(const SharedConfig& config, const std::u16string& folder, IFileSystem& files,
                         std::vector<std::u16string>* unwritten = nullptr);

// Only Setting/CurrentProfile of the settings file in folder, the rest kept.
bool SaveCurrentProfileSetting(int index, const std::u16string& folder, IFileSystem& files);
// Setting/CurrentProfile of a settings file (-1 when absent); status tells whether it was read.
int ReadCurrentProfileSetting(const std::u16string& settingsPath, IFileSystem& files, ReadStatus& status);

}  // namespace tavrel
