// The Win32 file system and data folder behind the storage code.
#pragma once

#include <string>

#include "config/data_folder.h"
#include "config/file_system.h"

namespace tavrel {

// Files through the wide Win32 calls. A replacement is written to a temporary file
// in the same folder, flushed to disk, then moved over the target in one step
// (MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
class Win32FileSystem final : public IFileSystem {
public:
    FileContent ReadAll(const std::u16string& path, size_t maxBytes) override;
    bool WriteWhole(const std::u16string& path, std::string_view bytes) override;
    bool CreateFolder(const std::u16string& path) override;
    bool Remove(const std::u16string& path) override;
    bool Exists(const std::u16string& path) override;
    // GetFullPathNameW, then the final path of the file or, when it does not exist, of
    // its folder (GetFinalPathNameByHandleW).
    std::u16string ResolvedPath(const std::u16string& path) override;
    // GetFileAttributesExW: size and last write time.
    std::optional<FileStamp> Stamp(const std::u16string& path) override;
};

// SHGetFolderPathW(CSIDL_APPDATA | CSIDL_FLAG_CREATE, current path).
class Win32DataFolder final : public IDataFolder {
public:
    std::u16string AppDataFolder() const override;
};

// Both services, owned together by the application object; Get() hands out the
// Storage that every load and save takes.
class PlatformStorage {
public:
    Storage Get() { return Storage{m_files, m_folder}; }

private:
    Win32FileSystem m_files;
    Win32DataFolder m_folder;
};

}  // namespace tavrel
