#include "config/settings_store.h"

#include "config/ini_file.h"
#include "config/profile_file.h"
#include "config/shared_config.h"
#include "config/text.h"

namespace tavrel {

namespace {

constexpr char16_t kSettingSection[] = u"Setting";
constexpr char16_t kCurrentProfileKey[] = u"CurrentProfile";
constexpr char16_t kKeyboardPlugInKey[] = u"KeyboardPlugIn";

}  // namespace

bool LoadConfiguration(SharedConfig& config, const Storage& storage) {
    const std::u16string folder = GetDataFolder(storage.dataFolder);
    CIniFile settings(SettingsFilePath(folder), storage.files);
    config.CurrentProfile = settings.GetInt(kSettingSection, kCurrentProfileKey, -1);
    config.KeyboardPlugIn = settings.GetInt(kSettingSection, kKeyboardPlugInKey, -1);

    for (int k = 0; k < kProfileCount; ++k) {
        ProfileRecord& record = config.profiles[k];
        const CIniFile profile(StandingProfilePath(folder, k), storage.files);
        if (profile.Status() != ReadStatus::Ok) {
            SetDefaultProfile(record, k);
            continue;
        }
        // A structure the file cannot give keeps this profile's default, never zero
        // bytes: a zeroed key table handed to the keyboard would silence every key.
        SetDefaultProfile(record, k);
        ReadProfileEntries(record, profile);
        const std::u16string name = u"Default" + FormatInt(k);
        settings.SetStruct(name, name, &record, sizeof record);
    }
    settings.Flush();  // a failure only loses the informational copies
    SanitizeConfig(config);
    return true;
}

bool SaveConfiguration(const SharedConfig& config, const Storage& storage, std::vector<std::u16string>* unwritten) {
    return SaveConfigurationTo(config, GetDataFolder(storage.dataFolder), storage.files, unwritten);
}

bool SaveConfigurationTo(const SharedConfig& config, const std::u16string& folder, IFileSystem& files,
                         std::vector<std::u16string>* unwritten) {
    // Without these folders every write below would fail and an apply on a fresh
    // machine would be lost.
    EnsureDataFolders(files, folder);

    CIniFile settings(SettingsFilePath(folder), files);
    settings.SetInt(kSettingSection, kCurrentProfileKey, config.CurrentProfile);
    settings.SetInt(kSettingSection, kKeyboardPlugInKey, config.KeyboardPlugIn);
    bool ok = true;
    const auto note = [&](bool written, std::u16string path) {
        if (written) return;
        ok = false;
        if (unwritten) unwritten->push_back(std::move(path));
    };
    note(settings.Flush(), SettingsFilePath(folder));

    for (int k = 0; k < kProfileCount; ++k) {
        const std::u16string path = StandingProfilePath(folder, k);
        note(WriteProfileFile(config.profiles[k], path, files), path);
    }
    return ok;
}

bool SaveCurrentProfileSetting(int index, const std::u16string& folder, IFileSystem& files) {
    CIniFile settings(SettingsFilePath(folder), files);
    settings.SetInt(kSettingSection, kCurrentProfileKey, index);
    return settings.Flush();
}

int ReadCurrentProfileSetting(const std::u16string& settingsPath, IFileSystem& files, ReadStatus& status) {
    const CIniFile settings(settingsPath, files);
    status = settings.Status();
    return settings.GetInt(kSettingSection, kCurrentProfileKey, -1);
}

}  // namespace tavrel
