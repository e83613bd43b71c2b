// The thumb picture of the slider and page tests: a background colour around a solid
// shape, so that its cut-out region can be checked.
#pragma once

#include <cstdint>
#include <string>

#include "tests/win/window_test_support.h"

namespace tavrel::test {

// Magenta background with a `body` block inset by one pixel on every side.
inline bool WriteThumbBmp(const std::wstring& path, int width, int height, uint32_t body = 0x000000) {
    return WriteBmp(path, width, height, [&](int x, int y) {
        const bool inside = x > 0 && y > 0 && x < width - 1 && y < height - 1;
        return inside ? body : 0xFF00FFu;
    });
}

}  // namespace tavrel::test
