#include "app/folder_storage.h"

#include "app/profile_transfer.h"
#include "config/ini_file.h"
#include "config/profile_file.h"
#include "config/settings_store.h"
#include "config/shared_config.h"

#include <memory>

namespace tavrel {

std::u16string FolderStorage::DataFolder() { return GetDataFolder(storage_.dataFolder); }

void FolderStorage::LoadConfiguration(SharedConfig& config) { store_.LoadConfiguration(config); }

UnwrittenFiles FolderStorage::SaveConfiguration(const SharedConfig& config) { return store_.SaveConfiguration(config); }

UnwrittenFiles FolderStorage::SaveMacroLibrary() { return store_.SaveMacroLibrary(); }

void FolderStorage::LoadMacroLibrary() { tavrel::LoadMacroLibrary(library_, storage_); }

void FolderStorage::SyncAndSaveMacroLibrary(const SharedConfig& config) {
    SyncMacroLibrary(library_, config);
    tavrel::SaveMacroLibrary(library_, storage_);
}

bool FolderStorage::ExportProfile(const SharedConfig& working, const std::u16string& path) {
    if (StoredProfileAt(working.CurrentProfile, path) >= 0) return false;
    const std::u16string folder = DataFolder();
    const TransferNames names = ExportNames(folder, path);
    {
        CIniFile file(path, storage_.files, CIniFile::Start::Empty);
        WriteProfileEntries(CurrentProfile(working), file);
        if (!file.Flush()) return false;
    }
    EnsureDataFolders(storage_.files, folder);
    {
        CIniFile settings(SettingsFilePath(folder), storage_.files);
        settings.SetString(ExportSettingsSection(working.CurrentProfile), kExportSettingsKey, names.title);
        settings.Flush();
    }
    const FileContent written = storage_.files.ReadAll(path, kMaxIniFileBytes);
    if (written.status == ReadStatus::Ok && !names.copy.empty()) storage_.files.WriteWhole(names.copy, written.bytes);
    return true;
}

int FolderStorage::StoredProfileAt(int k, const std::u16string& path) {
    return StoredProfileReplacedBy(DataFolder(), k, path, storage_.files);
}

bool FolderStorage::ImportProfile(SharedConfig& working, const std::u16string& path) {
    const FileContent chosen = storage_.files.ReadAll(path, kMaxIniFileBytes);
    if (chosen.status != ReadStatus::Ok) return false;
    const std::u16string folder = DataFolder();
    const TransferNames names = ImportNames(folder, path);
    EnsureDataFolders(storage_.files, folder);
    storage_.files.WriteWhole(names.copy, chosen.bytes);

    ProfileRecord& current = CurrentProfile(working);
    auto imported = std::make_unique<ProfileRecord>(current);
    if (!ReadProfileFile(*imported, path, storage_.files)) return false;
    current = *imported;
    RaiseImportFlags(working, working.CurrentProfile);
    SyncMacroLibrary(library_, working);
    return true;
}

}  // namespace tavrel
