#include "monitor/data_folder_store.h"

#include "config/settings_store.h"

namespace tavrel {

// The program does not tell the user of a failed write: the in-memory configuration
// stays as it is and the next apply writes every file again. The files that failed go
// back to the caller all the same, for tavrelctl to report.
void DataFolderStore::LoadConfiguration(SharedConfig& config) { tavrel::LoadConfiguration(config, storage_); }

UnwrittenFiles DataFolderStore::SaveConfiguration(const SharedConfig& config) {
    const std::u16string folder = GetDataFolder(storage_.dataFolder);
    if (saved_ && saved_->Holds(config, folder, storage_.files)) return {};
    saved_.reset();
    UnwrittenFiles unwritten;
    SaveConfigurationTo(config, folder, storage_.files, &unwritten);
    if (unwritten.empty()) saved_ = SavedConfiguration::After(config, folder, storage_.files);
    return unwritten;
}

UnwrittenFiles DataFolderStore::SaveMacroLibrary() {
    if (tavrel::SaveMacroLibrary(library_, storage_)) return {};
    return {MacroLibraryPath(GetDataFolder(storage_.dataFolder))};
}

}  // namespace tavrel
