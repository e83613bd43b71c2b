#include "tests/win/support/config_platform_profile.h"

#include <windows.h>

#include <cstring>

#include "config/data_folder.h"
#include "config/profile_file.h"
#include "config/shared_config.h"
#include "config/text.h"

namespace tavrel::test {

namespace {

std::wstring W(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
const wchar_t* P(const std::u16string& path) { return reinterpret_cast<const wchar_t*>(path.c_str()); }

std::u16string KeyOf(const char16_t* key, const ProfileFileEntry& entry, int i) {
    std::u16string name(key);
    if (entry.count > 1) name += FormatInt(i);
    return name;
}

}  // namespace

std::u16string PlatformGetString(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue) {
    std::wstring buffer(8192, L'\0');
    const DWORD n = GetPrivateProfileStringW(W(section).c_str(), W(key).c_str(), W(defaultValue).c_str(),
                                             buffer.data(), 8192, P(path));
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), n);
}

int32_t PlatformGetInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                       int32_t defaultValue) {
    return static_cast<int32_t>(GetPrivateProfileIntW(W(section).c_str(), W(key).c_str(), defaultValue, P(path)));
}

bool PlatformGetStruct(const std::u16string& path, std::u16string_view section, std::u16string_view key, void* out,
                       size_t n) {
    return GetPrivateProfileStructW(W(section).c_str(), W(key).c_str(), out, static_cast<UINT>(n), P(path)) != FALSE;
}

bool PlatformWriteString(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                         std::u16string_view value) {
    return WritePrivateProfileStringW(W(section).c_str(), W(key).c_str(), W(value).c_str(), P(path)) != FALSE;
}

bool PlatformWriteStruct(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                         const void* bytes, size_t n) {
    return WritePrivateProfileStructW(W(section).c_str(), W(key).c_str(), const_cast<void*>(bytes),
                                      static_cast<UINT>(n), P(path)) != FALSE;
}

void PlatformWriteProfileFile(const ProfileRecord& record, const std::u16string& path) {
    const auto* base = reinterpret_cast<const uint8_t*>(&record);
    for (const ProfileFileEntry& entry : ProfileFileEntries()) {
        for (int i = 0; i < entry.count; ++i) {
            const uint8_t* field = base + entry.offset + static_cast<size_t>(i) * entry.size;
            const std::u16string key = KeyOf(entry.writeKey, entry, i);
            if (entry.kind == EntryKind::String) {
                std::u16string text(entry.size / 2, u'\0');
                std::memcpy(text.data(), field, entry.size);
                text.resize(BoundedLength(text.data(), text.size()));
                PlatformWriteString(path, kProfileSection, key, text);
            } else if (entry.kind == EntryKind::Integer) {
                int32_t value;
                std::memcpy(&value, field, sizeof value);
                PlatformWriteString(path, kProfileSection, key, FormatInt(value));
            } else {
                PlatformWriteStruct(path, kProfileSection, key, field, entry.size);
            }
        }
    }
}

void PlatformReadProfileFile(ProfileRecord& record, const std::u16string& path) {
    auto* base = reinterpret_cast<uint8_t*>(&record);
    for (const ProfileFileEntry& entry : ProfileFileEntries()) {
        for (int i = 0; i < entry.count; ++i) {
            uint8_t* field = base + entry.offset + static_cast<size_t>(i) * entry.size;
            const std::u16string key = KeyOf(entry.readKey, entry, i);
            if (entry.kind == EntryKind::String) {
                std::u16string text(entry.size / 2, u'\0');
                CopyToArray(text.data(), text.size(), PlatformGetString(path, kProfileSection, key, u""));
                std::memcpy(field, text.data(), entry.size);
            } else if (entry.kind == EntryKind::Integer) {
                const int32_t value = PlatformGetInt(path, kProfileSection, key, -1);
                std::memcpy(field, &value, sizeof value);
            } else {
                // Decoded aside: the platform writes into the target even when the
                // checksum then fails.
                std::string bytes(entry.size, '\0');
                if (PlatformGetStruct(path, kProfileSection, key, bytes.data(), entry.size)) {
                    std::memcpy(field, bytes.data(), entry.size);
                }
            }
        }
    }
}

void PlatformSaveConfiguration(const SharedConfig& config, const std::u16string& dataFolder) {
    const std::u16string settings = SettingsFilePath(dataFolder);
    PlatformWriteString(settings, u"Setting", u"CurrentProfile", FormatInt(config.CurrentProfile));
    PlatformWriteString(settings, u"Setting", u"KeyboardPlugIn", FormatInt(config.KeyboardPlugIn));
    for (int k = 0; k < kProfileCount; ++k) {
        PlatformWriteProfileFile(config.profiles[k], StandingProfilePath(dataFolder, k));
    }
}

void PlatformLoadConfiguration(SharedConfig& config, const std::u16string& dataFolder) {
    const std::u16string settings = SettingsFilePath(dataFolder);
    config.CurrentProfile = PlatformGetInt(settings, u"Setting", u"CurrentProfile", -1);
    config.KeyboardPlugIn = PlatformGetInt(settings, u"Setting", u"KeyboardPlugIn", -1);
    for (int k = 0; k < kProfileCount; ++k) {
        const std::u16string path = StandingProfilePath(dataFolder, k);
        const HANDLE file = CreateFileW(P(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            SetDefaultProfile(config.profiles[k], k);
            continue;
        }
        CloseHandle(file);
        PlatformReadProfileFile(config.profiles[k], path);
        const std::u16string name = u"Default" + FormatInt(k);
        PlatformWriteStruct(settings, name, name, &config.profiles[k], sizeof(ProfileRecord));
    }
}

void PlatformSaveMacroLibrary(const MacroLibrary& library, const std::u16string& dataFolder) {
    const std::u16string path = MacroLibraryPath(dataFolder);
    DeleteFileW(P(path));
    PlatformWriteString(path, u"Macros", u"number", FormatInt(library.Count()));
    for (int i = 0; i < library.Count(); ++i) {
        PlatformWriteStruct(path, u"Macros", FormatInt(i), library.At(i), sizeof(MacroRecord));
    }
}

void PlatformLoadMacroLibrary(MacroLibrary& library, const std::u16string& dataFolder) {
    const std::u16string path = MacroLibraryPath(dataFolder);
    const int32_t number = PlatformGetInt(path, u"Macros", u"number", -1);
    if (number < 1 || !library.Empty()) return;
    for (int i = 0; i < number; ++i) {
        MacroRecord record{};
        if (PlatformGetStruct(path, u"Macros", FormatInt(i), &record, sizeof record)) library.Append(record);
    }
}

}  // namespace tavrel::test
