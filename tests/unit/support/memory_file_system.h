// An in-memory IFileSystem for tests: files and folders in maps, with switches that
// make reads or writes fail. Paths compare exactly after '/' becomes '\'; a file can
// only be written into a folder that exists (the empty folder always does).
#pragma once

#include <map>
#include <set>
#include <string>

#include "config/file_system.h"

namespace tavrel::test {

class MemoryFileSystem final : public IFileSystem {
public:
    FileContent ReadAll(const std::u16string& path, size_t maxBytes) override;
    bool WriteWhole(const std::u16string& path, std::string_view bytes) override;
    bool CreateFolder(const std::u16string& path) override;
    bool Remove(const std::u16string& path) override;
    bool Exists(const std::u16string& path) override;
    // The size, and the count of writes to this file system when the file was last put.
    std::optional<FileStamp> Stamp(const std::u16string& path) override;

    void AddFolder(const std::u16string& path);
    bool HasFolder(const std::u16string& path) const;
    void PutFile(const std::u16string& path, std::string bytes);
    // The bytes of a file; empty when it does not exist.
    std::string Bytes(const std::u16string& path) const;
    bool Has(const std::u16string& path) const;
    size_t FileCount() const { return m_files.size(); }

    // Reads of these files fail as a locked file does.
    std::set<std::u16string> unreadable;
    // Every replace fails (a full disk, a read-only file) and leaves the old file.
    bool failWrites = false;
    // Folders cannot be created (no rights).
    bool failFolders = false;
    int replaceCount = 0;

private:
    static std::u16string Normalize(std::u16string path);
    std::map<std::u16string, std::string> m_files;
    std::map<std::u16string, uint64_t> m_written;  // when each file was last put
    uint64_t m_writes = 0;
    std::set<std::u16string> m_folders;
};

}  // namespace tavrel::test
