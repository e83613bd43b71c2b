#include "config/ini_file.h"

namespace tavrel {

CIniFile::CIniFile(std::u16string path) : CIniFile(std::move(path), DefaultFileSystem()) {}

CIniFile::CIniFile(std::u16string path, IFileSystem& files, Start start) : m_path(std::move(path)), m_files(files) {
    if (start == Start::Empty) {
        // Rewritten whole: the file is written even when nothing is set.
        m_changed = true;
        return;
    }
    FileContent content = m_files.ReadAll(m_path, kMaxIniFileBytes);
    m_status = content.status;
    if (m_status == ReadStatus::Ok) m_doc = IniDocument::FromBytes(content.bytes);
}

void CIniFile::SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    if (m_doc.SetString(section, key, value)) m_changed = true;
}

void CIniFile::SetInt(std::u16string_view section, std::u16string_view key, int64_t value) {
    if (m_doc.SetInt(section, key, value)) m_changed = true;
}

void CIniFile::SetStruct(std::u16string_view section, std::u16string_view key, const void* bytes, size_t n) {
    if (m_doc.SetStruct(section, key, bytes, n)) m_changed = true;
}

bool CIniFile::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
    SetString(section, key, value);
    return Flush();
}

bool CIniFile::Flush() {
    if (!m_changed) return m_status != ReadStatus::Failed;
    // A file that exists but could not be read is not replaced by our partial view of
    // it: that would drop every entry we never saw.
    if (m_status == ReadStatus::Failed) return false;
    if (!m_files.WriteWhole(m_path, m_doc.ToBytes())) return false;
    m_changed = false;
    m_status = ReadStatus::Ok;
    return true;
}

}  // namespace tavrel
