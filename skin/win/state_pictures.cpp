#include "skin/win/state_pictures.h"

#include "skin/win/bitmap_btn.h"
#include "skin/win/skin_image.h"

namespace tavrel {

namespace {

// Index into the paths, and the picture of a button, of each state but Normal.
int StateIndex(BtnPicture state) {
    switch (state) {
    case BtnPicture::Over: return 0;
    case BtnPicture::Down: return 1;
    case BtnPicture::Disabled: return 2;
    case BtnPicture::Normal: break;
    }
    return -1;
}

win::UniqueBitmap& PictureOf(CBitmapBtn& button, BtnPicture state) {
    switch (state) {
    case BtnPicture::Over: return button.m_bmpOver;
    case BtnPicture::Down: return button.m_bmpDown;
    case BtnPicture::Disabled: return button.m_bmpDisabled;
    case BtnPicture::Normal: break;
    }
    return button.m_bmpNormal;
}

}  // namespace

StatePictures::StatePictures(std::u16string over, std::u16string down, std::u16string disabled,
                             UnreadableReport report)
    : paths_{std::move(over), std::move(down), std::move(disabled)}, report_(std::move(report)) {}

void StatePictures::Add(CBitmapBtn& button, const RECT& rect) { buttons_.push_back(Member{&button, rect}); }

void StatePictures::Cut(BtnPicture state) {
    const int index = StateIndex(state);
    if (index < 0 || done_[index]) return;
    done_[index] = true;
    if (paths_[index].empty()) return;
    win::UniqueBitmap image;
    SIZE size{};
    if (!LoadSkinImage(paths_[index], image, size)) {
        if (report_) report_(paths_[index]);
        return;
    }
    win::WindowDc screen(nullptr);
    BitmapCropper cropper(screen);
    for (Member& member : buttons_) cropper.Crop(PictureOf(*member.button, state), image.Get(), member.rect);
}

void StatePictures::TakeNormal(HDC dc, const win::UniqueBitmap& background, bool shared) {
    if (shared) {
        for (Member& member : buttons_) member.button->ShowBackgroundPart(background, member.rect);
        return;
    }
    BitmapCropper cropper(dc);
    for (Member& member : buttons_) cropper.Crop(member.button->m_bmpNormal, background.Get(), member.rect);
}

}  // namespace tavrel
