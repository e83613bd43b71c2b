// AppStorage over the data folder: the settings and profile files, the macro library
// and the export and import of one profile, through the storage services (file
// system and data folder) the caller owns.
#pragma once

#include "app/app_storage.h"
#include "config/data_folder.h"
#include "config/macro_library.h"
#include "monitor/data_folder_store.h"

namespace tavrel {

class FolderStorage final : public AppStorage {
public:
    // Neither the services nor the library are owned.
    FolderStorage(const Storage& storage, MacroLibrary& library) : storage_(storage), library_(library) {}

    std::u16string DataFolder() override;
    void LoadConfiguration(SharedConfig& config) override;
    UnwrittenFiles SaveConfiguration(const SharedConfig& config) override;
    UnwrittenFiles SaveMacroLibrary() override;
    void LoadMacroLibrary() override;
    void SyncAndSaveMacroLibrary(const SharedConfig& config) override;

    // The chosen file is written from scratch and replaced whole, so no entry of an
    // earlier file survives and a failed write leaves the earlier file as it was.
    // Only a written file is recorded in the settings and copied into the data folder.
    bool ExportProfile(const SharedConfig& working, const std::u16string& path) override;
    int StoredProfileAt(int k, const std::u16string& path) override;
    // The profile is read into a copy and replaces the current profile only when the
    // file could be read, so a file that vanished or cannot be opened changes nothing.
    // The data folder's copy is made from the same bytes; a failed copy is ignored.
    bool ImportProfile(SharedConfig& working, const std::u16string& path) override;

private:
    Storage storage_;
    MacroLibrary& library_;
    DataFolderStore store_{storage_, library_};  // the settings, profile and library files
};

}  // namespace tavrel
