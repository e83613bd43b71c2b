// The program's initialisation-file layer, bound to one file. The file is read once
// at construction; reads and changes work on memory; Flush writes the file once,
// crash-safe (a complete new file replaces the old one), and only when something
// changed. A missing file reads as an empty one.
//
//   CIniFile ini(path, files);
//   ini.SetInt(u"Setting", u"CurrentProfile", 2);
//   ini.SetStruct(u"Default0", u"Default0", &record, sizeof record);
//   ini.Flush();
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/file_system.h"
#include "config/ini_document.h"

namespace tavrel {

// Larger files are treated as garbage and read as empty (still well above any real
// file, and above lines of 10 MB).
constexpr size_t kMaxIniFileBytes = size_t{32} << 20;

class CIniFile {
public:
    enum class Start { ReadFile, Empty };

    // Through DefaultFileSystem(): for callers that only read (skin layout files).
    explicit CIniFile(std::u16string path);
    // Start::Empty skips reading, for a file that is rewritten whole.
    CIniFile(std::u16string path, IFileSystem& files, Start start = Start::ReadFile);

    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    const std::u16string& Path() const { return m_path; }
    // Ok when the file was read, NotFound when it does not exist, Failed when it exists
    // but could not be read; in the last case Flush refuses to overwrite it.
    ReadStatus Status() const { return m_status; }

    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view defaultValue = {}) const {
        return m_doc.GetString(section, key, defaultValue);
    }
    int32_t GetInt(std::u16string_view section, std::u16string_view key, int32_t defaultValue) const {
        return m_doc.GetInt(section, key, defaultValue);
    }
    bool GetStruct(std::u16string_view section, std::u16string_view key, void* out, size_t n) const {
        return m_doc.GetStruct(section, key, out, n);
    }
    bool HasValue(std::u16string_view section, std::u16string_view key) const { return m_doc.HasValue(section, key); }
    size_t EntryCount(std::u16string_view section) const { return m_doc.EntryCount(section); }

    void SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    void SetInt(std::u16string_view section, std::u16string_view key, int64_t value);
    void SetStruct(std::u16string_view section, std::u16string_view key, const void* bytes, size_t n);

    // One value, written at once; whether the file now holds it.
    bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // Writes the file when something changed since it was read or last written.
    // True when the file holds the content afterwards.
    bool Flush();

    const IniDocument& Document() const { return m_doc; }

private:
    std::u16string m_path;
    IFileSystem& m_files;
    IniDocument m_doc;
    ReadStatus m_status = ReadStatus::NotFound;
    bool m_changed = false;
};

}  // namespace tavrel
