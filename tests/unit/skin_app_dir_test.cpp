#include "skin/app_dir.h"

#include <gtest/gtest.h>

#include "config/text.h"

using namespace tavrel;

TEST(AppDir, ProgramFolderIsDriveAndDirectoryWithTheBackslash) {
    EXPECT_EQ(ProgramFolderOf(u"C:\\Program Files\\Orvane\\Tavrel.exe"), u"C:\\Program Files\\Orvane\\");
    EXPECT_EQ(ProgramFolderOf(u"\\\\server\\share\\Tavrel.exe"), u"\\\\server\\share\\");
    EXPECT_EQ(ProgramFolderOf(u"Z:/tmp/stage/gallery.exe"), u"Z:/tmp/stage/");
    EXPECT_EQ(ProgramFolderOf(u"C:Tavrel.exe"), u"C:");
    EXPECT_EQ(ProgramFolderOf(u"Tavrel.exe"), u"");
}

TEST(AppDir, SetAppDirAndAppPath) {
    SetAppDir(u"C:\\Apps\\Tavrel.exe");
    EXPECT_EQ(ArrayText(g_szAppDir), u"C:\\Apps\\");
    EXPECT_EQ(AppPath(u"Skins\\skin_wait.ini"), u"C:\\Apps\\Skins\\skin_wait.ini");
    // A folder too long for the 260-character field is not cut in the middle.
    SetAppDir(u"C:\\" + std::u16string(300, u'a') + u"\\x.exe");
    EXPECT_EQ(ArrayText(g_szAppDir), u"");
}
