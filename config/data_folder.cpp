#include "config/data_folder.h"

#include "config/text.h"

namespace tavrel {

std::u16string GetDataFolder(const IDataFolder& source) {
    const std::u16string appData = source.AppDataFolder();
    if (appData.empty()) return {};
    return appData + u"\\Orvane Gaming Keyboard\\";
}

bool EnsureDataFolders(IFileSystem& files, const std::u16string& dataFolder) {
    bool ok = true;
    if (!dataFolder.empty()) ok = files.CreateFolder(dataFolder);
    return files.CreateFolder(dataFolder + u"config\\") && ok;
}

std::u16string SettingsFilePath(const std::u16string& dataFolder) { return dataFolder + u"config.ini"; }

std::u16string StandingProfilePath(const std::u16string& dataFolder, int k) {
    return dataFolder + u"config\\Default" + FormatInt(k) + u".gkp";
}

std::u16string MacroLibraryPath(const std::u16string& dataFolder) { return dataFolder + u"sequence.dat"; }

}  // namespace tavrel
