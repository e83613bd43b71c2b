#include "tests/unit/support/memory_file_system.h"

namespace tavrel::test {

std::u16string MemoryFileSystem::Normalize(std::u16string path) {
    for (char16_t& c : path) {
        if (c == u'/') c = u'\\';
    }
    while (path.size() > 1 && path.back() == u'\\') path.pop_back();
    return path;
}

FileContent MemoryFileSystem::ReadAll(const std::u16string& path, size_t maxBytes) {
    FileContent result;
    const std::u16string key = Normalize(path);
    const auto it = m_files.find(key);
    if (it == m_files.end()) return result;
    if (unreadable.count(key) != 0) {
        result.status = ReadStatus::Failed;
        return result;
    }
    result.status = ReadStatus::Ok;
    if (it->second.size() <= maxBytes) result.bytes = it->second;
    return result;
}

bool MemoryFileSystem::WriteWhole(const std::u16string& path, std::string_view bytes) {
    if (failWrites) return false;
    const std::u16string key = Normalize(path);
    const std::u16string folder = Normalize(std::u16string(ParentFolder(key)));
    if (!folder.empty() && !HasFolder(folder)) return false;
    m_files[key] = std::string(bytes);
    m_written[key] = ++m_writes;
    ++replaceCount;
    return true;
}

bool MemoryFileSystem::CreateFolder(const std::u16string& path) {
    const std::u16string key = Normalize(path);
    if (HasFolder(key)) return true;
    if (failFolders) return false;
    const std::u16string parent = Normalize(std::u16string(ParentFolder(key)));
    if (!parent.empty() && !HasFolder(parent)) return false;
    m_folders.insert(key);
    return true;
}

bool MemoryFileSystem::Remove(const std::u16string& path) { return m_files.erase(Normalize(path)) != 0; }

bool MemoryFileSystem::Exists(const std::u16string& path) { return Has(path); }

void MemoryFileSystem::AddFolder(const std::u16string& path) { m_folders.insert(Normalize(path)); }

bool MemoryFileSystem::HasFolder(const std::u16string& path) const { return m_folders.count(Normalize(path)) != 0; }

void MemoryFileSystem::PutFile(const std::u16string& path, std::string bytes) {
    m_files[Normalize(path)] = std::move(bytes);
    m_written[Normalize(path)] = ++m_writes;
}

std::optional<FileStamp> MemoryFileSystem::Stamp(const std::u16string& path) {
    const std::u16string key = Normalize(path);
    const auto it = m_files.find(key);
    if (it == m_files.end()) return std::nullopt;
    return FileStamp{it->second.size(), m_written[key]};
}

std::string MemoryFileSystem::Bytes(const std::u16string& path) const {
    const auto it = m_files.find(Normalize(path));
    return it == m_files.end() ? std::string() : it->second;
}

bool MemoryFileSystem::Has(const std::u16string& path) const { return m_files.count(Normalize(path)) != 0; }

}  // namespace tavrel::test
