// A window's default skin as the program reads it: layout file, the five images and
// the rectangles of its "BUTTONPOS" entries.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "skin_default_support.h"
#include "skin_default_windows.h"

namespace skin_default_test {

struct LoadedSkin {
    IniFile ini;
    std::map<std::string, Image> images;  // by "SCREEN" key: Mask, Normal, Down, Over, Disabled/Disable
    std::map<std::string, Rect> entries;  // "BUTTONPOS" key -> rectangle
    const Image& Mask() const { return images.at("Mask"); }
    const Image& Normal() const { return images.at("Normal"); }
};

// Nothing when the layout file is missing; missing images are simply absent.
std::optional<LoadedSkin> LoadSkin(const WindowSpec& window);

// The state image keys in the order normal, over, down, disabled.
std::vector<std::string> StateImageKeys(const WindowSpec& window);

}  // namespace skin_default_test
