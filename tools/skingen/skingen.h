// The default skin generator's entry points, used by the skingen program and by
// the tests that check its output.
#pragma once

#include <filesystem>
#include <string>

namespace skingen {

// Writes the eleven layout files with their images and the two slider thumbs into
// skinsDir (created when missing). On failure returns false and names the file.
bool GenerateDefaultSkin(const std::filesystem::path& skinsDir, std::string* error);
// Writes the program's icons and list bitmaps into dir (created when missing).
bool GenerateProgramImages(const std::filesystem::path& dir, std::string* error);

}  // namespace skingen
