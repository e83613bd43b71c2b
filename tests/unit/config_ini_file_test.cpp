#include "config/ini_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "config/ini_encoding.h"
#include "tests/unit/support/memory_file_system.h"

using namespace tavrel;
using tavrel::test::MemoryFileSystem;

TEST(IniFile, MissingFileReadsEmptyAndIsCreatedByTheFirstFlush) {
    MemoryFileSystem files;
    CIniFile ini(u"a.ini", files);
    EXPECT_EQ(ini.Status(), ReadStatus::NotFound);
    EXPECT_EQ(ini.GetString(u"S", u"k", u"d"), u"d");
    EXPECT_EQ(ini.GetInt(u"S", u"k", -1), -1);
    EXPECT_TRUE(ini.Flush());  // nothing to write
    EXPECT_EQ(files.replaceCount, 0);
    ini.SetInt(u"S", u"k", 5);
    ini.SetString(u"S", u"n", u"x");
    EXPECT_TRUE(ini.Flush());
    EXPECT_EQ(files.replaceCount, 1);  // one write for the whole batch
    EXPECT_EQ(files.Bytes(u"a.ini"), EncodeUtf16Le(u"[S]\r\nk=5\r\nn=x\r\n"));
    EXPECT_TRUE(ini.Flush());
    EXPECT_EQ(files.replaceCount, 1);
}

TEST(IniFile, UnchangedValuesWriteNothing) {
    MemoryFileSystem files;
    files.PutFile(u"a.ini", "[S]\r\nk=5\r\n");
    CIniFile ini(u"a.ini", files);
    ini.SetInt(u"s", u"K", 5);
    EXPECT_TRUE(ini.Flush());
    EXPECT_EQ(files.replaceCount, 0);
    EXPECT_EQ(files.Bytes(u"a.ini"), "[S]\r\nk=5\r\n");  // an ANSI file stays as it was
}

TEST(IniFile, FailedWriteKeepsTheOldFileAndReportsIt) {
    MemoryFileSystem files;
    files.PutFile(u"a.ini", "[S]\r\nk=1\r\n");
    CIniFile ini(u"a.ini", files);
    files.failWrites = true;
    EXPECT_FALSE(ini.WriteString(u"S", u"k", u"2"));
    EXPECT_EQ(files.Bytes(u"a.ini"), "[S]\r\nk=1\r\n");
    files.failWrites = false;
    EXPECT_TRUE(ini.Flush());  // the change is still pending and goes out now
    EXPECT_EQ(CIniFile(u"a.ini", files).GetInt(u"S", u"k", -1), 2);
}

TEST(IniFile, AFileThatCannotBeReadIsNeverOverwritten) {
    MemoryFileSystem files;
    files.PutFile(u"a.ini", "[S]\r\nprecious=1\r\n");
    files.unreadable.insert(u"a.ini");
    CIniFile ini(u"a.ini", files);
    EXPECT_EQ(ini.Status(), ReadStatus::Failed);
    EXPECT_FALSE(ini.WriteString(u"S", u"k", u"2"));
    EXPECT_EQ(files.Bytes(u"a.ini"), "[S]\r\nprecious=1\r\n");
}

TEST(IniFile, EmptyStartRewritesTheWholeFile) {
    MemoryFileSystem files;
    files.PutFile(u"a.ini", "[S]\r\nold=1\r\n");
    CIniFile ini(u"a.ini", files, CIniFile::Start::Empty);
    EXPECT_FALSE(ini.HasValue(u"S", u"old"));
    EXPECT_TRUE(ini.Flush());
    EXPECT_EQ(files.Bytes(u"a.ini"), EncodeUtf16Le(u""));
}

TEST(IniFile, OversizedFilesReadAsEmpty) {
    MemoryFileSystem files;
    files.PutFile(u"a.ini", "[S]\r\nk=1\r\n" + std::string(kMaxIniFileBytes, 'x'));
    CIniFile ini(u"a.ini", files);
    EXPECT_EQ(ini.Status(), ReadStatus::Ok);
    EXPECT_EQ(ini.GetInt(u"S", u"k", -1), -1);
}

TEST(IniFile, StringsAreCappedAt8191Characters) {
    MemoryFileSystem files;
    CIniFile ini(u"a.ini", files);
    ini.SetString(u"S", u"k", std::u16string(9000, u'a'));
    EXPECT_EQ(ini.GetString(u"S", u"k").size(), 8191u);
}

// The standard-library file system on a real scratch folder, with the program's
// backslash paths.
class StdFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root = std::filesystem::temp_directory_path() /
               ("tavrel_ini_" + std::to_string(stamp) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(root);
        folder = root.u16string() + u"\\";
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    std::filesystem::path root;
    std::u16string folder;
    StdFileSystem files;
};

TEST_F(StdFileSystemTest, ReplacesWholeFilesAndLeavesNoTemporaryBehind) {
    const std::u16string path = folder + u"sub\\x.ini";
    EXPECT_EQ(files.ReadAll(path, 100).status, ReadStatus::NotFound);
    EXPECT_FALSE(files.WriteWhole(path, "a"));  // folder missing
    EXPECT_TRUE(files.CreateFolder(folder + u"sub\\"));
    EXPECT_TRUE(files.CreateFolder(folder + u"sub"));  // already there is fine
    EXPECT_TRUE(files.WriteWhole(path, "first"));
    EXPECT_TRUE(files.WriteWhole(path, "second"));
    const FileContent back = files.ReadAll(path, 100);
    EXPECT_EQ(back.status, ReadStatus::Ok);
    EXPECT_EQ(back.bytes, "second");
    EXPECT_EQ(files.ReadAll(path, 3).bytes, "");  // too large: Ok but empty
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(root / "sub")) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    EXPECT_TRUE(files.Exists(path));
    EXPECT_TRUE(files.Remove(path));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_FALSE(files.Remove(path));
}

TEST_F(StdFileSystemTest, IniFileThroughTheDefaultFileSystem) {
    const std::u16string path = folder + u"layout.ini";
    {
        std::ofstream out(root / "layout.ini", std::ios::binary);
        out << "[Main]\r\nbtnApply=10,20,30,40\r\n";
    }
    CIniFile ini(path);
    EXPECT_EQ(ini.GetString(u"main", u"BTNAPPLY"), u"10,20,30,40");
    EXPECT_EQ(ini.GetString(u"main", u"missing"), u"");
    EXPECT_TRUE(ini.WriteString(u"Main", u"extra", u"1"));
    EXPECT_EQ(CIniFile(path).GetString(u"Main", u"extra"), u"1");
    EXPECT_EQ(CIniFile(path).GetString(u"Main", u"btnApply"), u"10,20,30,40");
}
