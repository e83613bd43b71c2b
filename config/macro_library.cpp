#include "config/macro_library.h"

#include <algorithm>
#include <cstring>

#include "config/ini_file.h"
#include "config/text.h"

namespace tavrel {

MacroLibrary g_MacroLibrary;

namespace {

constexpr char16_t kMacrosSection[] = u"Macros";
constexpr char16_t kNumberKey[] = u"number";
constexpr uint8_t kSlotKindMacro = 3;
// Only the first fifteen slots can hold a macro the library knows about.
constexpr int kMacroCapableSlots = 15;

// Event counts index Events: never trust one beyond the array.
int UsableEvents(int count) { return std::clamp(count, 0, kMaxMacroEvents); }

bool AcceptLoadedMacro(MacroRecord& record) {
    if (record.iEventCount < 0 || record.iEventCount > kMaxMacroEvents) return false;
    if (BoundedLength(record.szName, kMacroNameChars) == kMacroNameChars) record.szName[kMacroNameChars - 1] = u'\0';
    return true;
}

}  // namespace

// ---- the list

MacroRecord* MacroLibrary::At(int position) {
    if (position < 0 || position >= Count()) return nullptr;
    return m_records[static_cast<size_t>(position)].get();
}

const MacroRecord* MacroLibrary::At(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return m_records[static_cast<size_t>(position)].get();
}

int MacroLibrary::Append(const MacroRecord& record) {
    m_records.push_back(std::make_unique<MacroRecord>(record));
    return Count() - 1;
}

bool MacroLibrary::RemoveAt(int position) {
    if (position < 0 || position >= Count()) return false;
    m_records.erase(m_records.begin() + position);
    return true;
}

// ---- the file

bool LoadMacroLibrary(MacroLibrary& library, const Storage& storage) {
    return LoadMacroLibraryFrom(library, MacroLibraryPath(GetDataFolder(storage.dataFolder)), storage.files);
}

bool LoadMacroLibraryFrom(MacroLibrary& library, const std::u16string& path, IFileSystem& files) {
    const CIniFile ini(path, files);
    const int32_t number = ini.GetInt(kMacrosSection, kNumberKey, -1);
    if (number < 1 || !library.Empty()) return ini.Status() == ReadStatus::Ok;
    // A "number" of two billion must not mean two billion look-ups.
    const size_t present = ini.EntryCount(kMacrosSection);
    const size_t wanted = std::min(static_cast<size_t>(number), present);
    for (size_t i = 0; i < wanted; ++i) {
        MacroRecord record{};
        if (!ini.GetStruct(kMacrosSection, FormatInt(static_cast<long long>(i)), &record, sizeof record)) continue;
        if (AcceptLoadedMacro(record)) library.Append(record);
    }
    return ini.Status() == ReadStatus::Ok;
}

bool SaveMacroLibrary(const MacroLibrary& library, const Storage& storage) {
    const std::u16string folder = GetDataFolder(storage.dataFolder);
    if (!folder.empty()) storage.files.CreateFolder(folder);
    return SaveMacroLibraryTo(library, MacroLibraryPath(folder), storage.files);
}

bool SaveMacroLibraryTo(const MacroLibrary& library, const std::u16string& path, IFileSystem& files) {
    IniDocument document;
    document.SetInt(kMacrosSection, kNumberKey, library.Count());
    for (int i = 0; i < library.Count(); ++i) {
        document.SetStruct(kMacrosSection, FormatInt(i), library.At(i), sizeof(MacroRecord));
    }
    // Every start and every apply save the library, mostly unchanged: a file that
    // already holds these very bytes is left alone, without a write and a flush to disk.
    const std::string bytes = document.ToBytes();
    const FileContent current = files.ReadAll(path, kMaxIniFileBytes);
    if (current.status == ReadStatus::Ok && current.bytes == bytes) return true;
    return files.WriteWhole(path, bytes);
}

void FreeMacroLibrary(MacroLibrary& library) { library.Clear(); }

// ---- slots and library

bool FindMacroForSlot(const MacroLibrary& library, const MacroKeyInfo& slot, int& position, int& identical) {
    position = -1;
    int result = 0;
    const std::u16string_view slotName = ArrayText(slot.szText);
    for (int i = 0; i < library.Count(); ++i) {
        const MacroRecord& record = *library.At(i);
        if (!EqualsNoCase(Trim(ArrayText(record.szName)), slotName)) continue;
        position = i;
        result = 1;
        if (record.iEventCount != slot.wEventCount || record.iRepeat != slot.iRepeat) {
            result = 0;
        } else {
            const size_t used = static_cast<size_t>(UsableEvents(record.iEventCount));
            if (std::memcmp(record.Events, slot.Events, used * sizeof(MacroEvent)) != 0) result = 0;
        }
        break;
    }
    identical = result;
    return result != 0;
}

void AddMacroFromSlot(MacroLibrary& library, const MacroKeyInfo& slot) {
    MacroRecord record{};
    CopyToArray(record.szName, ArrayText(slot.szText));
    record.iEventCount = UsableEvents(slot.wEventCount);
    record.iRepeat = slot.iRepeat;
    std::memcpy(record.Events, slot.Events, static_cast<size_t>(record.iEventCount) * sizeof(MacroEvent));
    if (record.szName[0] != u'\0') library.Append(record);
}

void SyncMacroLibrary(MacroLibrary& library, const SharedConfig& config) {
    for (const ProfileRecord& profile : config.profiles) {
        for (int s = 0; s < kMacroCapableSlots; ++s) {
            const MacroKeyInfo& slot = profile.MacroKeyInfo[s];
            if (slot.byType != kSlotKindMacro) continue;
            int position = -1;
            int identical = 0;
            FindMacroForSlot(library, slot, position, identical);
            if (position < 0) {
                AddMacroFromSlot(library, slot);
            } else if (MacroRecord* record = library.At(position); record != nullptr && identical == 0) {
                std::memcpy(record->Events, slot.Events, sizeof record->Events);
                record->iEventCount = UsableEvents(slot.wEventCount);
                record->iRepeat = slot.iRepeat;
            }
        }
    }
}

int AppendMacro(MacroLibrary& library, std::u16string_view name) {
    MacroRecord record{};
    CopyToArray(record.szName, name);
    return library.Append(record);
}

void DeleteMacroAt(MacroLibrary& library, int position) { library.RemoveAt(position); }

}  // namespace tavrel
