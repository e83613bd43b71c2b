// Writes one window's layout file and its five full-window images.
#pragma once

#include <filesystem>
#include <string>

#include "tools/skingen/skin_design.h"

namespace skingen {

struct StateImages {
    Canvas mask, normal, down, over, disabled;
};

// The five images of a window, as the program loads them.
StateImages RenderWindow(const WindowDesign& design);
// The text of the window's layout file.
std::string LayoutFileText(const WindowDesign& design);
// Writes the layout file and the images into skinsDir; false on a write failure.
bool WriteWindowSkin(const WindowDesign& design, const std::filesystem::path& skinsDir);

}  // namespace skingen
