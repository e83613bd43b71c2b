#include "app/folder_storage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "config/ini_encoding.h"
#include "config/ini_file.h"
#include "config/settings_store.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "tests/unit/support/ini_key_order.h"

using namespace tavrel;
using tavrel::test::IniKeysInFileOrder;
namespace fs = std::filesystem;

namespace {

std::u16string U(const fs::path& p) { return Utf8ToUtf16(p.string()); }

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Scratch {
    fs::path root;
    StdFileSystem files;
    std::unique_ptr<FixedDataFolder> folder;
    MacroLibrary library;
    std::unique_ptr<FolderStorage> storage;
    std::unique_ptr<SharedConfig> working = std::make_unique<SharedConfig>();

    Scratch() {
        root = fs::temp_directory_path() /
               ("tavrel_app_storage_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "export");
        fs::create_directories(root / "appdata");  // the platform folder always exists
        folder = std::make_unique<FixedDataFolder>(U(root / "appdata"));
        storage = std::make_unique<FolderStorage>(Storage{files, *folder}, library);
        ResetConfig(*working);
        SetDefaultProfiles(*working);
    }
    ~Scratch() { if (!::testing::Test::HasFailure()) fs::remove_all(root); }
    fs::path DataFolder() const { return root / "appdata" / "Orvane Gaming Keyboard"; }
};

}  // namespace

TEST(AppFolderStorage, ExportThenImportKeepsTheProfileAndRaisesTheImportFlags) {
    Scratch s;
    s.working->CurrentProfile = 1;
    CopyToArray(s.working->profiles[1].ProFileName, u"RACE NIGHT");
    s.working->profiles[1].iRGBRed = 200;
    s.working->profiles[1].standardKey[5] = 0x2C;
    const auto before = std::make_unique<SharedConfig>(*s.working);

    const fs::path chosen = s.root / "export" / "race.v2.gkp";
    s.storage->ExportProfile(*s.working, U(chosen));
    ASSERT_TRUE(fs::exists(chosen));
    const fs::path exportCopy = s.DataFolder() / "config" / "race.v2.gkp";
    ASSERT_TRUE(fs::exists(exportCopy));
    EXPECT_EQ(ReadBytes(exportCopy), ReadBytes(chosen));
    CIniFile settings(U(s.DataFolder() / "config.ini"), s.files);
    EXPECT_EQ(settings.GetString(u"Profile2", u"FileName"), u"race.v2");
    EXPECT_EQ(IniKeysInFileOrder(DecodeIniBytes(ReadBytes(s.DataFolder() / "config.ini"))),
              std::vector<std::u16string>{u"Profile2/FileName"});

    ASSERT_TRUE(s.storage->ImportProfile(*s.working, U(chosen)));
    EXPECT_TRUE(fs::exists(s.DataFolder() / "race.v2.gkp"));
    EXPECT_EQ(std::memcmp(&before->profiles, &s.working->profiles, sizeof(before->profiles)), 0);
    EXPECT_EQ(s.working->iProfileImported[1], 1);
    EXPECT_EQ(s.working->iLightChanged[1], 1);
    EXPECT_EQ(s.working->iStandardKeyChanged[1], 1);
    EXPECT_EQ(s.working->iModifyKeyChanged[1], 1);
    EXPECT_EQ(s.working->iMacroKeyChanged[1][31], 1);
    EXPECT_EQ(s.working->iProfileImported[0], 0);
}

TEST(AppFolderStorage, ExportOntoAnExistingFileLeavesNoOldEntries) {
    Scratch s;
    const fs::path chosen = s.root / "export" / "old.gkp";
    std::ofstream(chosen) << "[Setting]\r\nLeftover=1\r\n[Other]\r\nx=2\r\n";
    s.storage->ExportProfile(*s.working, U(chosen));
    CIniFile file(U(chosen), s.files);
    EXPECT_FALSE(file.HasValue(u"Setting", u"Leftover"));
    EXPECT_EQ(file.EntryCount(u"Other"), 0u);
    EXPECT_TRUE(file.HasValue(u"Setting", u"ProFileName"));
}

TEST(AppFolderStorage, AFailedExportRecordsAndCopiesNothing) {
    Scratch s;
    const fs::path chosen = s.root / "no such folder" / "x.gkp";
    s.storage->ExportProfile(*s.working, U(chosen));
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_FALSE(fs::exists(s.DataFolder() / "config" / "x.gkp"));
    EXPECT_FALSE(fs::exists(s.DataFolder() / "config.ini"));
}

TEST(AppFolderStorage, ImportOfAMissingFileChangesNothing) {
    Scratch s;
    const auto before = std::make_unique<SharedConfig>(*s.working);
    EXPECT_FALSE(s.storage->ImportProfile(*s.working, U(s.root / "export" / "missing.gkp")));
    EXPECT_EQ(std::memcmp(before.get(), s.working.get(), sizeof(SharedConfig)), 0);
    EXPECT_FALSE(fs::exists(s.DataFolder() / "missing.gkp"));
}

TEST(AppFolderStorage, AnExportNeverReplacesAnotherStoredProfile) {
    Scratch s;
    ASSERT_TRUE(SaveConfigurationTo(*s.working, U(s.DataFolder()) + u"/", s.files));
    const auto storedFile = [&s](int k) {
        return s.DataFolder() / "config" / ("Default" + std::to_string(k) + ".gkp");
    };
    std::vector<std::string> stored;
    for (int k = 0; k < kProfileCount; ++k) stored.push_back(ReadBytes(storedFile(k)));
    s.working->CurrentProfile = 2;
    CopyToArray(s.working->profiles[2].ProFileName, u"EXPORTED");

    const std::string data = s.DataFolder().string();
    struct Row {
        std::string path;
        int refusedFor;  // the stored profile the path names, -1 when the export may go ahead
    };
    std::vector<Row> rows = {
        {data + "/config/Default1.gkp", 1},
        {data + "/CONFIG/default1.GKP", 1},
        {data + "\\config\\\\Default0.gkp", 0},
        {(s.root / "export" / ".." / "appdata").string() + "/Orvane Gaming Keyboard/config/Default3.gkp", 3},
        {data + "/config/Default2.gkp", -1},  // the profile's own stored file
        {(s.root / "export" / "default0.gkp").string(), -1},
    };
    // The data folder reached through a link, where the platform makes links.
    std::error_code noLinks;
    fs::create_directory_symlink(s.root / "appdata", s.root / "linked", noLinks);
    if (!noLinks) rows.push_back({(s.root / "linked" / "Orvane Gaming Keyboard/config/Default0.gkp").string(), 0});
    for (const auto& row : rows) {
        EXPECT_EQ(s.storage->StoredProfileAt(2, Utf8ToUtf16(row.path)), row.refusedFor) << row.path;
        s.storage->ExportProfile(*s.working, Utf8ToUtf16(row.path));
    }
    // Neither a refused export nor the copy of one titled like a stored file touched
    // another profile's file; the profile's own file and the outside file were written.
    for (int k : {0, 1, 3}) {
        EXPECT_EQ(ReadBytes(storedFile(k)), stored[k]) << k;
    }
    EXPECT_NE(ReadBytes(storedFile(2)), stored[2]);
    EXPECT_TRUE(fs::exists(s.root / "export" / "default0.gkp"));
    // No copy beside the stored files either (where names differ in case).
    EXPECT_EQ(std::distance(fs::directory_iterator(s.DataFolder() / "config"), fs::directory_iterator()), 4);
}
