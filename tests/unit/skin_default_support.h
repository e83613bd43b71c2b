// Helpers of the default-skin tests: they run the generator once into a temporary
// folder and read its output back the way the program does, independently of the
// generator's own code (their own BMP and initialisation-file readers, Arial
// metrics, contrast formula). What the windows need is described in the tests'
// own tables, taken from what each window draws and where.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skin_default_test {

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Intersects(const Rect& o) const {
        return !Empty() && !o.Empty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};
std::string ToString(const Rect& r);

struct Image {
    int width = 0, height = 0;
    std::vector<Colour> pixels;  // top row first
    Colour At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// 24-bit uncompressed BMP, bottom-up or top-down; nothing when unreadable.
std::optional<Image> ReadBmp(const std::filesystem::path& path);

// One icon image of an ICO file: size and straight-alpha pixels.
struct IconImage {
    int width = 0, height = 0;
    std::vector<std::array<uint8_t, 4>> rgba;  // top row first
};
std::vector<IconImage> ReadIco(const std::filesystem::path& path);

// section -> key -> value; keys exactly as written.
using IniFile = std::map<std::string, std::map<std::string, std::string>>;
std::optional<IniFile> ReadIni(const std::filesystem::path& path);

// A "BUTTONPOS" entry "name,x,y,w,h,file" as the program parses it.
Rect ParseEntryRect(const std::string& value);

// The folders the generator wrote, once per test program.
const std::filesystem::path& SkinsDir();
const std::filesystem::path& ProgramImagesDir();

// WCAG contrast ratio of two colours.
double ContrastRatio(Colour a, Colour b);

// Advance width in pixels of an ASCII text in Arial at a cell height of `height`
// pixels (CreateFontW with a positive height), bold when weight >= 600.
double ArialTextWidth(const std::string& text, int height, int weight = 400);
// Number of lines DrawTextW with DT_WORDBREAK makes of the text in `width` pixels.
int WrappedLineCount(const std::string& text, int width, int height, int weight = 400);

// The language library's texts by string number, from its string table.
const std::map<int, std::string>& LangStrings();

}  // namespace skin_default_test
