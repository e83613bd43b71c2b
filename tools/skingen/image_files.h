// Writers of the file formats the program reads: 24-bit BMP (skin images, slider
// thumbs, list icons) and ICO with 32-bit images (program icons).
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "tools/skingen/canvas.h"

namespace skingen {

// Each returns false when the file cannot be written completely.
bool WriteBmp(const std::filesystem::path& path, const Canvas& image);
bool WriteIco(const std::filesystem::path& path, const std::vector<Canvas>& images);
bool WriteTextFile(const std::filesystem::path& path, std::string_view text);

}  // namespace skingen
