#include "config/profile_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "config/ini_encoding.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "tests/unit/support/memory_file_system.h"

using namespace tavrel;
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

}  // namespace

TEST(ProfileFile, TableCoversEveryStoredByteInWriterOrder) {
    size_t covered = 0;
    for (const ProfileFileEntry& e : ProfileFileEntries()) covered += e.size * static_cast<size_t>(e.count);
    // Everything but the four reserved gaps (4 + 4 + 2 + 4 bytes).
    EXPECT_EQ(covered, sizeof(ProfileRecord) - 14);
    EXPECT_EQ(std::u16string(ProfileFileEntries().front().writeKey), u"ProFileName");
    EXPECT_EQ(std::u16string(ProfileFileEntries().back().writeKey), u"apmLightInfo");
}

TEST(ProfileFile, WritesKeysInTableOrderWithTheWritersSpellings) {
    MemoryFileSystem files;
    auto r = DefaultRecord(0);
    ASSERT_TRUE(WriteProfileFile(*r, u"p.gkp", files));
    const std::u16string text = DecodeIniBytes(files.Bytes(u"p.gkp"));
    EXPECT_EQ(text.rfind(u"[Setting]\r\nProFileName=#1\r\nGameFile=\r\nMediaOption=0\r\nHDDKeyboard=1\r\n", 0), 0u);
    EXPECT_NE(text.find(u"\r\nLtFlag=1\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"\r\nstandardkey=293A3B"), std::u16string::npos);
    EXPECT_NE(text.find(u"\r\nModifyKey5=1\r\nstandardkey="), std::u16string::npos);
    EXPECT_NE(text.find(u"\r\nMacroKeyInfo31="), std::u16string::npos);
    const size_t line = text.find(u"MacroKeyInfo0=") + 14;
    EXPECT_EQ(text.find(u"\r\n", line) - line, 1562u);
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
