#include "skin_default_windows.h"

#include <stdexcept>

namespace skin_default_test {

namespace {

std::string S(int number) {
    auto it = LangStrings().find(number);
    return it == LangStrings().end() ? std::string() : it->second;
}

std::vector<std::string> Range(int first, int last) {
    std::vector<std::string> out;
    for (int n = first; n <= last; ++n) out.push_back(S(n));
    return out;
}

std::vector<std::string> Keys(int first, int last) {
    std::vector<std::string> out;
    for (int n = first; n <= last; ++n) out.push_back(std::to_string(n));
    return out;
}

TextSpec Text(std::string what, Rect r, int height, std::vector<std::string> texts,
              Placement placement = Placement::SingleLine, int weight = 400) {
    return TextSpec{std::move(what), r, kAccentText, height, weight, placement, std::move(texts), true};
}

WindowSpec DescribeWindow(std::string name, std::string layoutFile, bool disableKey = false, int width = 0, int height = 0) {
    WindowSpec w;
    w.name = std::move(name);
    w.layoutFile = std::move(layoutFile);
    w.disableKey = disableKey;
    w.width = width;
    w.height = height;
    return w;
}

constexpr int kPageWidth = 785;
constexpr int kPageHeight = 267;

WindowSpec MainWindow() {
    WindowSpec w = DescribeWindow("main window", "skin_Config.ini", true);
    w.buttonKeys = {"1", "2", "3", "4", "25", "10", "6", "7", "8", "9", "11", "12", "13", "15", "21", "22", "20", "16", "17"};
    w.fixedRects = {{1, 100, 1 + kPageWidth, 100 + kPageHeight}};  // the page area
    auto accent = [](std::string key, std::vector<std::string> texts) {
        return CaptionSpec{std::move(key), Scheme::Accent, Align::Centre, 0, false, false, std::move(texts)};
    };
    auto dark = [](std::string key, std::vector<std::string> texts) {
        return CaptionSpec{std::move(key), Scheme::Dark, Align::Centre, 0, false, false, std::move(texts)};
    };
    w.captions = {accent("1", {S(101)}), accent("2", {S(102)}), accent("3", {S(103)}), accent("4", {S(116)}),
                  dark("25", {S(115)}), accent("10", {S(104)}), accent("6", {S(105)}), accent("7", {S(106)}),
                  accent("8", {S(107)}), accent("9", {S(108)}), accent("11", {S(109) + " 1"}),
                  accent("12", {S(109) + " 2"}), accent("13", {S(109) + " 3"}), accent("15", {S(110)}),
                  dark("21", {S(112)}), dark("22", {S(113)}), dark("20", {S(111)})};
    return w;
}

WindowSpec KeyPage() {
    WindowSpec w = DescribeWindow("key settings page", "skin_main.ini", false, kPageWidth, kPageHeight);
    w.buttonKeys = Keys(40, 147);  // positions 0 to 107; 108 to 113 have no key
    return w;
}

WindowSpec MacroPage() {
    WindowSpec w = DescribeWindow("macro page", "Skin_Macro_control.ini", false, kPageWidth, kPageHeight);
    w.buttonKeys = Keys(4, 9);
    w.texts = {Text("page title 526", {39, 15, 400, 39}, 20, {S(526)}, Placement::FromPoint)};
    std::vector<std::string> actions = Range(504, 525);
    actions.push_back("Ctrl+Shift+F12");
    for (const std::string& key : w.buttonKeys)
        w.captions.push_back(CaptionSpec{key, Scheme::Dark, Align::Centre, 0, false, false, actions});
    return w;
}

WindowSpec AdvancedPage() {
    WindowSpec w = DescribeWindow("advanced page", "Skin_color_control.ini", false, kPageWidth, kPageHeight);
    w.buttonKeys = {"1", "0", "20"};
    w.texts = {Text("string 301", {73, 100, 300, 116}, 14, {S(301)}, Placement::FromPoint),
               Text("string 303", {435, 100, 662, 116}, 14, {S(303)}, Placement::FromPoint)};
    w.captions = {CaptionSpec{"1", Scheme::Dark, Align::Right, 0, false, false, {"500 HZ"}},
                  CaptionSpec{"0", Scheme::Dark, Align::Right, 0, false, false, {"1000 HZ"}},
                  CaptionSpec{"20", Scheme::Dark, Align::Centre, 0, false, false, {"1 ms", "2 ms"}}};
    return w;
}

WindowSpec LightingPage() {
    WindowSpec w = DescribeWindow("lighting page", "Skin_light_control.ini", false, kPageWidth, kPageHeight);
    w.buttonKeys = {"0", "1"};
    w.fixedRects = {
        {102, 75, 268, 239},   // palette
        {287, 75, 305, 239},   // hue bar
        {304, 66, 324, 250},   // hue slider
        {407, 142, 639, 156},  // red slider
        {407, 172, 639, 186},  // green slider
        {407, 202, 639, 216},  // blue slider
        {636, 156, 678, 173},  // red box
        {636, 185, 678, 201},  // green box
        {636, 214, 678, 231},  // blue box
        {348, 101, 513, 140},  // applied colour swatch
        {514, 101, 679, 140},  // edited colour swatch
    };
    w.texts = {Text("string 1101", {40, 42, 184, 64}, 14, {S(1101)}),
               Text("string 1102", {380, 42, 517, 64}, 14, {S(1102)}),
               Text("string 1103", {348, 79, 514, 101}, 14, {S(1103)}),
               Text("string 1104", {513, 79, 679, 101}, 14, {S(1104)}),
               Text("string 1109", {348, 155, 415, 177}, 14, {S(1109)}),
               Text("string 1110", {348, 185, 415, 207}, 14, {S(1110)}),
               Text("string 1111", {348, 214, 415, 236}, 14, {S(1111)})};
    w.captions = {
        CaptionSpec{"0", Scheme::Dark, Align::Centre, 0, false, false, {S(1105), S(1106), S(1107), S(1108), S(1112)}},
        CaptionSpec{"1", Scheme::Dark, Align::Centre, 0, false, false, {"3", "6", "9"}}};
    return w;
}

WindowSpec KeyAssignDialog() {
    WindowSpec w = DescribeWindow("key assignment dialog", "skin_swap_key.ini");
    w.buttonKeys = {"2", "3", "5", "4"};
    w.fixedRects = {{26, 136, 141, 151}};  // key field
    w.texts = {Text("string 400", {25, 33, 302, 57}, 17, {S(400)}),
               Text("string 401", {25, 90, 210, 112}, 17, {S(401)}),
               TextSpec{"current key name", {210, 90, 300, 112}, kBrightRedText, 17, 400, Placement::SingleLine,
                        {"Esc", "Num Enter", "Caps Lock"}, false}};
    w.captions = {CaptionSpec{"2", Scheme::Dark, Align::Centre, 0, false, false, {S(404)}},
                  CaptionSpec{"3", Scheme::Dark, Align::Centre, 0, false, false, {S(405)}},
                  CaptionSpec{"5", Scheme::Dark, Align::Centre, 0, false, false, {S(403)}}};
    return w;
}

WindowSpec ShortcutDialog() {
    WindowSpec w = DescribeWindow("shortcut dialog", "skin_Shortcut.ini");
    w.buttonKeys = {"2", "3", "4", "6", "7", "8", "9", "10"};
    w.fixedRects = {{105, 120, 176, 132}};  // key field
    // Each label runs from its point up to the switch or field after it.
    w.texts = {Text("title 600", {5, 26, 261, 43}, 18, {S(600)}, Placement::SingleLine, 700),
               Text("string 601", {60, 67, 86, 84}, 14, {S(601)}, Placement::FromPoint),
               Text("string 602", {130, 67, 162, 84}, 14, {S(602)}, Placement::FromPoint),
               Text("string 603", {188, 67, 220, 84}, 14, {S(603)}, Placement::FromPoint),
               Text("string 604", {250, 67, 278, 84}, 14, {S(604)}, Placement::FromPoint),
               Text("string 605", {58, 120, 103, 137}, 14, {S(605)}, Placement::FromPoint),
               Text("string 606", {180, 120, 276, 137}, 14, {S(606)}, Placement::FromPoint)};
    w.captions = {CaptionSpec{"2", Scheme::Dark, Align::Centre, 0, false, false, {S(607)}},
                  CaptionSpec{"3", Scheme::Dark, Align::Centre, 0, false, false, {S(608)}}};
    return w;
}

WindowSpec MacroManager() {
    WindowSpec w = DescribeWindow("macro manager", "skin_macro_manager.ini");
    w.buttonKeys = {"4", "5", "7", "8", "9", "1", "2", "3", "12", "13", "14"};
    w.controlKeys = {"6", "11"};
    w.fixedRects = {{270, 357, 355, 372}};  // repeat count box
    w.texts = {Text("title 900", {14, 15, 386, 57}, 18, {S(900)}, Placement::SingleLine, 700),
               Text("string 901", {14, 66, 406, 84}, 15, {S(901)}, Placement::FromPoint),
               Text("string 908", {286, 153, 368, 291}, 14, {S(908)}, Placement::Wrapped)};
    w.captions = {
        CaptionSpec{"4", Scheme::Dark, Align::Centre, 0, false, false, {S(902)}},
        CaptionSpec{"5", Scheme::Dark, Align::Centre, 0, false, false, {S(903)}},
        CaptionSpec{"7", Scheme::Dark, Align::Left, 30, false, false, {S(906), S(907)}},
        CaptionSpec{"1", Scheme::Dark, Align::Centre, 0, false, false, {S(910)}},
        CaptionSpec{"2", Scheme::Dark, Align::Left, 0, false, false, {S(911)}},
        CaptionSpec{"12", Scheme::Label, Align::Centre, 0, true, true, {S(904)}},
        CaptionSpec{"13", Scheme::Label, Align::Centre, 0, true, true, {S(905)}},
        CaptionSpec{"14", Scheme::Label, Align::Left, 0, true, true, {S(909)}},
    };
    return w;
}

WindowSpec GameLinkDialog() {
    WindowSpec w = DescribeWindow("game link dialog", "skin_Profile.ini");
    w.buttonKeys = {"4", "5", "6", "3"};
    w.controlKeys = {"1", "2"};
    auto wrapped = [](int n, Rect r, int h) {
        return Text("string " + std::to_string(n), r, h, {S(n)}, Placement::Wrapped);
    };
    w.texts = {wrapped(800, {24, 18, 345, 43}, 18),   wrapped(801, {24, 100, 307, 130}, 15),
               wrapped(803, {24, 170, 155, 200}, 15), wrapped(804, {24, 285, 117, 315}, 15),
               wrapped(805, {24, 311, 154, 341}, 15), wrapped(802, {24, 125, 307, 155}, 15),
               wrapped(808, {155, 170, 438, 200}, 15), wrapped(809, {117, 283, 377, 320}, 14),
               wrapped(810, {162, 311, 361, 399}, 14)};
    w.captions = {CaptionSpec{"4", Scheme::Dark, Align::Centre, 0, false, false, {S(806)}},
                  CaptionSpec{"5", Scheme::Dark, Align::Centre, 0, false, false, {S(807)}}};
    return w;
}

WindowSpec WaitingDialog() {
    WindowSpec w = DescribeWindow("waiting dialog", "skin_wait.ini");
    w.texts = {Text("string 1400", {5, 67, 300, 117}, 20, {S(1400)}, Placement::Wrapped, 600)};
    return w;
}

WindowSpec ResetWarningDialog() {
    WindowSpec w = DescribeWindow("warning dialog", "skin_reset_warn.ini");
    w.buttonKeys = {"1", "2", "3"};
    w.texts = {Text("title", {21, 9, 255, 30}, 18, {S(700), S(1000)}, Placement::Wrapped, 800),
               Text("message", {21, 42, 283, 96}, 14, {S(701), S(1001)}, Placement::Wrapped)};
    w.captions = {CaptionSpec{"1", Scheme::Dark, Align::Centre, 0, false, false, {S(702), S(1002)}},
                  CaptionSpec{"2", Scheme::Dark, Align::Centre, 0, false, false, {S(703), S(1003)}}};
    return w;
}

}  // namespace

std::vector<WindowSpec> AllWindowSpecs() {
    return {MainWindow(),      KeyPage(),        MacroPage(),      AdvancedPage(),
            LightingPage(),    KeyAssignDialog(), ShortcutDialog(), MacroManager(),
            GameLinkDialog(),  WaitingDialog(),  ResetWarningDialog()};
}

const WindowSpec& WindowByFile(const std::string& layoutFile) {
    static const std::vector<WindowSpec> all = AllWindowSpecs();
    for (const WindowSpec& w : all)
        if (w.layoutFile == layoutFile) return w;
    throw std::out_of_range(layoutFile);
}

}  // namespace skin_default_test
