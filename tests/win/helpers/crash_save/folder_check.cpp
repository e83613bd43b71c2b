#include "crash_save/folder_check.h"

#include <windows.h>

#include <cstring>

#include "config/ini_file.h"
#include "config/profile_file.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "monitor/data_folder_store.h"

namespace crash_save {

using namespace tavrel;

namespace {

constexpr int kSettingsFile = 0;
constexpr int kLibraryFile = 5;
constexpr int ProfileOfFile(int file) { return file - 1; }

void ReadSettings(IFileSystem& files, const std::u16string& path, int& current, int& plug) {
    const CIniFile ini(path, files);
    current = ini.GetInt(u"Setting", u"CurrentProfile", -100);
    plug = ini.GetInt(u"Setting", u"KeyboardPlugIn", -100);
}

// A record the reader must overwrite completely: a field it skipped shows up.
std::unique_ptr<ProfileRecord> ReadProfile(IFileSystem& files, const std::u16string& path, bool& read) {
    auto record = std::make_unique<ProfileRecord>();
    std::memset(record.get(), 0x5A, sizeof(ProfileRecord));
    read = ReadProfileFile(*record, path, files);
    return record;
}

bool SameLibrary(const MacroLibrary& a, const MacroLibrary& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i) {
        if (std::memcmp(a.At(i), b.At(i), sizeof(MacroRecord)) != 0) return false;
    }
    return true;
}

int CountLeftovers(const std::u16string& folder) {
    int count = 0;
    const std::u16string pattern = folder + u"*.~new";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(reinterpret_cast<const wchar_t*>(pattern.c_str()), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

// Which variant the readers see in one file; -1 with a reason when none.
int ClassifyByReaders(IFileSystem& files, const Storage& storage, const References& refs, int file,
                      std::string& why) {
    const std::u16string path = FilePath(GetDataFolder(storage.dataFolder), file);
    for (int v = 0; v < kVariantCount; ++v) {
        const VariantReference& ref = refs.variant[v];
        if (file == kSettingsFile) {
            int current = 0, plug = 0;
            ReadSettings(files, path, current, plug);
            if (current == ref.currentProfile && plug == ref.keyboardPlugIn) return v;
        } else if (file == kLibraryFile) {
            MacroLibrary library;
            LoadMacroLibrary(library, storage);
            if (SameLibrary(library, ref.library)) return v;
        } else {
            bool read = false;
            auto record = ReadProfile(files, path, read);
            const int k = ProfileOfFile(file);
            if (read && std::memcmp(record.get(), &Profile(*ref.config, k), sizeof(ProfileRecord)) == 0) return v;
        }
    }
    why += std::string(FileLabel(file)) + " reads as neither state; ";
    return -1;
}

}  // namespace

const char* FileLabel(int file) {
    static const char* const labels[kFileCount] = {"config.ini", "Default0", "Default1",
                                                   "Default2",   "Default3", "sequence.dat"};
    return labels[file];
}

std::u16string FilePath(const std::u16string& dataFolder, int file) {
    if (file == kSettingsFile) return SettingsFilePath(dataFolder);
    if (file == kLibraryFile) return MacroLibraryPath(dataFolder);
    return StandingProfilePath(dataFolder, ProfileOfFile(file));
}

void SaveVariant(const Storage& storage, const SharedConfig& config, const MacroLibrary& library) {
    DataFolderStore store(storage, library);
    store.SaveConfiguration(config);
    store.SaveMacroLibrary();
}

std::string BuildReferences(IFileSystem& files, const std::u16string& scratchAppData, References& out) {
    for (int v = 0; v < kVariantCount; ++v) {
        VariantReference& ref = out.variant[v];
        const FixedDataFolder folder(scratchAppData + u"\\reference" + FormatInt(v));
        files.CreateFolder(folder.AppDataFolder());
        const Storage storage{files, folder};
        auto config = MakeConfig(v);
        MacroLibrary library;
        FillLibrary(library, v);
        SaveVariant(storage, *config, library);

        const std::u16string data = GetDataFolder(folder);
        for (int file = 0; file < kFileCount; ++file) {
            const FileContent content = files.ReadAll(FilePath(data, file), kMaxIniFileBytes);
            if (content.status != ReadStatus::Ok || content.bytes.empty()) {
                return std::string("could not write the reference ") + FileLabel(file);
            }
            ref.bytes[file] = content.bytes;
        }
        ReadSettings(files, FilePath(data, kSettingsFile), ref.currentProfile, ref.keyboardPlugIn);
        ref.config = std::make_unique<SharedConfig>();
        std::memset(ref.config.get(), 0, sizeof(SharedConfig));
        for (int k = 0; k < kProfileCount; ++k) {
            bool read = false;
            auto record = ReadProfile(files, FilePath(data, k + 1), read);
            if (!read) return "could not read a reference profile";
            Profile(*ref.config, k) = *record;
        }
        LoadMacroLibrary(ref.library, storage);
        if (!SameLibrary(ref.library, library)) return "the macro library does not read back as written";
    }
    const VariantReference& a = out.variant[0];
    const VariantReference& b = out.variant[1];
    for (int file = 0; file < kFileCount; ++file) {
        if (a.bytes[file] == b.bytes[file]) return std::string("the variants share ") + FileLabel(file);
    }
    for (int k = 0; k < kProfileCount; ++k) {
        if (std::memcmp(&Profile(*a.config, k), &Profile(*b.config, k), sizeof(ProfileRecord)) == 0) {
            return "the variants read back alike";
        }
    }
    if (a.currentProfile == b.currentProfile || SameLibrary(a.library, b.library)) return "the variants read back alike";
    return {};
}

bool FolderState::Mixed() const {
    for (int file = 1; file < kFileCount; ++file) {
        if (variant[file] != variant[0]) return true;
    }
    return false;
}

std::string FolderState::Describe() const {
    std::string text;
    for (int file = 0; file < kFileCount; ++file) {
        text += FileLabel(file);
        text += '=';
        text += variant[file] < 0 ? '?' : VariantLetter(variant[file]);
        text += ' ';
    }
    text += "leftovers=" + std::to_string(leftovers);
    return text;
}

FolderState CheckFolder(IFileSystem& files, const Storage& storage, const References& refs, bool compareBytes) {
    FolderState state;
    const std::u16string data = GetDataFolder(storage.dataFolder);
    for (int file = 0; file < kFileCount; ++file) {
        const FileContent content = files.ReadAll(FilePath(data, file), kMaxIniFileBytes);
        if (content.status != ReadStatus::Ok) {
            state.variant[file] = -1;
            state.problems += std::string(FileLabel(file)) + " is missing or unreadable; ";
            continue;
        }
        const int byReaders = ClassifyByReaders(files, storage, refs, file, state.problems);
        state.variant[file] = byReaders;
        if (byReaders < 0 || !compareBytes) continue;
        if (content.bytes != refs.variant[byReaders].bytes[file]) {
            state.variant[file] = -1;
            state.problems += std::string(FileLabel(file)) + " reads right but is not the file the program writes (" +
                              std::to_string(content.bytes.size()) + " bytes); ";
        }
    }
    state.leftovers = CountLeftovers(data) + CountLeftovers(data + u"config\\");
    return state;
}

}  // namespace crash_save
