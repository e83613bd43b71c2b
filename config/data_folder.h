// Where the program keeps its files: the per-user application-data folder of the
// platform followed by "Orvane Gaming Keyboard\". The platform folder comes through
// IDataFolder (SHGetFolderPathW on Windows, any folder in tests).
#pragma once

#include <string>

#include "config/file_system.h"

namespace tavrel {

class IDataFolder {
public:
    virtual ~IDataFolder() = default;
    // The per-user application-data folder without a trailing separator, or empty when
    // the platform cannot name it.
    virtual std::u16string AppDataFolder() const = 0;
};

// A folder given up front: tests, tools and benchmarks.
class FixedDataFolder final : public IDataFolder {
public:
    explicit FixedDataFolder(std::u16string appData) : m_appData(std::move(appData)) {}
    std::u16string AppDataFolder() const override { return m_appData; }

private:
    std::u16string m_appData;
};

// The two services every load and save goes through. We don't own them.
struct Storage {
    IFileSystem& files;
    const IDataFolder& dataFolder;
};

// The data folder, ending with a backslash; empty when the application-data folder
// is unknown, so that every file name is then used relative to the current folder.
std::u16string GetDataFolder(const IDataFolder& source);

// Creates the data folder and its "config" subfolder when they are missing; true
// when both exist afterwards (always true for the empty, relative data folder).
bool EnsureDataFolders(IFileSystem& files, const std::u16string& dataFolder);

// File names inside the data folder.
std::u16string SettingsFilePath(const std::u16string& dataFolder);
std::u16string StandingProfilePath(const std::u16string& dataFolder, int k);
std::u16string MacroLibraryPath(const std::u16string& dataFolder);

}  // namespace tavrel
