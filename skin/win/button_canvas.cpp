#include "skin/win/button_canvas.h"

#include <algorithm>

namespace tavrel {

HDC ButtonCanvas::Get(HDC reference, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    if (!canvas_ || width > size_.cx || height > size_.cy) {
        const SIZE grown{std::max(width, static_cast<int>(size_.cx)), std::max(height, static_cast<int>(size_.cy))};
        canvas_.emplace(reference, grown.cx, grown.cy);
        if (!canvas_->HoldsPicture()) {
            canvas_.reset();
            size_ = SIZE{0, 0};
            return nullptr;
        }
        size_ = grown;
    }
    return canvas_->Get();
}

}  // namespace tavrel
