// Our initialisation-file layer against the platform's private-profile functions, in
// both directions: files the platform writes (ANSI and UTF-16) read the same through
// CIniFile, and the profile, settings and macro library files we write read back
// byte for byte through the platform.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/folder_storage.h"
#include "config/ini_encoding.h"
#include "config/ini_file.h"
#include "config/macro_library.h"
#include "config/profile_file.h"
#include "config/settings_store.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "config/win/win32_storage.h"
#include "tests/win/support/config_platform_profile.h"
#include "tests/win/support/config_scratch_folder.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

void PutBytes(const std::u16string& path, const std::string& bytes) {
    Win32FileSystem files;
    ASSERT_TRUE(files.WriteWhole(path, bytes));
}

std::string FileBytes(const std::u16string& path) { return Win32FileSystem().ReadAll(path, 1 << 26).bytes; }

std::unique_ptr<ProfileRecord> ZeroRecord() {
    auto r = std::make_unique<ProfileRecord>();
    std::memset(r.get(), 0, sizeof(ProfileRecord));
    return r;
}

enum class Texts {
    Ascii,    // what the platform carries through an ANSI file
    Unicode,  // what it carries through a UTF-16 file
    // Enclosing quotes and blanks at both ends, which the platform's own writer loses
    // and ours keeps.
    Hard,
};

// Every stored byte set, integers at both ends of their range.
std::unique_ptr<ProfileRecord> BusyRecord(Texts texts) {
    auto r = ZeroRecord();
    auto* base = reinterpret_cast<uint8_t*>(r.get());
    uint8_t n = 7;
    for (const ProfileFileEntry& e : ProfileFileEntries()) {
        const size_t bytes = e.size * static_cast<size_t>(e.count);
        for (size_t i = 0; i < bytes; ++i) base[e.offset + i] = static_cast<uint8_t>(n += 13);
    }
    switch (texts) {
        case Texts::Ascii:
            CopyToArray(r->ProFileName, u"\"Race\" 'night' = [1]");
            CopyToArray(r->GameFile, u"C:\\Games\\Race [x]=1\\race.exe");
            break;
        case Texts::Unicode:
            CopyToArray(r->ProFileName, u"Ren\u00E9 \u4E2D\u6587 \U0001F3AE");
            CopyToArray(r->GameFile, u"C:\\\u30B2\u30FC\u30E0\\race.exe");
            break;
        case Texts::Hard:
            CopyToArray(r->ProFileName, u"\"Ren\u00E9 \u4E2D\"");
            CopyToArray(r->GameFile, u"  C:\\Games\\race.exe\t ");
            break;
    }
    r->MediaOption = -1;
    r->HDDKeyboard = INT32_MIN;
    r->LtFlag = -7;
    r->PollingRate = INT32_MAX;
    for (MacroKeyInfo& slot : r->MacroKeyInfo) {
        slot.szText[kSlotTextChars - 1] = 0;
        slot.szPath[kSlotPathChars - 1] = 0;
        slot.wEventCount = 50;
    }
    return r;
}

struct Query {
    const char16_t* section;
    const char16_t* key;
};

// Compares every reading of a key, string, integer and structures of a few sizes.
void ExpectSameReadings(const std::u16string& path, const std::u16string& what, std::initializer_list<Query> queries) {
    const CIniFile ours(path, DefaultFileSystem());
    for (const Query& q : queries) {
        const std::string where = Utf16ToUtf8(what + u" [" + q.section + u"] " + q.key);
        EXPECT_EQ(ours.GetString(q.section, q.key, u"dflt"), PlatformGetString(path, q.section, q.key, u"dflt")) << where;
        EXPECT_EQ(ours.GetInt(q.section, q.key, -99), PlatformGetInt(path, q.section, q.key, -99)) << where;
        for (size_t n : {size_t{1}, size_t{2}, size_t{4}, size_t{8}}) {
            uint8_t mine[8] = {}, theirs[8] = {};
            const bool okMine = ours.GetStruct(q.section, q.key, mine, n);
            const bool okTheirs = PlatformGetStruct(path, q.section, q.key, theirs, n);
            size_t length = 0;
            if (ours.Document().FindValue(q.section, q.key, &length) != nullptr && length != 2 * (n + 1)) {
                // Some platform versions decode the first digits of a longer value; a
                // structure of another length is damaged, so ours refuses it.
                EXPECT_FALSE(okMine) << where << " struct " << n;
                continue;
            }
            EXPECT_EQ(okMine, okTheirs) << where << " struct " << n;
            if (okMine && okTheirs) {
                EXPECT_EQ(std::memcmp(mine, theirs, n), 0) << where;
            }
        }
    }
}

const char kTrickyFile[] =
    "; leading comment\r\n"
    "orphan=before any section\r\n"
    "[Setting]\r\n"
    "  Spaced Key   =   spaced value   \r\n"
    "LtFlag =5\r\n"
    "standardkey=0102030406\r\n"
    "07=seven\r\n"
    "neg=-12\r\n"
    "big=2000000000\r\n"
    "huge=99999999999\r\n"
    "hex=0x1F\r\n"
    "mixed=12abc\r\n"
    "plus= +5\r\n"
    "quoted=\"42\"\r\n"
    "single='text'\r\n"
    "halfquote=\"open\r\n"
    "empty=\r\n"
    "novalue\r\n"
    "; comment=value\r\n"
    "# hash=value\r\n"
    "[broken\r\n"
    "a=b=c\r\n"
    "dup=first\r\n"
    "DUP=second\r\n"
    "lowerhex=0a0b0c0d2e\r\n"
    "mixedcase=0A0b0C0d2E\r\n"
    "badsum=0102030407\r\n"
    "nothex=01020304XY\r\n"
    "struct8=0102030405060708" "24\r\n"
    "\r\n"
    "   \r\n"
    "[Other]\r\n"
    "x=other\r\n"
    "[SETTING]\r\n"
    "late=only in the second section\r\n"
    "dup=third\r\n";

const std::initializer_list<Query> kTrickyQueries = {
    {u"", u"orphan"},          {u"Setting", u"Spaced Key"}, {u" setting ", u"  spaced key "},
    {u"Setting", u"LtFlag"},   {u"Setting", u"LtFlag "},    {u"Setting", u"standardKey"},
    {u"Setting", u"07"},       {u"Setting", u"7"},          {u"Setting", u"neg"},
    {u"Setting", u"big"},      {u"Setting", u"huge"},       {u"Setting", u"hex"},
    {u"Setting", u"mixed"},    {u"Setting", u"plus"},       {u"Setting", u"quoted"},
    {u"Setting", u"single"},   {u"Setting", u"halfquote"},  {u"Setting", u"empty"},
    {u"Setting", u"novalue"},  {u"Setting", u"; comment"},  {u"Setting", u"# hash"},
    {u"Setting", u"[broken"},  {u"Setting", u"a"},          {u"Setting", u"dup"},
    {u"Setting", u"lowerhex"}, {u"Setting", u"mixedcase"}, {u"Setting", u"badsum"},     {u"Setting", u"nothex"},
    {u"Setting", u"struct8"},  {u"Other", u"x"},            {u"Setting", u"late"},
    {u"Missing", u"x"},        {u"Setting", u"missing"},
};

}  // namespace

// ---- files written by hand or by the platform, read through both

TEST(PlatformCompat, HandWrittenFileReadsTheSameInAnsiAndUtf16) {
    ScratchFolder scratch;
    const std::u16string ansi = scratch.Path() + u"ansi.ini";
    const std::u16string unicode = scratch.Path() + u"unicode.ini";
    PutBytes(ansi, kTrickyFile);
    PutBytes(unicode, EncodeUtf16Le(Utf8ToUtf16(kTrickyFile)));
    ExpectSameReadings(ansi, u"ANSI", kTrickyQueries);
    ExpectSameReadings(unicode, u"UTF-16", kTrickyQueries);
}

TEST(PlatformCompat, ValuesWrittenByThePlatformReadTheSameThroughOurLayer) {
    ScratchFolder scratch;
    struct Target {
        std::u16string path;
        std::string start;  // the platform keeps a file's encoding
    } targets[] = {{scratch.Path() + u"ansi.ini", ""}, {scratch.Path() + u"unicode.ini", "\xFF\xFE"}};
    const uint8_t s1[1] = {0xFF};
    const uint8_t s8[8] = {1, 2, 3, 4, 250, 251, 252, 253};
    uint8_t s780[780];
    for (size_t i = 0; i < sizeof s780; ++i) s780[i] = static_cast<uint8_t>(i * 31);
    for (const Target& t : targets) {
        if (!t.start.empty()) PutBytes(t.path, t.start);
        ASSERT_TRUE(PlatformWriteString(t.path, u"Setting", u"ProFileName", u"Caf\u00E9 \"x\""));
        PlatformWriteString(t.path, u"Setting", u"LtFlag ", u"-1");
        PlatformWriteString(t.path, u"Setting", u"  Spaced  ", u"  lead and trail  ");
        PlatformWriteString(t.path, u"Setting", u"neg", u"-2147483648");
        PlatformWriteString(t.path, u"Setting", u"07", u"7");
        PlatformWriteString(t.path, u"Other", u"k", u"v1");
        PlatformWriteString(t.path, u"Setting", u"neg", u"-5");  // replaced in place
        PlatformWriteStruct(t.path, u"Setting", u"standardkey", s8, sizeof s8);
        PlatformWriteStruct(t.path, u"Setting", u"one", s1, sizeof s1);
        PlatformWriteStruct(t.path, u"Setting", u"MacroKeyInfo0", s780, sizeof s780);
        if (!t.start.empty()) {
            PlatformWriteString(t.path, u"Setting", u"wide", u"\u4E2D\u6587");
            EXPECT_EQ(FileBytes(t.path).substr(0, 2), "\xFF\xFE");
        }
        ExpectSameReadings(t.path, t.path,
                           {{u"Setting", u"ProFileName"}, {u"Setting", u"LtFlag"}, {u"Setting", u"Spaced"},
                            {u"Setting", u"neg"}, {u"Setting", u"7"}, {u"Setting", u"07"}, {u"Other", u"k"},
                            {u"Setting", u"standardKey"}, {u"Setting", u"one"}, {u"Setting", u"wide"}});
        const CIniFile ours(t.path, DefaultFileSystem());
        uint8_t back[780] = {};
        EXPECT_TRUE(ours.GetStruct(u"Setting", u"MacroKeyInfo0", back, sizeof back));
        EXPECT_EQ(std::memcmp(back, s780, sizeof s780), 0);
        EXPECT_EQ(ours.GetString(u"Setting", u"ProFileName"), u"Caf\u00E9 \"x\"");
        if (!t.start.empty()) {
            EXPECT_EQ(ours.GetString(u"Setting", u"wide"), u"\u4E2D\u6587");
        }
    }
}

TEST(PlatformCompat, ProfileWrittenByThePlatformReadsByteForByte) {
    ScratchFolder scratch;
    Win32FileSystem files;
    for (bool unicode : {false, true}) {
        const std::u16string path = scratch.Path() + (unicode ? u"u.gkp" : u"a.gkp");
        if (unicode) PutBytes(path, "\xFF\xFE");
        auto written = BusyRecord(unicode ? Texts::Unicode : Texts::Ascii);
        PlatformWriteProfileFile(*written, path);
        auto ours = ZeroRecord();
        ASSERT_TRUE(ReadProfileFile(*ours, path, files));
        EXPECT_EQ(std::memcmp(ours.get(), written.get(), sizeof(ProfileRecord)), 0) << unicode;
    }
}

// ---- files written by us, read through the platform

TEST(PlatformCompat, ProfileWeWriteReadsByteForByteThroughThePlatform) {
    ScratchFolder scratch;
    Win32FileSystem files;
    const std::u16string path = scratch.Path() + u"p.gkp";
    auto written = BusyRecord(Texts::Hard);
    ASSERT_TRUE(WriteProfileFile(*written, path, files));
    auto theirs = ZeroRecord();
    PlatformReadProfileFile(*theirs, path);
    EXPECT_EQ(std::memcmp(theirs.get(), written.get(), sizeof(ProfileRecord)), 0);

    // The platform writing into our file keeps it Unicode and we read its change.
    ASSERT_TRUE(PlatformWriteString(path, u"Setting", u"LtTimeout", u"-3"));
    EXPECT_EQ(FileBytes(path).substr(0, 2), "\xFF\xFE");
    auto again = ZeroRecord();
    ReadProfileFile(*again, path, files);
    EXPECT_EQ(again->LtTimeout, -3);
    EXPECT_EQ(ArrayText(again->ProFileName), ArrayText(written->ProFileName));
}

TEST(PlatformCompat, SettingsWeWriteReadThroughThePlatform) {
    ScratchFolder scratch;
    Win32FileSystem files;
    FixedDataFolder folder(scratch.Path() + u"AppData");
    files.CreateFolder(folder.AppDataFolder());
    const Storage storage{files, folder};
    auto config = std::make_unique<SharedConfig>();
    ResetConfig(*config);
    SetDefaultProfiles(*config);
    config->CurrentProfile = 3;
    config->KeyboardPlugIn = -1;
    config->profiles[1] = *BusyRecord(Texts::Hard);
    ASSERT_TRUE(SaveConfiguration(*config, storage));
    auto loaded = std::make_unique<SharedConfig>();
    ResetConfig(*loaded);
    LoadConfiguration(*loaded, storage);  // writes the Default%d copies

    const std::u16string dataFolder = GetDataFolder(folder);
    const std::u16string settings = SettingsFilePath(dataFolder);
    EXPECT_EQ(PlatformGetInt(settings, u"Setting", u"CurrentProfile", 9), 3);
    EXPECT_EQ(PlatformGetInt(settings, u"Setting", u"KeyboardPlugIn", 9), -1);
    for (int k = 0; k < kProfileCount; ++k) {
        const std::u16string name = u"Default" + FormatInt(k);
        auto copy = ZeroRecord();
        EXPECT_TRUE(PlatformGetStruct(settings, name, name, copy.get(), sizeof(ProfileRecord))) << k;
        EXPECT_EQ(std::memcmp(copy.get(), &config->profiles[k], sizeof(ProfileRecord)), 0) << k;
    }
    // And the whole configuration as the platform loads it.
    auto theirs = std::make_unique<SharedConfig>();
    ResetConfig(*theirs);
    PlatformLoadConfiguration(*theirs, dataFolder);
    EXPECT_EQ(std::memcmp(theirs->profiles, config->profiles, sizeof config->profiles), 0);
}

TEST(PlatformCompat, MacroLibraryReadsTheSameBothWays) {
    ScratchFolder scratch;
    Win32FileSystem files;
    FixedDataFolder folder(scratch.Path() + u"AppData");
    files.CreateFolder(folder.AppDataFolder());
    const Storage storage{files, folder};
    const std::u16string dataFolder = GetDataFolder(folder);

    MacroLibrary library;
    for (int i = 0; i < 12; ++i) {
        MacroRecord r{};
        CopyToArray(r.szName, i == 3 ? u" Spaced \u00E9" : u"Macro " + FormatInt(i));
        r.iRepeat = i * 20;
        r.iEventCount = i * 4 > 50 ? 50 : i * 4;
        for (int e = 0; e < r.iEventCount; ++e) {
            r.Events[e] = MacroEvent{static_cast<uint8_t>(0xF0 + e % 5), static_cast<uint8_t>(e % 2 + 1),
                                     static_cast<uint16_t>(65535 - e)};
        }
        library.Append(r);
    }
    ASSERT_TRUE(SaveMacroLibrary(library, storage));
    MacroLibrary theirs;
    PlatformLoadMacroLibrary(theirs, dataFolder);
    ASSERT_EQ(theirs.Count(), library.Count());
    for (int i = 0; i < library.Count(); ++i) {
        EXPECT_EQ(std::memcmp(theirs.At(i), library.At(i), sizeof(MacroRecord)), 0) << i;
    }

    PlatformSaveMacroLibrary(library, dataFolder);  // an ANSI file of the platform's
    MacroLibrary ours;
    ASSERT_TRUE(LoadMacroLibrary(ours, storage));
    ASSERT_EQ(ours.Count(), library.Count());
    for (int i = 0; i < library.Count(); ++i) {
        EXPECT_EQ(std::memcmp(ours.At(i), library.At(i), sizeof(MacroRecord)), 0) << i;
    }
}

TEST(PlatformCompat, ABlankEdgedProfileNameSurvivesTheProfileFileAnExportAndThePlatform) {
    // The platform's reader drops blanks around a value unless it is quoted, and drops
    // one pair of enclosing quotes: the writer quotes exactly the values that need it.
    ScratchFolder scratch;
    Win32FileSystem files;
    FixedDataFolder folder(scratch.Path() + u"AppData");
    files.CreateFolder(folder.AppDataFolder());
    MacroLibrary library;
    FolderStorage storage(Storage{files, folder}, library);
    auto config = std::make_unique<SharedConfig>();
    ResetConfig(*config);
    SetDefaultProfiles(*config);
    config->CurrentProfile = 2;

    for (const char16_t* name : {u" TEAM  A ", u"  lead", u"trail\t ", u"\"quoted\"", u"inner  blanks"}) {
        CopyToArray(config->profiles[2].ProFileName, name);
        const std::u16string profileFile = scratch.Path() + u"p.gkp";
        const std::u16string exported = scratch.Path() + u"Team file.gkp";
        ASSERT_TRUE(WriteProfileFile(config->profiles[2], profileFile, files));
        storage.ExportProfile(*config, exported);
        for (const std::u16string& path : {profileFile, exported}) {
            const std::string where = Utf16ToUtf8(path + u" <" + name + u">");
            EXPECT_EQ(PlatformGetString(path, u"Setting", u"ProFileName", u"-"), name) << where;
            auto ours = ZeroRecord();
            ASSERT_TRUE(ReadProfileFile(*ours, path, files));
            EXPECT_EQ(ArrayText(ours->ProFileName), name) << where;
        }
    }
}
