#include "ctl/backup.h"

#include "config/data_folder.h"
#include "config/ini_file.h"
#include "config/profile_file.h"
#include "config/settings_store.h"
#include "config/shared_config.h"
#include "config/text.h"

namespace tavrel::ctl {

namespace {

constexpr char16_t kMacrosSection[] = u"Macros";
constexpr char16_t kNumberKey[] = u"number";

// A file of the backup as the user sees it named.
std::string Shown(const std::u16string& folder, const std::u16string& path) {
    return Utf16ToUtf8(std::u16string_view(path).substr(folder.size()));
}

// The whole file, or why it cannot serve: missing, unreadable, empty or too large.
std::string ReadWhole(const std::u16string& folder, const std::u16string& path, IFileSystem& files,
                      std::string& bytes) {
    FileContent content = files.ReadAll(path, kMaxIniFileBytes);
    if (content.status == ReadStatus::NotFound) return Shown(folder, path) + " is missing";
    if (content.status == ReadStatus::Failed) return Shown(folder, path) + " cannot be read";
    if (content.bytes.empty()) return Shown(folder, path) + " is empty or too large";
    bytes = std::move(content.bytes);
    return {};
}

}  // namespace

std::u16string AsFolder(const std::u16string& path) {
    if (path.empty() || path.back() == u'\\' || path.back() == u'/') return path;
    return path + u"\\";
}

std::string WriteBackup(const std::u16string& folder, const std::u16string& dataFolder, const SharedConfig& config,
                        const MacroLibrary& library, IFileSystem& files) {
    const FileContent settings = files.ReadAll(SettingsFilePath(dataFolder), kMaxIniFileBytes);
    if (settings.status == ReadStatus::Failed) return Utf16ToUtf8(SettingsFilePath(dataFolder)) + " cannot be read";
    if (!EnsureDataFolders(files, folder)) return "could not make the folder";
    std::vector<std::u16string> unwritten;
    if (settings.status == ReadStatus::Ok && !files.WriteWhole(SettingsFilePath(folder), settings.bytes)) {
        unwritten.push_back(SettingsFilePath(folder));
    }
    SaveConfigurationTo(config, folder, files, &unwritten);
    if (!SaveMacroLibraryTo(library, MacroLibraryPath(folder), files)) unwritten.push_back(MacroLibraryPath(folder));
    return unwritten.empty() ? std::string() : "could not write " + Shown(folder, unwritten.front());
}

std::string ReadBackup(const std::u16string& folder, IFileSystem& files, BackupContent& content) {
    const std::u16string settingsPath = SettingsFilePath(folder);
    if (std::string error = ReadWhole(folder, settingsPath, files, content.settingsBytes); !error.empty()) return error;
    ReadStatus status = ReadStatus::NotFound;
    const int current = ReadCurrentProfileSetting(settingsPath, files, status);
    if (current < 0 || current >= kProfileCount) return Shown(folder, settingsPath) + " names no current profile";
    content.config->CurrentProfile = current;

    for (int k = 0; k < kProfileCount; ++k) {
        const std::u16string path = StandingProfilePath(folder, k);
        std::string bytes;
        if (std::string error = ReadWhole(folder, path, files, bytes); !error.empty()) return error;
        const CIniFile profile(path, files);
        if (!profile.HasValue(kProfileSection, u"ProFileName")) return Shown(folder, path) + " is not a profile file";
        ProfileRecord& record = content.config->profiles[k];
        record = ProfileRecord{};
        SetDefaultProfile(record, k);  // as at start: a damaged structure keeps its default
        ReadProfileEntries(record, profile);
    }

    const std::u16string libraryPath = MacroLibraryPath(folder);
    std::string bytes;
    if (std::string error = ReadWhole(folder, libraryPath, files, bytes); !error.empty()) return error;
    const CIniFile library(libraryPath, files);
    const int number = library.GetInt(kMacrosSection, kNumberKey, -1);
    if (number < 0) return Shown(folder, libraryPath) + " is not a macro library";
    content.library.Clear();
    LoadMacroLibraryFrom(content.library, libraryPath, files);
    if (content.library.Count() != number) return Shown(folder, libraryPath) + " has damaged macros";
    return {};
}

}  // namespace tavrel::ctl
