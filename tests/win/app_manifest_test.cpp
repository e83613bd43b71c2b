// The manifest the built program carries, read back from its resources: what Windows
// sees decides how the skinned windows are scaled on a high-DPI display.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/win/support/stage_folder.h"

namespace {

std::string ProgramManifest() {
    const std::wstring exe = tavrel::test::StagedFile(L"Tavrel.exe");
    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!image) return {};
    std::string text;
    if (HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /*RT_MANIFEST*/)) {
        if (HGLOBAL loaded = LoadResource(image, found)) {
            text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(image, found));
        }
    }
    FreeLibrary(image);
    return text;
}

}  // namespace

TEST(AppManifest, TheProgramIsDpiUnawareWithGdiScaling) {
    const std::string manifest = ProgramManifest();
    ASSERT_FALSE(manifest.empty()) << "no manifest 1 in the staged Tavrel.exe";
    // Unaware: Windows scales the windows to the display; GDI scaling draws their text
    // sharp. Any awareness declared beside it would switch the scaling off.
    EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find("http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true</gdiScaling>"), std::string::npos);
    EXPECT_EQ(manifest.find("<dpiAwareness"), std::string::npos);
}
