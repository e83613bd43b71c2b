// The over, pressed and disabled pictures of a window's skinned buttons, cut the
// first time one of its buttons shows that state. Most buttons start and stay in
// their normal look: decoding three more window-sized images and cutting three more
// pictures per button at every start (the key page has 114 buttons) would be most of
// a window's creation. When a state is first wanted, its image is decoded once and
// the picture of every button of the window is cut from it; the image is then
// released, as it would have been after creation.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/bitmap_btn_model.h"
#include "window/win/handles.h"

namespace tavrel {

class CBitmapBtn;

class StatePictures {
public:
    // Told the full path of a picture that can no longer be read when first wanted.
    using UnreadableReport = std::function<void(const std::u16string& path)>;

    // The files of the window's over, down and disabled images (full paths; empty for
    // a picture the layout names none of).
    StatePictures(std::u16string over, std::u16string down, std::u16string disabled, UnreadableReport report);
    StatePictures(const StatePictures&) = delete;
    StatePictures& operator=(const StatePictures&) = delete;

    // `button` takes its pictures of the three states from here, at `rect` in the window.
    void Add(CBitmapBtn& button, const RECT& rect);
    // Cuts `state`'s picture of every button added; once per state. A named image
    // that cannot be read is reported once, and its pictures stay empty: the buttons
    // then draw their normal look. Normal is never cut here.
    void Cut(BtnPicture state);
    // Gives every button added its normal picture once the window has read its
    // `background`: a copy of its part, or with `shared` the part itself (for a window
    // that never draws on its background).
    void TakeNormal(HDC dc, const win::UniqueBitmap& background, bool shared);

private:
    struct Member {
        CBitmapBtn* button;
        RECT rect;
    };
    std::u16string paths_[3];
    bool done_[3] = {false, false, false};
    UnreadableReport report_;
    std::vector<Member> buttons_;
};

}  // namespace tavrel
