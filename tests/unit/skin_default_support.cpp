#include "skin_default_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "lang_strings_embedded.h"
#include "tools/skingen/skingen.h"

namespace skin_default_test {

namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | (b[at + 1] << 8)); }

// The generator's output, written once into a folder of its own and removed at exit.
class GeneratedOutput {
public:
    GeneratedOutput() {
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = std::filesystem::temp_directory_path() / ("tavrel_skin_default_" + std::to_string(stamp));
        std::string error;
        if (!skingen::GenerateDefaultSkin(root_ / "Skins", &error) ||
            !skingen::GenerateProgramImages(root_ / "images", &error))
            ADD_FAILURE() << "the generator failed: " << error;
    }
    ~GeneratedOutput() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    std::filesystem::path skins() const { return root_ / "Skins"; }
    std::filesystem::path images() const { return root_ / "images"; }

private:
    std::filesystem::path root_;
};

GeneratedOutput& Output() {
    static GeneratedOutput output;
    return output;
}

// Advance widths of ASCII 32..126 in thousandths of the em (Arial has the metrics
// of the classic sans-serif core font).
constexpr int kRegular[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' ' to '/'
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                // digits
    278, 278, 584, 584, 584, 556, 1015,                                              // ':' to '@'
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667, 611,
    722, 667, 944, 667, 667, 611,                                                    // 'A' to 'Z'
    278, 278, 278, 469, 556, 333,                                                    // '[' to '`'
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, 556, 556, 333, 500, 278,
    556, 500, 722, 500, 500, 500,                                                    // 'a' to 'z'
    334, 260, 334, 584};
constexpr int kBold[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,
    333, 333, 584, 584, 584, 611, 975,
    722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778, 667, 778, 722, 667, 611,
    722, 667, 944, 667, 667, 611,
    333, 278, 333, 584, 556, 333,
    556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611, 611, 611, 389, 556, 333,
    611, 556, 778, 556, 556, 500,
    389, 280, 389, 584};

// Arial's cell (ascent + descent) is 2288 units of its 2048-unit em.
double EmPixels(int cellHeight) { return cellHeight * 2048.0 / 2288.0; }

double CharWidth(char c, int height, int weight) {
    const int* table = weight >= 600 ? kBold : kRegular;
    int index = static_cast<unsigned char>(c) - 32;
    int units = index >= 0 && index < 95 ? table[index] : 1000;
    return units * EmPixels(height) / 1000.0;
}

}  // namespace

std::string ToString(const Rect& r) {
    std::ostringstream out;
    out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
    return out.str();
}

std::optional<Image> ReadBmp(const std::filesystem::path& path) {
    std::vector<uint8_t> b = ReadAll(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
    const uint32_t offset = U32(b, 10);
    const int32_t width = static_cast<int32_t>(U32(b, 18));
    const int32_t rawHeight = static_cast<int32_t>(U32(b, 22));
    if (U16(b, 28) != 24 || U32(b, 30) != 0 || width <= 0 || rawHeight == 0) return std::nullopt;
    const int height = std::abs(rawHeight);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    if (offset + stride * height > b.size()) return std::nullopt;
    Image image{width, height, std::vector<Colour>(static_cast<size_t>(width) * height)};
    for (int row = 0; row < height; ++row) {
        const int y = rawHeight > 0 ? height - 1 - row : row;
        for (int x = 0; x < width; ++x) {
            size_t at = offset + row * stride + x * 3;
            image.pixels[static_cast<size_t>(y) * width + x] = Colour{b[at + 2], b[at + 1], b[at]};
        }
    }
    return image;
}

std::vector<IconImage> ReadIco(const std::filesystem::path& path) {
    std::vector<uint8_t> b = ReadAll(path);
    std::vector<IconImage> images;
    if (b.size() < 6 || U16(b, 0) != 0 || U16(b, 2) != 1) return images;
    const int count = U16(b, 4);
    for (int i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        if (entry + 16 > b.size()) return {};
        const uint32_t offset = U32(b, entry + 12);
        if (offset + 40 > b.size() || U16(b, offset + 14) != 32) return {};
        IconImage image;
        image.width = static_cast<int32_t>(U32(b, offset + 4));
        image.height = static_cast<int32_t>(U32(b, offset + 8)) / 2;
        const size_t pixels = offset + 40;
        if (pixels + size_t(image.width) * image.height * 4 > b.size()) return {};
        image.rgba.resize(size_t(image.width) * image.height);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                size_t at = pixels + (size_t(image.height - 1 - y) * image.width + x) * 4;
                image.rgba[size_t(y) * image.width + x] = {b[at + 2], b[at + 1], b[at], b[at + 3]};
            }
        images.push_back(std::move(image));
    }
    return images;
}

std::optional<IniFile> ReadIni(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    IniFile ini;
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            ini[section];
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        ini[section][line.substr(0, eq)] = line.substr(eq + 1);
    }
    return ini;
}

Rect ParseEntryRect(const std::string& value) {
    size_t comma = value.find(',');
    std::string rest = comma == std::string::npos ? value : value.substr(comma + 1);
    int f[4] = {0, 0, 0, 0};
    std::istringstream in(rest);
    for (int i = 0; i < 4; ++i) {
        if (!(in >> f[i])) break;
        if (in.peek() != ',') break;
        in.get();
    }
    return Rect{f[0], f[1], f[0] + f[2], f[1] + f[3]};
}

const std::filesystem::path& SkinsDir() {
    static const std::filesystem::path dir = Output().skins();
    return dir;
}

const std::filesystem::path& ProgramImagesDir() {
    static const std::filesystem::path dir = Output().images();
    return dir;
}

double ContrastRatio(Colour a, Colour b) {
    auto luminance = [](Colour c) {
        auto channel = [](uint8_t v) {
            double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
    };
    double la = luminance(a), lb = luminance(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

double ArialTextWidth(const std::string& text, int height, int weight) {
    double width = 0;
    for (char c : text) width += CharWidth(c, height, weight);
    return width;
}

int WrappedLineCount(const std::string& text, int width, int height, int weight) {
    std::istringstream words(text);
    std::string word;
    int lines = 0;
    double line = -1;  // width of the current line; -1 when no line is open
    const double space = CharWidth(' ', height, weight);
    while (words >> word) {
        double w = ArialTextWidth(word, height, weight);
        if (line >= 0 && line + space + w <= width) {
            line += space + w;
        } else {
            ++lines;
            line = w;
        }
    }
    return lines;
}

const std::map<int, std::string>& LangStrings() {
    static const std::map<int, std::string> strings = [] {
        std::map<int, std::string> out;
        std::istringstream in(kLangStringsRc);
        std::string line;
        bool inTable = false;
        const std::regex entry(R"re(^\s*(\d+)\s*,?\s*"((?:[^"]|"")*)"\s*$)re");
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find("BEGIN") != std::string::npos) inTable = true;
            if (line.find("END") != std::string::npos) inTable = false;
            std::smatch m;
            if (inTable && std::regex_match(line, m, entry)) {
                std::string text = std::regex_replace(m[2].str(), std::regex("\"\""), "\"");
                out[std::stoi(m[1].str())] = text;
            }
        }
        return out;
    }();
    return strings;
}

}  // namespace skin_default_test
