#include "config/file_system.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace tavrel {

namespace fs = std::filesystem;

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

fs::path ToPath(const std::u16string& path) {
#ifdef _WIN32
    return fs::path(path);
#else
    std::u16string local = path;
    for (char16_t& c : local) {
        if (c == u'\\') c = u'/';
    }
    return fs::path(local);
#endif
}

}  // namespace

std::u16string_view ParentFolder(std::u16string_view path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) return path.substr(0, i);
    }
    return {};
}

FileContent StdFileSystem::ReadAll(const std::u16string& path, size_t maxBytes) {
    FileContent result;
    std::error_code ec;
    const fs::path p = ToPath(path);
    const fs::file_status st = fs::status(p, ec);
    if (ec || !fs::exists(st)) return result;  // NotFound
    if (!fs::is_regular_file(st)) {
        result.status = ReadStatus::Failed;
        return result;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        result.status = ReadStatus::Failed;
        return result;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0) {
        result.status = ReadStatus::Failed;
        return result;
    }
    result.status = ReadStatus::Ok;
    if (static_cast<unsigned long long>(size) > maxBytes) return result;
    result.bytes.resize(static_cast<size_t>(size));
    in.read(result.bytes.data(), size);
    if (in.gcount() != size) {
        result.bytes.clear();
        result.status = ReadStatus::Failed;
    }
    return result;
}

bool StdFileSystem::WriteWhole(const std::u16string& path, std::string_view bytes) {
    const fs::path target = ToPath(path);
    fs::path temp = target;
    temp += u".~new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

bool StdFileSystem::CreateFolder(const std::u16string& path) {
    std::error_code ec;
    const fs::path p = ToPath(path);
    fs::create_directory(p, ec);
    return fs::is_directory(p, ec);
}

bool StdFileSystem::Remove(const std::u16string& path) {
    std::error_code ec;
    return fs::remove(ToPath(path), ec);
}

bool StdFileSystem::Exists(const std::u16string& path) {
    std::error_code ec;
    return fs::is_regular_file(ToPath(path), ec);
}

std::u16string StdFileSystem::ResolvedPath(const std::u16string& path) {
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(ToPath(path), ec), ec);
    return ec ? path : resolved.u16string();
}

std::optional<FileStamp> StdFileSystem::Stamp(const std::u16string& path) {
    std::error_code ec;
    const fs::path p = ToPath(path);
    if (!fs::is_regular_file(p, ec)) return std::nullopt;
    const auto size = fs::file_size(p, ec);
    if (ec) return std::nullopt;
    const auto written = fs::last_write_time(p, ec);
    if (ec) return std::nullopt;
    return FileStamp{static_cast<uint64_t>(size), static_cast<uint64_t>(written.time_since_epoch().count())};
}

IFileSystem& DefaultFileSystem() {
    // Stateless: a shared instance is no shared state.
    static StdFileSystem instance;
    return instance;
}

}  // namespace tavrel
