// The file services the storage code needs, as a small interface: the program passes
// the Win32 implementation, tests pass a double or a scratch folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

enum class ReadStatus {
    Ok,
    NotFound,  // no such file (or folder): reads as an empty file
    Failed,    // the file exists but could not be read (locked, denied, I/O error)
};

struct FileContent {
    ReadStatus status = ReadStatus::NotFound;
    std::string bytes;
};

// What tells one version of a file from another without reading it.
struct FileStamp {
    uint64_t size = 0;
    uint64_t lastWrite = 0;  // in the file system's own units
    bool operator==(const FileStamp&) const = default;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // The whole file. Files larger than maxBytes count as unreadable garbage: they
    // come back Ok and empty, so a hostile giant file cannot exhaust memory.
    virtual FileContent ReadAll(const std::u16string& path, size_t maxBytes) = 0;

    // Writes a complete new file next to the target and then replaces the target
    // with it, so an interrupted write leaves either the old or the new file.
    virtual bool WriteWhole(const std::u16string& path, std::string_view bytes) = 0;

    // Creates one folder; true when it exists afterwards.
    virtual bool CreateFolder(const std::u16string& path) = 0;

    virtual bool Remove(const std::u16string& path) = 0;
    virtual bool Exists(const std::u16string& path) = 0;

    // The path as the file system resolves it: absolute, with the real names of the
    // folders (and of the file, when it exists) it passes through, so two spellings of
    // one file (relative, other separators, short names, links) give the same text up
    // to letter case. A path that cannot be resolved comes back as given.
    virtual std::u16string ResolvedPath(const std::u16string& path) { return path; }

    // The file's size and last write time; nothing when the file is missing or the
    // file system keeps no such record (its callers then read or write as usual).
    virtual std::optional<FileStamp> Stamp(const std::u16string&) { return std::nullopt; }
};

// Reads and writes through the C++ standard library. Folder separators may be
// written either way; the program's own paths use backslashes.
class StdFileSystem final : public IFileSystem {
public:
    FileContent ReadAll(const std::u16string& path, size_t maxBytes) override;
    bool WriteWhole(const std::u16string& path, std::string_view bytes) override;
    bool CreateFolder(const std::u16string& path) override;
    bool Remove(const std::u16string& path) override;
    bool Exists(const std::u16string& path) override;
    std::u16string ResolvedPath(const std::u16string& path) override;
    std::optional<FileStamp> Stamp(const std::u16string& path) override;
};

// A stateless StdFileSystem for callers that are handed no file system (the skin
// loader reading layout files).
IFileSystem& DefaultFileSystem();

// Folder part of a path, up to and including the last separator; empty when none.
std::u16string_view ParentFolder(std::u16string_view path);

}  // namespace tavrel
