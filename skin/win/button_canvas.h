// The off-screen picture a window's skinned buttons draw their captions in. The
// buttons draw one at a time, so one picture, grown to the largest button drawn,
// serves them all: a new picture and device context at every drawing cost more under
// the platform than the drawing itself (its fresh pages above all), and a page paints
// a hundred buttons at once.
#pragma once

#include <windows.h>

#include <optional>

#include "window/win/handles.h"

namespace tavrel {

class ButtonCanvas {
public:
    ButtonCanvas() = default;
    ButtonCanvas(const ButtonCanvas&) = delete;
    ButtonCanvas& operator=(const ButtonCanvas&) = delete;

    // A memory device context holding a 32-bit picture of at least `width` x `height`,
    // whose pixels are left from the last drawing; nullptr when none can be made. It
    // stays valid until the next call.
    HDC Get(HDC reference, int width, int height);

private:
    std::optional<win::MemoryDc> canvas_;
    SIZE size_{0, 0};
};

}  // namespace tavrel
