// Profile files (.gkp): one ProfileRecord as the entries of section "Setting", one
// key per field. The same table drives writing, reading and the tests.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "config/file_system.h"
#include "config/ini_file.h"
#include "config/records.h"

namespace tavrel {

enum class EntryKind { String, Integer, Structure };

struct ProfileFileEntry {
    // The writer's spelling and the reader's; they differ for "standardkey" and
    // "LtFlag ", which the layer's case-insensitive, blank-trimming match joins.
    const char16_t* writeKey;
    const char16_t* readKey;
    EntryKind kind;
    size_t offset;  // in ProfileRecord
    size_t size;    // bytes of one field (a string's whole array)
    int count;      // 1, or the number of indexed keys "<key>0", "<key>1", ...
};

extern const char16_t kProfileSection[];  // "Setting"

// Every entry in the order the writer writes them.
std::span<const ProfileFileEntry> ProfileFileEntries();

// Writes every entry into ini, replacing existing values where they stand.
void WriteProfileEntries(const ProfileRecord& record, CIniFile& ini);
// Reads every entry: strings default to empty, integers to -1, a structure that is
// missing or damaged leaves its field as it was. The record is sanitised afterwards
// (texts terminated, slot event counts at most 50).
void ReadProfileEntries(ProfileRecord& record, const CIniFile& ini);

// True when the file holds the record afterwards.
bool WriteProfileFile(const ProfileRecord& record, const std::u16string& path, IFileSystem& files);
// True when the file existed and could be read; a missing or unreadable file still
// reads as a file without entries.
bool ReadProfileFile(ProfileRecord& record, const std::u16string& path, IFileSystem& files);

}  // namespace tavrel
