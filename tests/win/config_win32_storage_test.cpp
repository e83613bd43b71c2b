// The Win32 file system and data folder on the real platform.
#include "config/win/win32_storage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "config/ini_file.h"
#include "config/settings_store.h"
#include "config/shared_config.h"
#include "tests/win/support/config_scratch_folder.h"

using namespace tavrel;

TEST(Win32FileSystem, ReplacesWholeFilesAndLeavesNoTemporaryBehind) {
    test::ScratchFolder scratch;
    Win32FileSystem files;
    const std::u16string path = scratch.Path() + u"a.ini";
    EXPECT_EQ(files.ReadAll(path, 100).status, ReadStatus::NotFound);
    EXPECT_EQ(files.ReadAll(scratch.Path() + u"no\\a.ini", 100).status, ReadStatus::NotFound);
    EXPECT_TRUE(files.WriteWhole(path, "one"));
    EXPECT_TRUE(files.WriteWhole(path, "two"));
    EXPECT_EQ(files.ReadAll(path, 100).bytes, "two");
    EXPECT_TRUE(files.ReadAll(path, 2).bytes.empty());
    EXPECT_EQ(scratch.FileCount(), 1);
    EXPECT_FALSE(files.WriteWhole(scratch.Path() + u"missing\\a.ini", "x"));
    EXPECT_TRUE(files.Exists(path));
    EXPECT_TRUE(files.Remove(path));
    EXPECT_FALSE(files.Exists(path));
}

TEST(Win32FileSystem, AReadOnlyFileIsNotReplacedAndTheFailureIsReported) {
    test::ScratchFolder scratch;
    Win32FileSystem files;
    const std::u16string path = scratch.Path() + u"ro.ini";
    ASSERT_TRUE(files.WriteWhole(path, "old"));
    ASSERT_TRUE(SetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.WriteWhole(path, "new"));
    EXPECT_EQ(files.ReadAll(path, 100).bytes, "old");
    EXPECT_EQ(scratch.FileCount(), 1);
    SetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32FileSystem, FoldersAreCreatedOnceAndExistingOnesAreFine) {
    test::ScratchFolder scratch;
    Win32FileSystem files;
    EXPECT_TRUE(files.CreateFolder(scratch.Path() + u"sub\\"));
    EXPECT_TRUE(files.CreateFolder(scratch.Path() + u"sub"));
    EXPECT_FALSE(files.CreateFolder(scratch.Path() + u"x\\y\\z"));
}

TEST(Win32DataFolder, PerUserApplicationDataFolder) {
    const std::u16string appData = Win32DataFolder().AppDataFolder();
    ASSERT_FALSE(appData.empty());
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(appData.c_str()));
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    const std::u16string folder = GetDataFolder(Win32DataFolder());
    EXPECT_EQ(folder, appData + u"\\Orvane Gaming Keyboard\\");
}

TEST(Win32Storage, SaveOnAFreshMachineCreatesTheDataFolderAndLoadsBack) {
    test::ScratchFolder scratch;
    Win32FileSystem files;
    FixedDataFolder folder(scratch.Path() + u"AppData");
    ASSERT_TRUE(files.CreateFolder(folder.AppDataFolder()));
    const Storage storage{files, folder};
    auto config = std::make_unique<SharedConfig>();
    ResetConfig(*config);
    SetDefaultProfiles(*config);
    config->CurrentProfile = 2;
    config->profiles[2].iRGBBlue = 17;
    ASSERT_TRUE(SaveConfiguration(*config, storage));
    auto back = std::make_unique<SharedConfig>();
    ResetConfig(*back);
    LoadConfiguration(*back, storage);
    EXPECT_EQ(back->CurrentProfile, 2);
    EXPECT_EQ(std::memcmp(back->profiles, config->profiles, sizeof config->profiles), 0);
}
