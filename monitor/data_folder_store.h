// The files of the data folder behind the monitor link's ConfigStore: the settings
// file, the four profile files and the macro library.
#pragma once

#include "config/data_folder.h"
#include "config/macro_library.h"
#include "config/saved_configuration.h"
#include "monitor/monitor_port.h"

namespace tavrel {

class DataFolderStore final : public ConfigStore {
public:
    // We don't own the storage services or the library.
    DataFolderStore(const Storage& storage, const MacroLibrary& library) : storage_(storage), library_(library) {}

    void LoadConfiguration(SharedConfig& config) override;
    UnwrittenFiles SaveConfiguration(const SharedConfig& config) override;
    UnwrittenFiles SaveMacroLibrary() override;

private:
    Storage storage_;
    const MacroLibrary& library_;
    std::optional<SavedConfiguration> saved_;  // after the last save that wrote every file
};

}  // namespace tavrel
