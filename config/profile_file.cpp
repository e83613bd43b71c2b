#include "config/profile_file.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "config/shared_config.h"
#include "config/text.h"

namespace tavrel {

const char16_t kProfileSection[] = u"Setting";

namespace {

#define TAVREL_FIELD(field) offsetof(ProfileRecord, field), sizeof(ProfileRecord::field)
#define TAVREL_ELEMENT(field) offsetof(ProfileRecord, field), sizeof(ProfileRecord::field[0])

const std::array<ProfileFileEntry, 23> kEntries = {{
    {u"ProFileName", u"ProFileName", EntryKind::String, TAVREL_FIELD(ProFileName), 1},
    {u"GameFile", u"GameFile", EntryKind::String, TAVREL_FIELD(GameFile), 1},
    {u"MediaOption", u"MediaOption", EntryKind::Integer, TAVREL_FIELD(MediaOption), 1},
    {u"HDDKeyboard", u"HDDKeyboard", EntryKind::Integer, TAVREL_FIELD(HDDKeyboard), 1},
    {u"LtSwitch", u"LtSwitch", EntryKind::Integer, TAVREL_FIELD(LtSwitch), 1},
    {u"LtEffectType", u"LtEffectType", EntryKind::Integer, TAVREL_FIELD(LtEffectType), 1},
    {u"LtFlag ", u"LtFlag", EntryKind::Integer, TAVREL_FIELD(LtFlag), 1},
    {u"iRGBRed", u"iRGBRed", EntryKind::Integer, TAVREL_FIELD(iRGBRed), 1},
    {u"iRGBGreen", u"iRGBGreen", EntryKind::Integer, TAVREL_FIELD(iRGBGreen), 1},
    {u"iRGBBlue", u"iRGBBlue", EntryKind::Integer, TAVREL_FIELD(iRGBBlue), 1},
    {u"iCrlSliderPos", u"iCrlSliderPos", EntryKind::Integer, TAVREL_FIELD(iCrlSliderPos), 1},
    {u"iResponTime", u"iResponTime", EntryKind::Integer, TAVREL_FIELD(iResponTime), 1},
    {u"iLtPulsation", u"iLtPulsation", EntryKind::Integer, TAVREL_FIELD(iLtPulsation), 1},
    {u"LtColor", u"LtColor", EntryKind::Integer, TAVREL_FIELD(LtColor), 1},
    {u"LtControl", u"LtControl", EntryKind::Integer, TAVREL_FIELD(LtControl), 1},
    {u"LtSaving", u"LtSaving", EntryKind::Integer, TAVREL_FIELD(LtSaving), 1},
    {u"LtTimeout", u"LtTimeout", EntryKind::Integer, TAVREL_FIELD(LtTimeout), 1},
    {u"PollingRate", u"PollingRate", EntryKind::Integer, TAVREL_FIELD(PollingRate), 1},
    {u"ModifyKey", u"ModifyKey", EntryKind::Integer, TAVREL_ELEMENT(ModifyKey), 6},
    {u"standardkey", u"standardKey", EntryKind::Structure, TAVREL_FIELD(standardKey), 1},
    {u"GKey", u"GKey", EntryKind::Structure, TAVREL_FIELD(GKey), 1},
    {u"MacroKeyInfo", u"MacroKeyInfo", EntryKind::Structure, TAVREL_ELEMENT(MacroKeyInfo), kMacroSlotsPerProfile},
    {u"apmLightInfo", u"apmLightInfo", EntryKind::Structure, TAVREL_FIELD(apmLightInfo), 1},
}};

#undef TAVREL_FIELD
#undef TAVREL_ELEMENT

std::u16string KeyOf(const char16_t* key, const ProfileFileEntry& entry, int i) {
    std::u16string name(key);
    if (entry.count > 1) name += FormatInt(i);
    return name;
}

}  // namespace

std::span<const ProfileFileEntry> ProfileFileEntries() { return kEntries; }

void WriteProfileEntries(const ProfileRecord& record, CIniFile& ini) {
    const auto* base = reinterpret_cast<const uint8_t*>(&record);
    for (const ProfileFileEntry& entry : kEntries) {
        for (int i = 0; i < entry.count; ++i) {
            const uint8_t* field = base + entry.offset + static_cast<size_t>(i) * entry.size;
            const std::u16string key = KeyOf(entry.writeKey, entry, i);
            switch (entry.kind) {
                case EntryKind::String: {
                    // Copied out: the record's array need not be aligned for char16_t.
                    std::u16string text(entry.size / 2, u'\0');
                    std::memcpy(text.data(), field, entry.size);
                    text.resize(BoundedLength(text.data(), text.size()));
                    ini.SetString(kProfileSection, key, text);
                    break;
                }
                case EntryKind::Integer: {
                    int32_t value;
                    std::memcpy(&value, field, sizeof value);
                    ini.SetInt(kProfileSection, key, value);
                    break;
                }
                case EntryKind::Structure:
                    ini.SetStruct(kProfileSection, key, field, entry.size);
                    break;
            }
        }
    }
}

void ReadProfileEntries(ProfileRecord& record, const CIniFile& ini) {
    auto* base = reinterpret_cast<uint8_t*>(&record);
    for (const ProfileFileEntry& entry : kEntries) {
        for (int i = 0; i < entry.count; ++i) {
            uint8_t* field = base + entry.offset + static_cast<size_t>(i) * entry.size;
            const std::u16string key = KeyOf(entry.readKey, entry, i);
            switch (entry.kind) {
                case EntryKind::String: {
                    std::u16string text(entry.size / 2, u'\0');
                    CopyToArray(text.data(), text.size(), ini.GetString(kProfileSection, key, u""));
                    std::memcpy(field, text.data(), entry.size);
                    break;
                }
                case EntryKind::Integer: {
                    const int32_t value = ini.GetInt(kProfileSection, key, -1);
                    std::memcpy(field, &value, sizeof value);
                    break;
                }
                case EntryKind::Structure:
                    ini.GetStruct(kProfileSection, key, field, entry.size);
                    break;
            }
        }
    }
    SanitizeProfile(record);
}

bool WriteProfileFile(const ProfileRecord& record, const std::u16string& path, IFileSystem& files) {
    CIniFile ini(path, files);
    WriteProfileEntries(record, ini);
    return ini.Flush();
}

bool ReadProfileFile(ProfileRecord& record, const std::u16string& path, IFileSystem& files) {
    const CIniFile ini(path, files);
    ReadProfileEntries(record, ini);
    return ini.Status() == ReadStatus::Ok;
}

}  // namespace tavrel
