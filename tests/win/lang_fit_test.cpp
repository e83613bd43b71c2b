// Every language library against the English one and against the room each window
// gives its texts. The rooms are the windows' own: skin button rectangles read from
// the run folder's layout files and laid out as the buttons lay out their captions,
// the rectangles the windows paint their texts into, and the popup menus' widths.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/buttons.h"
#include "app/win/profile_man_dialog.h"
#include "dialogs/warning_model.h"
#include "lighting/win/light_ctrl_panel.h"
#include "skin/bitmap_btn_model.h"
#include "skin/ex_menu_model.h"
#include "skin/skin_item.h"
#include "skin/win/skinned_window.h"
#include "tests/win/support/stage_folder.h"

namespace tavrel {
namespace {

// ---- the libraries

std::wstring StageFolder() { return test::FolderOfThisProgram() + L"stage\\"; }

struct Language {
    std::string code;
    std::wstring path;
};

std::vector<Language> Languages() {
    std::vector<Language> all{{"en", StageFolder() + L"lang.dll"}};
    std::stringstream list(TAVREL_LANGUAGE_LIST);
    for (std::string code; std::getline(list, code, ',');)
        all.push_back({code, StageFolder() + L"Languages\\lang_" + std::wstring(code.begin(), code.end()) + L".dll"});
    return all;
}

class Library {
public:
    explicit Library(const std::wstring& path) : m_module(LoadLibraryW(path.c_str())) {}
    ~Library() {
        if (m_module) FreeLibrary(m_module);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    bool Loaded() const { return m_module != nullptr; }
    std::wstring Text(int number) const {
        wchar_t buffer[520] = {};
        const int length = LoadStringW(m_module, static_cast<UINT>(number), buffer, 520);
        return std::wstring(buffer, static_cast<size_t>(std::max(length, 0)));
    }

private:
    HMODULE m_module;
};

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

TEST(LanguageLibraries, HoldEveryNumberOfTheEnglishOneEachNonEmpty) {
    const std::vector<Language> languages = Languages();
    const Library english(languages.front().path);
    ASSERT_TRUE(english.Loaded());
    std::vector<int> numbers;
    for (int n = 0; n < 0x10000; ++n)
        if (!english.Text(n).empty()) numbers.push_back(n);
    ASSERT_GT(numbers.size(), 100u);
    for (const Language& language : languages) {
        const Library library(language.path);
        ASSERT_TRUE(library.Loaded()) << language.code;
        for (int n : numbers) EXPECT_FALSE(library.Text(n).empty()) << language.code << " lacks string " << n;
    }
}

// ---- the rooms

// Where a text goes: its font, the width it may take and how many lines (0 for one
// line that must not wrap, else the lines a word-wrapped text may fill).
struct Room {
    int height = 13;
    int weight = 400;
    int width = 0;
    int lines = 0;
};

struct Placed {
    int number;
    Room room;
    std::wstring suffix;  // text the window appends (profile numbers)
};

SkinRect SkinEntry(const wchar_t* layoutFile, int key) {
    wchar_t value[8192] = {};
    const std::wstring path = StageFolder() + L"Skins\\" + layoutFile;
    GetPrivateProfileStringW(L"BUTTONPOS", std::to_wstring(key).c_str(), L"", value, 8192, path.c_str());
    SkinItem item;
    ParseSkinItem(reinterpret_cast<const char16_t*>(value), item);
    return item.rcPos;
}

int LinesIn(int height, int fontHeight) { return std::max(1, height / fontHeight); }

// A caption of a skinned button (13-pixel Arial), laid out as the button does.
Room ButtonRoom(const wchar_t* layoutFile, int key, int align = 0, int indent = 0, uint32_t lineFormat = kDtSingleLine,
                uint32_t vertFormat = kDtVCenter) {
    const SkinRect r = SkinEntry(layoutFile, key);
    const CaptionLayout layout =
        LayoutCaption(SkinRect{0, 0, r.right - r.left, r.bottom - r.top}, align, indent, lineFormat, vertFormat);
    Room room{13, 400, layout.rect.right - layout.rect.left, 0};
    if (lineFormat == kDtWordBreak) room.lines = LinesIn(layout.rect.bottom - layout.rect.top, 13);
    return room;
}

Room Painted(int height, int weight, int left, int right, int lines = 0) {
    return Room{height, weight, right - left, lines};
}

struct MenuGroup {
    std::vector<int> numbers;
    std::set<int> openers;  // items with a submenu arrow
    int minimumWidth = 0;
};

// The arrow of an item that opens a submenu begins 14 pixels from the menu's right
// edge (its icon is drawn 19 pixels in, the arrow 5 pixels into the icon); two more
// keep the text off it.
constexpr int kMenuArrowRoom = 16;
constexpr int kMenuTextLeft = 2;

std::vector<Placed> Placements(const Library& library) {
    std::vector<Placed> all;
    auto add = [&](int number, Room room) { all.push_back({number, room, L""}); };

    // Main window buttons, with the profile number the window appends.
    for (const MainButtonDef& b : kMainButtons) {
        if (b.captionString == 0) continue;
        all.push_back({b.captionString, ButtonRoom(L"skin_Config.ini", b.skinKey),
                       b.profileNumber > 0 ? L" " + std::to_wstring(b.profileNumber) : L""});
    }
    // Advanced page: card headings from their points to the card's picture.
    add(301, Painted(14, 400, 73, 329));
    add(303, Painted(14, 400, 435, 690));
    // Key assignment dialog.
    add(400, Painted(17, 400, 25, 302));
    add(401, Painted(17, 400, 25, 210));
    add(403, ButtonRoom(L"skin_swap_key.ini", 5));
    add(404, ButtonRoom(L"skin_swap_key.ini", 2));
    add(405, ButtonRoom(L"skin_swap_key.ini", 3));
    // Macro page: title, and the action names its key buttons show.
    add(526, Painted(20, 400, 39, 739));
    for (int n : {500, 504, 505, 506, 507, 508, 509, 510, 511, 513, 514, 515, 516, 517, 518, 519, 520, 521, 522,
                  525})
        add(n, ButtonRoom(L"Skin_Macro_control.ini", 4));
    // Shortcut dialog: the title, then labels from their points to the check box or
    // field that follows them.
    add(600, Painted(18, 700, 5, 261, 1));
    const struct {
        int number, x, key;
    } labels[] = {{601, 60, 7}, {602, 130, 8}, {603, 188, 9}, {604, 250, 10}, {606, 180, 6}};
    for (const auto& l : labels) add(l.number, Painted(14, 400, l.x, SkinEntry(L"skin_Shortcut.ini", l.key).left - 2));
    add(605, Painted(14, 400, 58, 105 - 2));  // the key field starts at 105
    add(607, ButtonRoom(L"skin_Shortcut.ini", 2));
    add(608, ButtonRoom(L"skin_Shortcut.ini", 3));
    // Warning dialog in both modes.
    for (int base : {700, 1000}) {
        add(base, Painted(kWarningTitleBox.fontHeight, kWarningTitleBox.fontWeight, kWarningTitleBox.left,
                          kWarningTitleBox.right, 1));
        const TextBox& box = kWarningMessageBox;
        add(base + 1, Painted(box.fontHeight, box.fontWeight, box.left, box.right,
                              LinesIn(box.bottom - box.top, box.fontHeight)));
        add(base + 2, ButtonRoom(L"skin_reset_warn.ini", kWarningOkKey));
        add(base + 3, ButtonRoom(L"skin_reset_warn.ini", kWarningCancelKey));
    }
    // Game link dialog: a text's lines end at its rectangle or where a text below it,
    // side by side with it, begins.
    for (const GameLinkText& t : kGameLinkTexts) {
        int bottom = t.rect.bottom;
        for (const GameLinkText& other : kGameLinkTexts)
            if (other.rect.top > t.rect.top && other.rect.left < t.rect.right && other.rect.right > t.rect.left)
                bottom = std::min<int>(bottom, other.rect.top);
        add(800 + t.entry,
            Painted(t.fontHeight, 400, t.rect.left, t.rect.right, LinesIn(bottom - t.rect.top, t.fontHeight)));
    }
    add(806, ButtonRoom(L"skin_Profile.ini", 4));
    add(807, ButtonRoom(L"skin_Profile.ini", 5));
    // Macro manager.
    add(900, Painted(18, 700, 14, 386));
    add(901, Painted(15, 400, 14, 420 - 14));
    add(902, ButtonRoom(L"skin_macro_manager.ini", 4));
    add(903, ButtonRoom(L"skin_macro_manager.ini", 5));
    add(904, ButtonRoom(L"skin_macro_manager.ini", 12, 0, 0, kDtWordBreak, 0));
    add(905, ButtonRoom(L"skin_macro_manager.ini", 13, 0, 0, kDtWordBreak, kDtVCenter));
    add(906, ButtonRoom(L"skin_macro_manager.ini", 7, 1, 30));
    add(907, ButtonRoom(L"skin_macro_manager.ini", 7, 1, 30));
    add(908, Painted(14, 400, 286, 368, LinesIn(291 - 153, 14)));
    add(909, ButtonRoom(L"skin_macro_manager.ini", 14, 1, 0, kDtWordBreak, 0));
    add(910, ButtonRoom(L"skin_macro_manager.ini", 1));
    add(911, ButtonRoom(L"skin_macro_manager.ini", 2, 1, 0));
    // Lighting page: its texts (the colour names end where their sliders begin), and
    // the effect button.
    for (const LightPageText& t : kLightPageTexts) {
        const int channel = t.string - 1109;
        const bool colourName = channel >= 0 && channel < 3;
        const int right = colourName ? std::min<int>(t.rect.right, kLightSliderRects[channel].left) : t.rect.right;
        add(t.string, Painted(14, 400, t.rect.left, right));
    }
    for (int n : {1105, 1106, 1107, 1108, 1112}) add(n, ButtonRoom(L"Skin_light_control.ini", 0));
    // Waiting dialog.
    add(1400, Painted(20, 600, 5, 300, LinesIn(117 - 67, 20)));

    // Popup menus (14-pixel Arial) are as wide as their longest text gives them.
    const MenuGroup menus[] = {
        {{501, 503, 512, 523, 524, 525}, {501, 503, 512}, 0},
        {{502}, {}, 0},
        {{504, 505, 506, 507, 508, 509, 510, 511}, {}, 0},
        {{513, 514, 515, 516, 517, 518, 519, 520, 521, 522}, {}, 0},
        {{912, 913, 914, 917, 915, 916}, {917}, 0},
        {{918, 919, 920, 921, 922}, {918, 919, 920, 921, 922}, 0},
        {{923, 924, 925}, {}, 0},
        {{1105, 1106, 1107, 1108, 1112}, {}, 135},
    };
    for (const MenuGroup& menu : menus) {
        int width = menu.minimumWidth;
        for (int n : menu.numbers) width = MenuWidthAfterAppend(width, library.Text(n).size());
        for (int n : menu.numbers)
            add(n, Room{14, 400, width - kMenuTextLeft - (menu.openers.count(n) ? kMenuArrowRoom : 0), 0});
    }
    return all;
}

// ---- measuring

struct Overflow {
    int width = 0;
    int lines = 0;
};

Overflow Measure(HDC dc, const std::wstring& text, const Room& room) {
    const win::UniqueFont font = CreateSkinFont(room.height, room.weight);
    const HGDIOBJ previous = SelectObject(dc, font.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT r{0, 0, room.lines ? room.width : 0, 0};
    const UINT format = DT_CALCRECT | DT_NOPREFIX | (room.lines ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SelectObject(dc, previous);
    const int lines = (r.bottom - r.top + metrics.tmHeight - 1) / std::max<int>(metrics.tmHeight, 1);
    return Overflow{(r.right - r.left) - room.width, room.lines ? lines - room.lines : 0};
}

TEST(LanguageLibraries, EveryTextFitsTheRoomItsWindowGivesIt) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    for (const Language& language : Languages()) {
        const Library library(language.path);
        ASSERT_TRUE(library.Loaded()) << language.code;
        for (const Placed& p : Placements(library)) {
            ASSERT_GT(p.room.width, 0) << "no room found for string " << p.number;
            const std::wstring text = library.Text(p.number) + p.suffix;
            const Overflow over = Measure(dc, text, p.room);
            EXPECT_TRUE(over.width <= 0 && over.lines <= 0)
                << language.code << " string " << p.number << " \"" << Utf8(text) << "\" overflows by " << over.width
                << " px" << (over.lines > 0 ? " and " + std::to_string(over.lines) + " line(s)" : std::string())
                << " (room " << p.room.width << " px, " << p.room.height << " px font)";
        }
    }
    DeleteDC(dc);
}

}  // namespace
}  // namespace tavrel
