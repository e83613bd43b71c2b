#include "tools/skingen/skingen.h"

#include <system_error>

#include "tools/skingen/default_windows.h"
#include "tools/skingen/program_images.h"
#include "tools/skingen/skin_writer.h"

namespace skingen {

namespace {

bool MakeFolder(const std::filesystem::path& dir, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec && !std::filesystem::is_directory(dir)) {
        if (error) *error = "cannot create " + dir.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

std::vector<WindowDesign> AllWindowDesigns() {
    return {MainWindowDesign(),  KeyPageDesign(),   MacroPageDesign(),    AdvancedPageDesign(),
            LightingPageDesign(), KeyAssignDesign(), ShortcutDesign(),     MacroManagerDesign(),
            GameLinkDesign(),     WaitingDesign(),   ResetWarningDesign()};
}

bool GenerateDefaultSkin(const std::filesystem::path& skinsDir, std::string* error) {
    if (!MakeFolder(skinsDir, error)) return false;
    for (const WindowDesign& design : AllWindowDesigns()) {
        if (!WriteWindowSkin(design, skinsDir)) {
            if (error) *error = "cannot write the skin of " + design.layoutFile;
            return false;
        }
    }
    if (!WriteThumbs(skinsDir)) {
        if (error) *error = "cannot write the slider thumbs";
        return false;
    }
    return true;
}

bool GenerateProgramImages(const std::filesystem::path& dir, std::string* error) {
    if (!MakeFolder(dir, error)) return false;
    if (!WriteProgramImages(dir)) {
        if (error) *error = "cannot write the program images into " + dir.string();
        return false;
    }
    return true;
}

}  // namespace skingen
