// The manifest the built program carries, read back from its resources: what Windows
// sees decides how the skinned windows are scaled on a high-DPI display.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "tests/win/support/stage_folder.h"

namespace {

// The text inside the first element called `name` ("<name ...>text</name>"), trimmed;
// nothing when the manifest has no such element.
std::optional<std::string> ElementText(const std::string& xml, const std::string& name) {
    for (size_t at = xml.find("<" + name); at != std::string::npos; at = xml.find("<" + name, at + 1)) {
        const char after = at + 1 + name.size() < xml.size() ? xml[at + 1 + name.size()] : '\0';
        if (after != ' ' && after != '>') continue;  // "<dpiAwareness" is not "<dpiAware"
        const size_t open = xml.find('>', at);
        const size_t close = xml.find('<', open);
        if (open == std::string::npos || close == std::string::npos) return std::nullopt;
        std::string text = xml.substr(open + 1, close - open - 1);
        const size_t first = text.find_first_not_of(" \t\r\n");
        const size_t last = text.find_last_not_of(" \t\r\n");
        return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    }
    return std::nullopt;
}

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
    EXPECT_EQ(ElementText(manifest, "dpiAware"), "false");
    EXPECT_EQ(ElementText(manifest, "gdiScaling"), "true");
    EXPECT_EQ(ElementText(manifest, "dpiAwareness"), std::nullopt);
    EXPECT_NE(manifest.find("http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true</gdiScaling>"), std::string::npos);
}
