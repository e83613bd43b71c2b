#include "config/win/win32_storage.h"

#include <windows.h>
#include <shlobj.h>

namespace tavrel {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// Owns one file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close() {
        if (!Valid()) return true;
        const BOOL ok = CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

private:
    HANDLE m_handle;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

constexpr DWORD kLongestPath = 32768;

// The real path of an existing file or folder, without the "\\?\" form the call gives;
// empty when it cannot be opened.
std::u16string FinalPath(const std::u16string& path) {
    // No access asked for: attributes and the name need none, and a locked file still opens.
    FileHandle handle(CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.Valid()) return {};
    std::u16string text(kLongestPath, u'\0');
    wchar_t* buffer = reinterpret_cast<wchar_t*>(text.data());
    const DWORD length = GetFinalPathNameByHandleW(handle.Get(), buffer, kLongestPath, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= kLongestPath) return {};
    text.resize(length);
    if (text.starts_with(u"\\\\?\\UNC\\")) return u"\\\\" + text.substr(8);
    if (text.starts_with(u"\\\\?\\")) return text.substr(4);
    return text;
}

}  // namespace

std::u16string Win32FileSystem::ResolvedPath(const std::u16string& path) {
    std::u16string full(kLongestPath, u'\0');
    const DWORD length = GetFullPathNameW(Wide(path), kLongestPath, reinterpret_cast<wchar_t*>(full.data()), nullptr);
    if (length == 0 || length >= kLongestPath) return path;
    full.resize(length);
    if (std::u16string real = FinalPath(full); !real.empty()) return real;
    const std::u16string_view folder = ParentFolder(full);
    if (folder.empty()) return full;
    const std::u16string realFolder = FinalPath(std::u16string(folder));
    if (realFolder.empty()) return full;
    const std::u16string_view separator = realFolder.ends_with(u'\\') ? u"" : u"\\";
    return realFolder + std::u16string(separator) + full.substr(folder.size());
}

FileContent Win32FileSystem::ReadAll(const std::u16string& path, size_t maxBytes) {
    FileContent result;
    FileHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                             error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH;
        result.status = missing ? ReadStatus::NotFound : ReadStatus::Failed;
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
        result.status = ReadStatus::Failed;
        return result;
    }
    result.status = ReadStatus::Ok;
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return result;
    result.bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < result.bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(result.bytes.size() - done, 1u << 20));
        DWORD read = 0;
        if (!::ReadFile(file.Get(), result.bytes.data() + done, chunk, &read, nullptr)) {
            result.status = ReadStatus::Failed;
            result.bytes.clear();
            return result;
        }
        if (read == 0) break;  // the file shrank meanwhile
        done += read;
    }
    result.bytes.resize(done);
    return result;
}

bool Win32FileSystem::WriteWhole(const std::u16string& path, std::string_view bytes) {
    // A read-only file stays as it is, as the user asked; the move below would
    // replace it on some systems.
    const DWORD attributes = GetFileAttributesW(Wide(path));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    const std::u16string temp = path + u".~new";
    {
        FileHandle file(CreateFileW(Wide(temp), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file.Valid()) return false;
        const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
        if (!file.Close() || !written) {
            DeleteFileW(Wide(temp));
            return false;
        }
    }
    if (!MoveFileExW(Wide(temp), Wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(Wide(temp));
        return false;
    }
    return true;
}

std::optional<FileStamp> Win32FileSystem::Stamp(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; };
    return FileStamp{join(data.nFileSizeHigh, data.nFileSizeLow),
                     join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

bool Win32FileSystem::CreateFolder(const std::u16string& path) {
    if (CreateDirectoryW(Wide(path), nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::Remove(const std::u16string& path) { return DeleteFileW(Wide(path)) != FALSE; }

bool Win32FileSystem::Exists(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::u16string Win32DataFolder::AppDataFolder() const {
    constexpr int kAppDataCreate = 0x801A;  // CSIDL_APPDATA | CSIDL_FLAG_CREATE
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, kAppDataCreate, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

}  // namespace tavrel
