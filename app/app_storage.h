// Everything the main window keeps in the data folder, behind one interface: the
// settings and profile files and the macro library (the monitor link's ConfigStore),
// and the export and import of one profile. The program uses the folder under the
// per-user application data; tests use a scratch folder.
#pragma once

#include <string>

#include "config/records.h"
#include "monitor/monitor_port.h"

namespace tavrel {

class AppStorage : public ConfigStore {
public:
    // The data folder, ending in a separator (empty: the current folder).
    virtual std::u16string DataFolder() = 0;

    virtual void LoadMacroLibrary() = 0;
    // SyncMacroLibrary with the key slots of `config`, then SaveMacroLibrary.
    virtual void SyncAndSaveMacroLibrary(const SharedConfig& config) = 0;

    // The current profile of `working` into the file at `path`; see profile_transfer.h.
    // True when the file at `path` was written; nothing is written when the path is
    // another profile's stored file.
    virtual bool ExportProfile(const SharedConfig& working, const std::u16string& path) = 0;
    // The stored profile other than k whose file `path` is (an export of k there would
    // replace it), or -1.
    virtual int StoredProfileAt(int k, const std::u16string& path) = 0;
    // The profile file at `path` into the current profile of `working`; false when the
    // file could not be read and nothing changed.
    virtual bool ImportProfile(SharedConfig& working, const std::u16string& path) = 0;
};

}  // namespace tavrel
