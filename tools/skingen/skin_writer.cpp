#include "tools/skingen/skin_writer.h"

#include <sstream>

#include "tools/skingen/image_files.h"
#include "tools/skingen/theme.h"

namespace skingen {

namespace {

Canvas RenderState(const WindowDesign& design, const Canvas& background, State state) {
    Canvas image = background;
    for (const Button& button : design.buttons) PaintButton(image, button, state);
    if (design.paintOverlay) design.paintOverlay(image, state);
    return image;
}

std::string ImageName(const WindowDesign& design, const char* suffix) {
    return design.imageStem + "_" + suffix + ".bmp";
}

}  // namespace

StateImages RenderWindow(const WindowDesign& design) {
    Canvas background(design.width, design.height, theme::kBody);
    if (design.paintBackground) design.paintBackground(background);

    StateImages images;
    images.mask = Canvas(design.width, design.height, theme::kMaskOutside);
    for (int y = 0; y < design.height; ++y)
        for (int x = 0; x < design.width; ++x)
            if (InsideOutline(design.width, design.height, design.cornerRadius, x, y))
                images.mask.Set(x, y, theme::kMaskInside);
    images.normal = RenderState(design, background, State::Normal);
    images.over = RenderState(design, background, State::Over);
    images.down = RenderState(design, background, State::Down);
    images.disabled = RenderState(design, background, State::Disabled);
    return images;
}

std::string LayoutFileText(const WindowDesign& design) {
    std::ostringstream out;
    out << "[SCREEN]\r\n";
    out << "Mask=" << ImageName(design, "mask") << "\r\n";
    out << "Normal=" << ImageName(design, "normal") << "\r\n";
    out << "Down=" << ImageName(design, "down") << "\r\n";
    out << "Over=" << ImageName(design, "over") << "\r\n";
    out << (design.disableKeyIsDisable ? "Disable=" : "Disabled=") << ImageName(design, "disabled") << "\r\n";
    out << "\r\n[BUTTONPOS]\r\n";
    for (const Button& b : design.buttons) {
        out << b.key << "=" << b.name << "," << b.rect.left << "," << b.rect.top << "," << b.rect.Width() << ","
            << b.rect.Height() << "," << ImageName(design, "normal") << "\r\n";
    }
    return out.str();
}

bool WriteWindowSkin(const WindowDesign& design, const std::filesystem::path& skinsDir) {
    StateImages images = RenderWindow(design);
    return WriteTextFile(skinsDir / design.layoutFile, LayoutFileText(design)) &&
           WriteBmp(skinsDir / ImageName(design, "mask"), images.mask) &&
           WriteBmp(skinsDir / ImageName(design, "normal"), images.normal) &&
           WriteBmp(skinsDir / ImageName(design, "down"), images.down) &&
           WriteBmp(skinsDir / ImageName(design, "over"), images.over) &&
           WriteBmp(skinsDir / ImageName(design, "disabled"), images.disabled);
}

}  // namespace skingen
