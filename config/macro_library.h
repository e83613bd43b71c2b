// The macro library: the program-wide ordered list of named macros, stored in
// "sequence.dat" in the data folder as section "Macros" with "number" and one
// structure entry per macro ("0", "1", ...). Positions count from 0 and are the
// macros' indices everywhere (manager list, menu commands, file keys).
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "config/data_folder.h"
#include "config/records.h"

namespace tavrel {

class MacroLibrary {
public:
    MacroLibrary() = default;
    MacroLibrary(const MacroLibrary&) = delete;
    MacroLibrary& operator=(const MacroLibrary&) = delete;

    int Count() const { return static_cast<int>(m_records.size()); }
    bool Empty() const { return m_records.empty(); }
    // The record at a position, edited in place by the macro manager; null when the
    // position does not exist. A record keeps its address until it is deleted.
    MacroRecord* At(int position);
    const MacroRecord* At(int position) const;

    // Appends a copy; returns its position.
    int Append(const MacroRecord& record);
    // Removes and frees the record; false when the position does not exist.
    bool RemoveAt(int position);
    void Clear() { m_records.clear(); }

private:
    std::vector<std::unique_ptr<MacroRecord>> m_records;
};

// The one library of the program.
extern MacroLibrary g_MacroLibrary;

// Fills an empty library from the file; does nothing when it already holds records.
// A missing file, a missing or non-positive "number" yield an empty library. An
// entry that is missing or damaged, or whose iEventCount lies outside 0..50, is
// skipped; "number" never makes it look further than the entries present. Names are
// terminated inside their array. True when the file was read.
bool LoadMacroLibrary(MacroLibrary& library, const Storage& storage);

// Replaces the file whole with the library (no entry of a deleted macro survives),
// creating the data folder when missing; true when the file holds it afterwards.
bool SaveMacroLibrary(const MacroLibrary& library, const Storage& storage);

// The same, with the file named outright (a backup folder's copy).
bool LoadMacroLibraryFrom(MacroLibrary& library, const std::u16string& path, IFileSystem& files);
bool SaveMacroLibraryTo(const MacroLibrary& library, const std::u16string& path, IFileSystem& files);
void FreeMacroLibrary(MacroLibrary& library);

// Looks for the first record whose trimmed name equals the slot's name ignoring
// case. position = its index or -1; identical = 1 when count, repeat and the used
// events equal the slot's, else 0. Returns identical != 0.
bool FindMacroForSlot(const MacroLibrary& library, const MacroKeyInfo& slot, int& position, int& identical);

// Appends a record copied from the slot unless the slot's name is empty. At most
// 50 events are copied, whatever wEventCount claims.
void AddMacroFromSlot(MacroLibrary& library, const MacroKeyInfo& slot);

// Brings the library in line with the macro slots (type 3) 0 to 14 of the four
// profiles: unknown names are added, known names with other contents overwritten
// (name kept). The later slot wins.
void SyncMacroLibrary(MacroLibrary& library, const SharedConfig& config);

// Appends a zero-filled record named name (at most 49 characters); returns its position.
int AppendMacro(MacroLibrary& library, std::u16string_view name);

// Removes the record at position; nothing happens when it does not exist.
void DeleteMacroAt(MacroLibrary& library, int position);

}  // namespace tavrel
