#include "config/profile_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "config/ini_encoding.h"
#include "config/ini_struct.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "tests/unit/support/ini_key_order.h"
#include "tests/unit/support/memory_file_system.h"

using namespace tavrel;
using tavrel::test::IniKeysInFileOrder;
using tavrel::test::MemoryFileSystem;

namespace {

std::unique_ptr<ProfileRecord> DefaultRecord(int k) {
    auto r = std::make_unique<ProfileRecord>();
    std::memset(r.get(), 0, sizeof(ProfileRecord));
    SetDefaultProfile(*r, k);
    return r;
}

std::unique_ptr<ProfileRecord> ZeroRecord() {
    auto r = std::make_unique<ProfileRecord>();
    std::memset(r.get(), 0, sizeof(ProfileRecord));
    return r;
}

// A record with every byte of every stored field set, reserved gaps left zero.
std::unique_ptr<ProfileRecord> BusyRecord() {
    auto r = ZeroRecord();
    auto* base = reinterpret_cast<uint8_t*>(r.get());
    uint8_t n = 1;
    for (const ProfileFileEntry& e : ProfileFileEntries()) {
        const size_t bytes = e.size * static_cast<size_t>(e.count);
        for (size_t i = 0; i < bytes; ++i) base[e.offset + i] = n++ | 0x40;
    }
    CopyToArray(r->ProFileName, u"  \"Mein Profil\" \u00E9 ");
    CopyToArray(r->GameFile, u"C:\\Games\\Race\\race.exe");
    r->MediaOption = -1;
    r->iCrlSliderPos = INT32_MIN;
    r->PollingRate = INT32_MAX;
    for (MacroKeyInfo& slot : r->MacroKeyInfo) {
        slot.szText[kSlotTextChars - 1] = 0;
        slot.szPath[kSlotPathChars - 1] = 0;
        slot.wEventCount = 50;
    }
    return r;
}


enum class Kind { String, Integer, Structure };

struct DocumentedEntry {
    std::u16string key;  // as the writer spells it
    Kind kind;
    const void* field;   // in the record the entry belongs to
    size_t size;
};

// The entries of a profile file in the order the writer produces them, with the
// writer's spellings ("LtFlag " with its blank, "standardkey" in lower case), each tied
// to the field it stores: written out from the file format's definition, never from
// our entry table, so that a key respelt in both writer and reader is caught.
std::vector<DocumentedEntry> DocumentedEntries(const ProfileRecord& r) {
    std::vector<DocumentedEntry> e = {
        {u"ProFileName", Kind::String, r.ProFileName, sizeof r.ProFileName},
        {u"GameFile", Kind::String, r.GameFile, sizeof r.GameFile},
        {u"MediaOption", Kind::Integer, &r.MediaOption, 4},
        {u"HDDKeyboard", Kind::Integer, &r.HDDKeyboard, 4},
        {u"LtSwitch", Kind::Integer, &r.LtSwitch, 4},
        {u"LtEffectType", Kind::Integer, &r.LtEffectType, 4},
        {u"LtFlag ", Kind::Integer, &r.LtFlag, 4},
        {u"iRGBRed", Kind::Integer, &r.iRGBRed, 4},
        {u"iRGBGreen", Kind::Integer, &r.iRGBGreen, 4},
        {u"iRGBBlue", Kind::Integer, &r.iRGBBlue, 4},
        {u"iCrlSliderPos", Kind::Integer, &r.iCrlSliderPos, 4},
        {u"iResponTime", Kind::Integer, &r.iResponTime, 4},
        {u"iLtPulsation", Kind::Integer, &r.iLtPulsation, 4},
        {u"LtColor", Kind::Integer, &r.LtColor, 4},
        {u"LtControl", Kind::Integer, &r.LtControl, 4},
        {u"LtSaving", Kind::Integer, &r.LtSaving, 4},
        {u"LtTimeout", Kind::Integer, &r.LtTimeout, 4},
        {u"PollingRate", Kind::Integer, &r.PollingRate, 4},
    };
    for (int i = 0; i < 6; ++i) e.push_back({u"ModifyKey" + FormatInt(i), Kind::Integer, &r.ModifyKey[i], 4});
    e.push_back({u"standardkey", Kind::Structure, r.standardKey, sizeof r.standardKey});
    e.push_back({u"GKey", Kind::Structure, r.GKey, sizeof r.GKey});
    for (int i = 0; i < 32; ++i) {
        e.push_back({u"MacroKeyInfo" + FormatInt(i), Kind::Structure, &r.MacroKeyInfo[i], sizeof r.MacroKeyInfo[i]});
    }
    e.push_back({u"apmLightInfo", Kind::Structure, r.apmLightInfo, sizeof r.apmLightInfo});
    return e;
}

std::u16string WithoutBlanks(std::u16string key) {
    while (!key.empty() && key.back() == u' ') key.pop_back();
    return key;
}
}  // namespace

TEST(ProfileFile, TableCoversEveryStoredByteInWriterOrder) {
    size_t covered = 0;
    for (const ProfileFileEntry& e : ProfileFileEntries()) covered += e.size * static_cast<size_t>(e.count);
    // Everything but the four reserved gaps (4 + 4 + 2 + 4 bytes).
    EXPECT_EQ(covered, sizeof(ProfileRecord) - 14);
    EXPECT_EQ(std::u16string(ProfileFileEntries().front().writeKey), u"ProFileName");
    EXPECT_EQ(std::u16string(ProfileFileEntries().back().writeKey), u"apmLightInfo");
}

TEST(ProfileFile, WritesEveryKeyInTheDocumentedOrderAndSpelling) {
    auto r = DefaultRecord(0);
    std::vector<std::u16string> expected, written;
    for (const DocumentedEntry& e : DocumentedEntries(*r)) expected.push_back(e.key);
    for (const ProfileFileEntry& e : ProfileFileEntries()) {
        for (int i = 0; i < e.count; ++i) written.push_back(e.writeKey + (e.count > 1 ? FormatInt(i) : u""));
    }
    EXPECT_EQ(written, expected);  // the writer's own spellings, blank included

    MemoryFileSystem files;
    ASSERT_TRUE(WriteProfileFile(*r, u"p.gkp", files));
    const std::u16string text = DecodeIniBytes(files.Bytes(u"p.gkp"));
    std::vector<std::u16string> inFile;
    for (const std::u16string& key : expected) inFile.push_back(u"Setting/" + WithoutBlanks(key));
    EXPECT_EQ(IniKeysInFileOrder(text), inFile);
    EXPECT_EQ(text.rfind(u"[Setting]\r\nProFileName=#1\r\nGameFile=\r\nMediaOption=0\r\n", 0), 0u);
    EXPECT_NE(text.find(u"\r\nstandardkey=293A3B"), std::u16string::npos);
    const size_t line = text.find(u"MacroKeyInfo0=") + 14;
    EXPECT_EQ(text.find(u"\r\n", line) - line, 1562u);
}

TEST(ProfileFile, AFileWrittenElsewhereFillsEveryField) {
    // Every field a value of its own, so that a key read under another name, or into
    // another field, leaves a difference.
    auto expected = ZeroRecord();
    CopyToArray(expected->ProFileName, u"Night Race");
    CopyToArray(expected->GameFile, u"C:\\Games\\Race\\race.exe");
    expected->MediaOption = 1001;
    expected->HDDKeyboard = 1002;
    expected->LtSwitch = 1003;
    expected->LtEffectType = 1004;
    expected->LtFlag = 1005;
    expected->iRGBRed = 1006;
    expected->iRGBGreen = 1007;
    expected->iRGBBlue = 1008;
    expected->iCrlSliderPos = 1009;
    expected->iResponTime = 1010;
    expected->iLtPulsation = 1011;
    expected->LtColor = 1012;
    expected->LtControl = 1013;
    expected->LtSaving = 1014;
    expected->LtTimeout = 1015;
    expected->PollingRate = 1016;
    for (int i = 0; i < 6; ++i) expected->ModifyKey[i] = -2 - i;
    for (int i = 0; i < kKeyPositions; ++i) expected->standardKey[i] = static_cast<uint8_t>(i * 7 + 3);
    for (int i = 0; i < 8; ++i) expected->GKey[i] = static_cast<uint8_t>(0xA0 + i);
    for (int i = 0; i < 16; ++i) expected->apmLightInfo[i] = static_cast<uint8_t>(0xC0 + i);
    for (int s = 0; s < kMacroSlotsPerProfile; ++s) {
        MacroKeyInfo& slot = expected->MacroKeyInfo[s];
        slot.byIndex = static_cast<uint8_t>(s);
        slot.byType = 3;
        slot.wEventCount = static_cast<uint16_t>(s + 1);
        slot.iRepeat = 100 + s;
        CopyToArray(slot.szText, u"Slot " + FormatInt(s));
        for (int e = 0; e <= s; ++e) slot.Events[e] = MacroEvent{static_cast<uint8_t>(4 + s), 1, static_cast<uint16_t>(e)};
    }

    // As the platform's private-profile functions write it: the section, then one
    // "key=value" line per entry in the writer's order and spelling.
    std::u16string text = u"[Setting]\r\n";
    for (const DocumentedEntry& e : DocumentedEntries(*expected)) {
        text += e.key + u"=";
        if (e.kind == Kind::String) {
            std::u16string value(e.size / 2, u'\0');
            std::memcpy(value.data(), e.field, e.size);
            text += value.substr(0, BoundedLength(value.data(), value.size()));
        } else if (e.kind == Kind::Integer) {
            int32_t v;
            std::memcpy(&v, e.field, 4);
            text += FormatInt(v);
        } else {
            text += EncodeStruct(e.field, e.size);
        }
        text += u"\r\n";
    }
    MemoryFileSystem files;
    files.PutFile(u"p.gkp", Utf16ToUtf8(text));

    auto back = ZeroRecord();
    ASSERT_TRUE(ReadProfileFile(*back, u"p.gkp", files));
    const auto* want = reinterpret_cast<const uint8_t*>(expected.get());
    const auto* got = reinterpret_cast<const uint8_t*>(back.get());
    for (size_t i = 0; i < sizeof(ProfileRecord); ++i) {
        if (want[i] != got[i]) {
            ADD_FAILURE() << "first difference at offset " << i;
            break;
        }
    }
}

TEST(ProfileFile, DefaultAndBusyRecordsRoundTripByteForByte) {
    std::unique_ptr<ProfileRecord> records[] = {DefaultRecord(1), BusyRecord()};
    for (auto& r : records) {
        MemoryFileSystem files;
        ASSERT_TRUE(WriteProfileFile(*r, u"p.gkp", files));
        auto back = ZeroRecord();
        ASSERT_TRUE(ReadProfileFile(*back, u"p.gkp", files));
        EXPECT_EQ(std::memcmp(r.get(), back.get(), sizeof(ProfileRecord)), 0);
    }
}

TEST(ProfileFile, WritingOverAnExistingFileReplacesValuesWhereTheyStand) {
    MemoryFileSystem files;
    files.PutFile(u"p.gkp", "[Other]\r\nkeep=1\r\n[Setting]\r\nLtFlag=0\r\nStandardKey=00\r\n");
    auto r = DefaultRecord(2);
    ASSERT_TRUE(WriteProfileFile(*r, u"p.gkp", files));
    const std::u16string text = DecodeIniBytes(files.Bytes(u"p.gkp"));
    EXPECT_EQ(text.rfind(u"[Other]\r\nkeep=1\r\n[Setting]\r\nLtFlag=1\r\nStandardKey=293A", 0), 0u);
    EXPECT_EQ(text.find(u"standardkey"), std::u16string::npos);  // no second entry
}

TEST(ProfileFile, SectionOnlyFileGivesEmptyNamesMinusOneAndUntouchedStructures) {
    MemoryFileSystem files;
    files.PutFile(u"p.gkp", "[Setting]\r\n");
    auto r = DefaultRecord(0);
    const auto before = std::make_unique<ProfileRecord>(*r);
    ASSERT_TRUE(ReadProfileFile(*r, u"p.gkp", files));
    EXPECT_EQ(ArrayText(r->ProFileName), u"");
    EXPECT_EQ(ArrayText(r->GameFile), u"");
    EXPECT_EQ(r->MediaOption, -1);
    EXPECT_EQ(r->LtFlag, -1);
    EXPECT_EQ(r->PollingRate, -1);
    for (int v : r->ModifyKey) EXPECT_EQ(v, -1);
    EXPECT_EQ(std::memcmp(r->standardKey, before->standardKey, sizeof r->standardKey), 0);
    EXPECT_EQ(std::memcmp(r->MacroKeyInfo, before->MacroKeyInfo, sizeof r->MacroKeyInfo), 0);
    EXPECT_EQ(std::memcmp(r->GKey, before->GKey, sizeof r->GKey), 0);

    auto missing = DefaultRecord(0);
    EXPECT_FALSE(ReadProfileFile(*missing, u"absent.gkp", files));
    EXPECT_EQ(missing->iRGBRed, -1);
    EXPECT_EQ(std::memcmp(missing->GKey, before->GKey, sizeof missing->GKey), 0);
}

TEST(ProfileFile, DamagedStructureKeepsItsFieldOthersStillRead) {
    MemoryFileSystem files;
    auto written = BusyRecord();
    ASSERT_TRUE(WriteProfileFile(*written, u"p.gkp", files));
    std::u16string text = DecodeIniBytes(files.Bytes(u"p.gkp"));
    const size_t gkey = text.find(u"GKey=") + 5 + 16;  // the checksum digits
    text[gkey] = text[gkey] == u'0' ? u'1' : u'0';
    files.PutFile(u"p.gkp", EncodeUtf16Le(text));

    auto r = DefaultRecord(3);
    ASSERT_TRUE(ReadProfileFile(*r, u"p.gkp", files));
    EXPECT_EQ(std::memcmp(r->GKey, DefaultGKey, 8), 0);
    EXPECT_EQ(std::memcmp(r->standardKey, written->standardKey, sizeof r->standardKey), 0);
    EXPECT_EQ(r->iRGBRed, written->iRGBRed);
}

TEST(ProfileFile, HostileValuesYieldAValidRecord) {
    MemoryFileSystem files;
    MacroKeyInfo slot{};
    slot.byType = 3;
    slot.wEventCount = 9999;
    std::fill(std::begin(slot.szText), std::end(slot.szText), u'x');
    std::fill(std::begin(slot.szPath), std::end(slot.szPath), u'y');
    IniDocument doc;
    doc.SetString(u"Setting", u"ProFileName", std::u16string(5000, u'n'));
    doc.SetString(u"Setting", u"GameFile", std::u16string(20000, u'g'));
    doc.SetString(u"Setting", u"PollingRate", u"2000000000");
    doc.SetStruct(u"Setting", u"MacroKeyInfo4", &slot, sizeof slot);
    files.PutFile(u"p.gkp", doc.ToBytes());

    auto r = DefaultRecord(0);
    ASSERT_TRUE(ReadProfileFile(*r, u"p.gkp", files));
    EXPECT_EQ(ArrayText(r->ProFileName).size(), 249u);
    EXPECT_EQ(ArrayText(r->GameFile).size(), 499u);
    EXPECT_EQ(r->PollingRate, 2000000000);
    EXPECT_EQ(r->MacroKeyInfo[4].wEventCount, 50);
    EXPECT_EQ(ArrayText(r->MacroKeyInfo[4].szText).size(), 19u);
    EXPECT_EQ(ArrayText(r->MacroKeyInfo[4].szPath).size(), 259u);
}

TEST(ProfileFile, NegativeIntegersSurviveAWriteAndARead) {
    MemoryFileSystem files;
    auto r = DefaultRecord(0);
    r->LtTimeout = -1;
    r->iRGBBlue = -2147483647;
    ASSERT_TRUE(WriteProfileFile(*r, u"p.gkp", files));
    auto back = ZeroRecord();
    ReadProfileFile(*back, u"p.gkp", files);
    EXPECT_EQ(back->LtTimeout, -1);
    EXPECT_EQ(back->iRGBBlue, -2147483647);
}
