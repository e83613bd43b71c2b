#include "skin_default_loaded.h"

namespace skin_default_test {

std::optional<LoadedSkin> LoadSkin(const WindowSpec& window) {
    std::optional<IniFile> ini = ReadIni(SkinsDir() / window.layoutFile);
    if (!ini) return std::nullopt;
    LoadedSkin skin;
    skin.ini = *ini;
    for (const auto& [key, file] : skin.ini["SCREEN"])
        if (std::optional<Image> image = ReadBmp(SkinsDir() / file)) skin.images[key] = *image;
    for (const auto& [key, value] : skin.ini["BUTTONPOS"]) skin.entries[key] = ParseEntryRect(value);
    return skin;
}

std::vector<std::string> StateImageKeys(const WindowSpec& window) {
    return {"Normal", "Over", "Down", window.disableKey ? "Disable" : "Disabled"};
}

}  // namespace skin_default_test
