#include "skin/win/button_canvas.h"

#include <algorithm>

namespace tavrel {

ButtonCanvas::~ButtonCanvas() {
    if (!dc_) return;
    if (defaultPicture_) SelectObject(dc_, defaultPicture_);
    DeleteDC(dc_);
}

HDC ButtonCanvas::Get(HDC reference, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (!dc_) dc_ = CreateCompatibleDC(reference);
    if (!dc_) return nullptr;
    if (width > size_.cx || height > size_.cy) {
        const SIZE grown{std::max(width, static_cast<int>(size_.cx)), std::max(height, static_cast<int>(size_.cy))};
        win::UniqueBitmap picture = win::CreatePixelBitmap(grown.cx, grown.cy);
        if (!picture) return nullptr;
        // The old picture is deselected before it is deleted.
        HGDIOBJ previous = SelectObject(dc_, picture.Get());
        if (!defaultPicture_) defaultPicture_ = previous;
        picture_ = std::move(picture);
        size_ = grown;
    }
    return dc_;
}

}  // namespace tavrel
