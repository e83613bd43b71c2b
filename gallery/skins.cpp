// Bare skins: every window's layout file shown as a generic skinned window (size,
// outline, background and every "BUTTONPOS" button the file has), so that the skins
// can be looked at before, and independently of, the windows that use them.
#include "gallery/gallery.h"
#include "skin/win/skinned_window.h"

#include <array>

#include "config/text.h"
#include <memory>

namespace tavrel::gallery {

namespace {

constexpr UINT kNoTemplate = 0;  // the layer's empty pop-up template
constexpr int kHighestKey = 199;

class BareSkinWindow : public SkinnedWindow {
public:
    explicit BareSkinWindow(const SkinSource& desc) : SkinnedWindow(kNoTemplate, desc) {}

protected:
    void CreateSkinControls(SkinBuilder& skin) override {
        for (int key = 0; key <= kHighestKey; ++key) {
            if (skin.Value(u"BUTTONPOS", FormatInt(key)).empty()) continue;
            buttons_.push_back(std::make_unique<CBitmapBtn>());
            skin.CreateButton(*buttons_.back(), key);
        }
    }
    BOOL OnInitDialog() override {
        SetWindowTextW(Hwnd(), TitleFor(CurrentName()).c_str());
        return TRUE;
    }

private:
    std::vector<std::unique_ptr<CBitmapBtn>> buttons_;
};

struct BareSkin {
    const wchar_t* name;
    SkinSource desc;
};

const BareSkin kSkins[] = {
    {L"skin:main", {u"Skins\\skin_Config.ini", 101, 117, false, SkinDrag::Self, u"Disable", u"skins\\"}},
    {L"skin:keys", {u"Skins\\skin_main.ini", 0, -1, false, SkinDrag::Self}},
    {L"skin:key_assign", {u"Skins\\skin_swap_key.ini", 400, 406, true, SkinDrag::Self}},
    {L"skin:shortcut", {u"Skins\\skin_Shortcut.ini", 600, 608, true, SkinDrag::Self}},
    {L"skin:macro_page", {u"Skins\\Skin_Macro_control.ini", 500, 526, true, SkinDrag::Self}},
    {L"skin:macro_manager", {u"Skins\\skin_macro_manager.ini", 900, 925, false, SkinDrag::Self}},
    {L"skin:lighting", {u"Skins\\Skin_light_control.ini", 1100, 1113, false, SkinDrag::Self}},
    {L"skin:advanced", {u"Skins\\Skin_color_control.ini", 300, 308, true, SkinDrag::Self}},
    {L"skin:game_link", {u"Skins\\skin_Profile.ini", 800, 810, true, SkinDrag::Self}},
    {L"skin:waiting", {u"Skins\\skin_wait.ini", 1400, 1401, true, SkinDrag::None}},
    {L"skin:warning", {u"Skins\\skin_reset_warn.ini", 700, 704, true, SkinDrag::Self}},
};

const bool registered = [] {
    for (const BareSkin& skin : kSkins) {
        const SkinSource desc = skin.desc;
        Register(skin.name, [desc] {
            BareSkinWindow window(desc);
            return static_cast<int>(window.DoModal(nullptr));
        });
    }
    return true;
}();

}  // namespace

}  // namespace tavrel::gallery
