// The program's AppStorage: the data folder under the per-user application data.
#pragma once

#include "app/app_storage.h"

namespace tavrel {

class DataFolderStorage final : public AppStorage {
public:
    std::u16string DataFolder() override;
    void LoadConfiguration(SharedConfig& config) override;
    void SaveConfiguration(const SharedConfig& config) override;
    void SaveMacroLibrary() override;
    void LoadMacroLibrary() override;
    void SyncAndSaveMacroLibrary(const SharedConfig& config) override;
    void ExportProfile(const SharedConfig& working, const std::u16string& path) override;
    bool ImportProfile(SharedConfig& working, const std::u16string& path) override;
};

}  // namespace tavrel
