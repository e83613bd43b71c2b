#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "config/ini_encoding.h"
#include "config/ini_file.h"
#include "config/profile_file.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "tests/unit/support/ini_key_order.h"
#include "tests/unit/support/memory_file_system.h"

using namespace tavrel;
using tavrel::test::IniKeysInFileOrder;
using tavrel::test::MemoryFileSystem;

namespace {

const std::u16string kAppData = u"C:\\Users\\me\\AppData\\Roaming";
const std::u16string kFolder = kAppData + u"\\Orvane Gaming Keyboard\\";

struct Fixture {
    MemoryFileSystem files;
    FixedDataFolder folder{kAppData};
    Storage storage{files, folder};
    Fixture() { files.AddFolder(kAppData); }
};

std::unique_ptr<SharedConfig> ResetBlock() {
    auto c = std::make_unique<SharedConfig>();
    ResetConfig(*c);
    return c;
}

}  // namespace

TEST(DataFolder, AppDataPlusProgramFolderOrEmpty) {
    EXPECT_EQ(GetDataFolder(FixedDataFolder(kAppData)), kFolder);
    EXPECT_EQ(GetDataFolder(FixedDataFolder(u"")), u"");
    EXPECT_EQ(SettingsFilePath(kFolder), kFolder + u"config.ini");
    EXPECT_EQ(StandingProfilePath(kFolder, 3), kFolder + u"config\\Default3.gkp");
    EXPECT_EQ(MacroLibraryPath(u""), u"sequence.dat");
}

TEST(SettingsStore, EmptyDataFolderLoadsTheFourDefaults) {
    Fixture f;
    auto c = ResetBlock();
    EXPECT_TRUE(LoadConfiguration(*c, f.storage));
    auto defaults = std::make_unique<SharedConfig>();
    ResetConfig(*defaults);
    SetDefaultProfiles(*defaults);
    EXPECT_EQ(std::memcmp(c->profiles, defaults->profiles, sizeof c->profiles), 0);
    EXPECT_EQ(c->CurrentProfile, 0);  // -1 from the missing file, made usable
    EXPECT_EQ(c->KeyboardPlugIn, -1);
    EXPECT_EQ(f.files.FileCount(), 0u);  // nothing to copy into config.ini
}

TEST(SettingsStore, OnlyProfileTwoFromItsFileAndOnlyItsCopyInTheSettings) {
    Fixture f;
    f.files.AddFolder(kFolder);
    f.files.AddFolder(kFolder + u"config");
    auto custom = std::make_unique<ProfileRecord>();
    std::memset(custom.get(), 0, sizeof(ProfileRecord));
    SetDefaultProfile(*custom, 2);
    CopyToArray(custom->ProFileName, u"Racing");
    custom->iRGBGreen = 99;
    ASSERT_TRUE(WriteProfileFile(*custom, StandingProfilePath(kFolder, 2), f.files));
    f.files.PutFile(kFolder + u"config.ini", "[Setting]\r\nCurrentProfile=2\r\nKeyboardPlugIn=0\r\n");

    auto c = ResetBlock();
    LoadConfiguration(*c, f.storage);
    EXPECT_EQ(c->CurrentProfile, 2);
    EXPECT_EQ(c->KeyboardPlugIn, 0);
    EXPECT_EQ(std::memcmp(&c->profiles[2], custom.get(), sizeof(ProfileRecord)), 0);
    EXPECT_EQ(ArrayText(c->profiles[1].ProFileName), u"#2");

    const CIniFile settings(kFolder + u"config.ini", f.files);
    auto copy = std::make_unique<ProfileRecord>();
    EXPECT_TRUE(settings.GetStruct(u"Default2", u"Default2", copy.get(), sizeof(ProfileRecord)));
    EXPECT_EQ(std::memcmp(copy.get(), custom.get(), sizeof(ProfileRecord)), 0);
    for (const char16_t* other : {u"Default0", u"Default1", u"Default3"}) {
        EXPECT_FALSE(settings.HasValue(other, other));
    }
    EXPECT_EQ(settings.GetInt(u"Setting", u"KeyboardPlugIn", 7), 0);  // untouched
}

TEST(SettingsStore, CurrentProfileFromTheFileIsBroughtIntoRange) {
    const char* values[] = {"4", "-7", "2000000000", "x"};
    for (const char* v : values) {
        Fixture f;
        f.files.AddFolder(kFolder);
        f.files.PutFile(kFolder + u"config.ini", std::string("[Setting]\r\nCurrentProfile=") + v + "\r\n");
        auto c = ResetBlock();
        LoadConfiguration(*c, f.storage);
        EXPECT_EQ(c->CurrentProfile, 0) << v;
    }
}

TEST(SettingsStore, SaveOnAFreshMachineCreatesTheFoldersAndEveryFile) {
    Fixture f;
    auto c = ResetBlock();
    SetDefaultProfiles(*c);
    c->CurrentProfile = 3;
    c->KeyboardPlugIn = 1;
    CopyToArray(c->profiles[3].GameFile, u"D:\\game.exe");
    ASSERT_TRUE(SaveConfiguration(*c, f.storage));
    EXPECT_TRUE(f.files.HasFolder(kFolder));
    EXPECT_TRUE(f.files.HasFolder(kFolder + u"config"));

    auto back = ResetBlock();
    LoadConfiguration(*back, f.storage);
    EXPECT_EQ(back->CurrentProfile, 3);
    EXPECT_EQ(back->KeyboardPlugIn, 1);
    EXPECT_EQ(std::memcmp(back->profiles, c->profiles, sizeof c->profiles), 0);

    // The settings file's keys, in the order saving and loading write them.
    const std::vector<std::u16string> keys = {u"Setting/CurrentProfile", u"Setting/KeyboardPlugIn",
                                              u"Default0/Default0",      u"Default1/Default1",
                                              u"Default2/Default2",      u"Default3/Default3"};
    EXPECT_EQ(IniKeysInFileOrder(DecodeIniBytes(f.files.Bytes(kFolder + u"config.ini"))), keys);
}

TEST(SettingsStore, SaveKeepsOtherSettingsAndTheDefaultCopies) {
    Fixture f;
    auto c = ResetBlock();
    SetDefaultProfiles(*c);
    ASSERT_TRUE(SaveConfiguration(*c, f.storage));
    {
        CIniFile settings(kFolder + u"config.ini", f.files);
        settings.SetString(u"Profile2", u"FileName", u"exported");
        settings.SetStruct(u"Default0", u"Default0", &c->profiles[0], sizeof(ProfileRecord));
        ASSERT_TRUE(settings.Flush());
    }
    c->CurrentProfile = 1;
    ASSERT_TRUE(SaveConfiguration(*c, f.storage));
    const CIniFile settings(kFolder + u"config.ini", f.files);
    EXPECT_EQ(settings.GetInt(u"Setting", u"CurrentProfile", -1), 1);
    EXPECT_EQ(settings.GetString(u"Profile2", u"FileName"), u"exported");
    EXPECT_TRUE(settings.HasValue(u"Default0", u"Default0"));
}

TEST(SettingsStore, FailedSaveIsReportedAndLeavesTheOldFiles) {
    Fixture f;
    auto c = ResetBlock();
    SetDefaultProfiles(*c);
    ASSERT_TRUE(SaveConfiguration(*c, f.storage));
    const std::string before = f.files.Bytes(StandingProfilePath(kFolder, 0));
    c->profiles[0].iRGBRed = 1;
    f.files.failWrites = true;
    EXPECT_FALSE(SaveConfiguration(*c, f.storage));
    EXPECT_EQ(f.files.Bytes(StandingProfilePath(kFolder, 0)), before);
    EXPECT_EQ(c->profiles[0].iRGBRed, 1);

    Fixture noRights;
    noRights.files.failFolders = true;
    EXPECT_FALSE(SaveConfiguration(*c, noRights.storage));
}

TEST(SettingsStore, UnreadableProfileFileYieldsDefaultsAndIsNotOverwrittenByLoading) {
    Fixture f;
    f.files.AddFolder(kFolder);
    f.files.AddFolder(kFolder + u"config");
    f.files.PutFile(StandingProfilePath(kFolder, 1), "[Setting]\r\nProFileName=locked\r\n");
    f.files.unreadable.insert(StandingProfilePath(kFolder, 1));
    auto c = ResetBlock();
    LoadConfiguration(*c, f.storage);
    EXPECT_EQ(ArrayText(c->profiles[1].ProFileName), u"#2");
    EXPECT_EQ(f.files.Bytes(StandingProfilePath(kFolder, 1)), "[Setting]\r\nProFileName=locked\r\n");
}

TEST(SettingsStore, ProfileFileIsReadOverItsDefaultsSoDamagedStructuresKeepThem) {
    Fixture f;
    f.files.AddFolder(kFolder);
    f.files.AddFolder(kFolder + u"config");
    auto written = std::make_unique<ProfileRecord>();
    SetDefaultProfile(*written, 3);
    std::memset(written->standardKey, 0x2C, sizeof written->standardKey);
    std::memset(written->GKey, 0x2C, sizeof written->GKey);
    std::memset(written->apmLightInfo, 0x2C, sizeof written->apmLightInfo);
    written->MacroKeyInfo[5].wCode = 0x2C;
    written->MacroKeyInfo[6].wCode = 0x2D;
    written->iRGBRed = 7;
    ASSERT_TRUE(WriteProfileFile(*written, StandingProfilePath(kFolder, 3), f.files));
    std::u16string text = DecodeIniBytes(f.files.Bytes(StandingProfilePath(kFolder, 3)));
    // The value after key, up to the line's end, becomes `value`.
    const auto damage = [&text](std::u16string_view key, std::u16string_view value) {
        const size_t at = text.find(key);
        ASSERT_NE(at, std::u16string::npos) << Utf16ToUtf8(key);
        const size_t start = at + key.size();
        text.replace(start, text.find(u'\r', start) - start, value);
    };
    std::u16string badDigit(2 * (sizeof written->standardKey + 1), u'2');
    badDigit[40] = u'G';
    damage(u"standardkey=", badDigit);
    damage(u"GKey=", u"2C2C2C2C2C2C2C2C00");  // wrong checksum
    damage(u"apmLightInfo=", u"2C2C");          // cut short
    damage(u"MacroKeyInfo5=", u"");
    f.files.PutFile(StandingProfilePath(kFolder, 3), EncodeUtf16Le(text));

    auto c = ResetBlock();
    LoadConfiguration(*c, f.storage);
    auto defaults = std::make_unique<SharedConfig>();
    ResetConfig(*defaults);
    SetDefaultProfiles(*defaults);
    const ProfileRecord& loaded = c->profiles[3];
    const ProfileRecord& fallback = defaults->profiles[3];
    EXPECT_EQ(std::memcmp(loaded.standardKey, fallback.standardKey, sizeof loaded.standardKey), 0);
    EXPECT_EQ(std::memcmp(loaded.GKey, fallback.GKey, sizeof loaded.GKey), 0);
    EXPECT_EQ(std::memcmp(loaded.apmLightInfo, fallback.apmLightInfo, sizeof loaded.apmLightInfo), 0);
    EXPECT_EQ(std::memcmp(&loaded.MacroKeyInfo[5], &fallback.MacroKeyInfo[5], sizeof(MacroKeyInfo)), 0);
    // Only the damaged entries fall back: the rest of the file is read as written.
    EXPECT_EQ(loaded.MacroKeyInfo[6].wCode, written->MacroKeyInfo[6].wCode);
    EXPECT_EQ(loaded.iRGBRed, 7);
}
