// What a screen reader learns of every window through oleacc, in English and German:
// each window's accessible tree (every object shown has a role other than the bare
// client and window and a name; the current profile and page are checked and selected;
// a key's value follows a remap), the default actions taking the click's path, and
// objects held after their window is gone answering "not connected".
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "../unit/macros_test_doubles.h"
#include "app/folder_storage.h"
#include "app/win/profile_man_dialog.h"
#include "app/win/tavrel_dlg.h"
#include "config/data_folder.h"
#include "config/macro_library.h"
#include "config/shared_config.h"
#include "config/win/win32_storage.h"
#include "dialogs/win/warning_dialog.h"
#include "keys/fixed_keyboard_layouts.h"
#include "keys/key_codes.h"
#include "keys/keyboard_layout.h"
#include "keys/win/capture_hook.h"
#include "keys/win/dlg_key_assi.h"
#include "keys/win/dlg_shortcut.h"
#include "keys/win/system_keyboard_layout.h"
#include "macros/macro_key_menu.h"
#include "macros/win/dlg_macro_man.h"
#include "monitor/monitor_protocol.h"
#include "monitor/win/waiting_dialog.h"
#include "skin/app_dir.h"
#include "skin/ex_menu_model.h"
#include "skin/win/bitmap_btn.h"
#include "skin/win/ex_menu.h"
#include "skin/win/lang_library.h"
#include "skin/win/listbox_ex.h"
#include "tests/unit/support/link_doubles.h"
#include "tests/win/support/accessible_tree.h"
#include "tests/win/support/child_windows.h"
#include "tests/win/support/config_scratch_folder.h"
#include "tests/win/window_test_support.h"

using namespace tavrel;
using test::AccessibleNode;

namespace {

std::wstring W(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

struct Language {
    const char* code;
    const char16_t* library;
    const wchar_t* apply;    // the main window's Apply, as drawn
    const wchar_t* keys;     // the key page's tab
    const wchar_t* press;    // a button's default action
    const wchar_t* colour;   // the palette
};
void PrintTo(const Language& language, std::ostream* out) { *out << language.code; }
const Language kLanguages[] = {
    {"en", u"lang.dll", L"Apply", L"Keys", L"Press", L"Colour"},
    {"de", u"Languages\\lang_de.dll", L"Übernehmen", L"Tasten", L"Drücken", L"Farbe"},
};

// The run folder's skins and the language library under test, restored afterwards.
class Staged {
public:
    explicit Staged(const Language& language) {
        const std::wstring exe = test::StagedFile(L"Tavrel.exe");
        SetAppDir(std::u16string(exe.begin(), exe.end()));
        UseLanguageLibrary(language.library);
    }
    ~Staged() { UseLanguageLibrary(u"lang.dll"); }
};

// The rule every window keeps: every object shown says what it is and has a name.
void ExpectEveryObjectNamed(const std::vector<AccessibleNode>& nodes, const std::string& where) {
    ASSERT_FALSE(nodes.empty()) << where;
    for (const AccessibleNode& node : nodes) {
        EXPECT_NE(node.role, ROLE_SYSTEM_CLIENT) << where << ": " << ::testing::PrintToString(test::NodeLine(node));
        EXPECT_NE(node.role, ROLE_SYSTEM_WINDOW) << where << ": " << ::testing::PrintToString(test::NodeLine(node));
        EXPECT_FALSE(node.name.empty()) << where << ": a " << ::testing::PrintToString(test::RoleText(node.role))
                                        << " without a name";
    }
}

const AccessibleNode* Find(const std::vector<AccessibleNode>& nodes, long role, const std::wstring& name) {
    for (const AccessibleNode& node : nodes)
        if (node.role == role && node.name == name) return &node;
    return nullptr;
}

size_t CountRole(const std::vector<AccessibleNode>& nodes, long role) {
    size_t n = 0;
    for (const AccessibleNode& node : nodes) n += node.role == role;
    return n;
}

// What one window must show besides the common rule: objects by role and name.
struct Expected {
    long role;
    std::wstring name;
};
void ExpectObjects(const std::vector<AccessibleNode>& nodes, const std::vector<Expected>& table,
                   const std::string& where) {
    for (const Expected& e : table) {
        EXPECT_NE(Find(nodes, e.role, e.name), nullptr)
            << where << ": no " << ::testing::PrintToString(test::RoleText(e.role)) << " named "
            << ::testing::PrintToString(e.name);
    }
}

// No monitor: the files are the configuration, and a window with the monitor's title
// keeps the main window from starting the substitute one.
class NoMonitor final : public SectionlessMonitorPort {
public:
    NoMonitor() {
        standIn_.CreateEx(0, reinterpret_cast<const wchar_t*>(kMonitorWindowTitle), WS_POPUP, 0, 0, 1, 1, nullptr);
    }
    bool FindMonitorWindow() override { return false; }
    void PostMonitorCommand(uint64_t, int64_t) override {}

private:
    win::Window standIn_;
};

// A skinned window made modeless and shown, destroyed at the end.
template <typename Dialog>
bool Show(Dialog& dialog) {
    if (!dialog.Create(nullptr)) return false;
    ShowWindow(dialog.Hwnd(), SW_SHOWNOACTIVATE);
    test::PumpPending();
    return true;
}


// Windows whose client objects announced a change (out-of-context events arrive
// through this thread's message queue).
std::vector<HWND>& Events() {
    static std::vector<HWND> events;
    return events;
}
void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) Events().push_back(hwnd);
}

// The key assignment dialog, driven from a timer while its modal loop runs: its tree is
// read into `nodes`, Q is reported as the capture hook reports it, and OK is pressed by
// its default action.
struct KeyDialogWatch {
    std::vector<AccessibleNode>* nodes = nullptr;
    HWND mainWindow = nullptr;
};
KeyDialogWatch& Watch() {
    static KeyDialogWatch watch;
    return watch;
}
void CALLBACK DriveKeyDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    for (HWND hwnd : TopWindowsOf(GetCurrentProcessId(), L"#32770"))
        if (hwnd != Watch().mainWindow && IsWindowEnabled(hwnd)) dialog = hwnd;
    if (!dialog || !Watch().nodes) return;
    std::vector<AccessibleNode>& nodes = *std::exchange(Watch().nodes, nullptr);
    SendMessageW(dialog, WM_CAPTURED_KEY, 'Q', 0);
    nodes = test::WalkAccessibleTree(dialog);
    if (const AccessibleNode* ok = Find(nodes, ROLE_SYSTEM_PUSHBUTTON, W(LoadLangString(404)))) {
        test::DoAccessibleDefaultAction(*ok);
    } else {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
}

// The main window over a scratch data folder, without a monitor.
struct MainWindow {
    test::ScratchFolder data;
    Win32FileSystem files;
    FixedDataFolder folder{data.Path()};
    NoMonitor monitor;
    FolderStorage storage{Storage{files, folder}, g_MacroLibrary};
    CTavrelDlg dialog{monitor, storage};
};

class AccessibleWindows : public ::testing::TestWithParam<Language> {
protected:
    void TearDown() override { test::PumpPending(); }
    Staged staged_{GetParam()};
};

}  // namespace

// ---- the main window, each page shown through its tab's default action

TEST_P(AccessibleWindows, MainWindowNamesEveryControlOnEveryPageAndMarksTheCurrentOnes) {
    const Language& language = GetParam();
    MainWindow window;
    CTavrelDlg& main = window.dialog;
    ASSERT_TRUE(Show(main));

    std::vector<AccessibleNode> nodes = test::WalkAccessibleTree(main.Hwnd());
    ASSERT_FALSE(nodes.empty());
    EXPECT_EQ(nodes[0].role, ROLE_SYSTEM_DIALOG);
    const AccessibleNode* apply = Find(nodes, ROLE_SYSTEM_PUSHBUTTON, language.apply);
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ(apply->action, language.press);

    const std::vector<std::wstring> tabs = [&] {
        std::vector<std::wstring> names;
        for (const AccessibleNode& node : nodes)
            if (node.role == ROLE_SYSTEM_PAGETAB) names.push_back(node.name);
        return names;
    }();
    ASSERT_EQ(tabs.size(), 4u);
    EXPECT_EQ(tabs[0], language.keys);
    for (size_t page = 0; page < tabs.size(); ++page) {
        const std::string where = std::string(language.code) + " page " + std::to_string(page);
        ASSERT_EQ(test::DoAccessibleDefaultAction(*Find(nodes, ROLE_SYSTEM_PAGETAB, tabs[page])), S_OK) << where;
        ASSERT_TRUE(test::PumpUntil([&] {
            nodes = test::WalkAccessibleTree(main.Hwnd());
            const AccessibleNode* tab = Find(nodes, ROLE_SYSTEM_PAGETAB, tabs[page]);
            return tab && (tab->state & STATE_SYSTEM_SELECTED) && Find(nodes, ROLE_SYSTEM_PROPERTYPAGE, tabs[page]);
        })) << where;
        ExpectEveryObjectNamed(nodes, where);
        EXPECT_EQ(CountRole(nodes, ROLE_SYSTEM_PROPERTYPAGE), 1u) << where << ": only the shown page is read";
        // Exactly one profile, the current one, is checked; one tab is selected.
        size_t checkedProfiles = 0, selectedTabs = 0;
        for (const AccessibleNode& node : nodes) {
            checkedProfiles += node.role == ROLE_SYSTEM_RADIOBUTTON && node.depth == 1 && (node.state & STATE_SYSTEM_CHECKED);
            selectedTabs += node.role == ROLE_SYSTEM_PAGETAB && (node.state & STATE_SYSTEM_SELECTED);
        }
        EXPECT_EQ(checkedProfiles, 1u) << where;
        EXPECT_EQ(selectedTabs, 1u) << where;
        if (page == 0) {
            // The keys, by the names the page's layout gives them, each valued by the key
            // it sends (its own while nothing is remapped).
            const std::wstring escape = W(UsageName(DefaultStandardKey[0], SystemLayout()));
            const AccessibleNode* key = Find(nodes, ROLE_SYSTEM_PUSHBUTTON, escape);
            ASSERT_NE(key, nullptr) << where;
            EXPECT_EQ(key->value, escape);
            // The keys the skin places (108) and the window's eleven other push buttons.
            EXPECT_GE(CountRole(nodes, ROLE_SYSTEM_PUSHBUTTON), 108u + 11u) << where;
        }
        if (page == 2) {
            ExpectObjects(nodes, {{ROLE_SYSTEM_RADIOBUTTON, L"500 HZ"}, {ROLE_SYSTEM_RADIOBUTTON, L"1000 HZ"}}, where);
        }
        if (page == 3) {
            // Sliders and boxes by the colour names painted beside them; the hue and the
            // palette by words of their own.
            ExpectObjects(nodes,
                          {{ROLE_SYSTEM_GRAPHIC, language.colour},
                           {ROLE_SYSTEM_SLIDER, W(LoadLangString(1109))},
                           {ROLE_SYSTEM_SLIDER, W(LoadLangString(1111))},
                           {ROLE_SYSTEM_SLIDER, W(LoadLangString(1503))},
                           {ROLE_SYSTEM_TEXT, W(LoadLangString(1110))}},
                          where);
            const AccessibleNode* palette = Find(nodes, ROLE_SYSTEM_GRAPHIC, language.colour);
            ASSERT_NE(palette, nullptr);
            EXPECT_EQ(palette->value.rfind(W(LoadLangString(1109)) + L" ", 0), 0u) << where;
        }
    }

    DestroyWindow(main.Hwnd());
}

// ---- a key's value follows a remap made in the key assignment dialog, itself read

TEST_P(AccessibleWindows, KeyAssignmentDialogIsReadAndTheKeysValueFollowsTheRemap) {
    const Language& language = GetParam();
    MainWindow window;
    CTavrelDlg& main = window.dialog;
    ASSERT_TRUE(Show(main));
    const std::wstring escape = W(UsageName(DefaultStandardKey[0], SystemLayout()));
    const std::wstring letter = W(GetVKName('Q'));

    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, &RecordEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    Events().clear();

    // Inside the dialog's own loop: read it, type Q through the capture path, press OK.
    std::vector<AccessibleNode> dialogNodes;
    Watch() = KeyDialogWatch{&dialogNodes, main.Hwnd()};
    UINT_PTR timer = SetTimer(nullptr, 0, 20, &DriveKeyDialog);

    std::vector<AccessibleNode> nodes = test::WalkAccessibleTree(main.Hwnd());
    const AccessibleNode* key = Find(nodes, ROLE_SYSTEM_PUSHBUTTON, escape);
    ASSERT_NE(key, nullptr);
    AccessibleNode escapeKey = *key;
    ASSERT_EQ(test::DoAccessibleDefaultAction(escapeKey), S_OK);
    EXPECT_TRUE(test::PumpUntil([&] { return test::ReadAccessibleNode(escapeKey) && escapeKey.value == letter; }))
        << "value " << ::testing::PrintToString(escapeKey.value);
    KillTimer(nullptr, timer);
    EXPECT_EQ(escapeKey.name, escape) << "the key keeps its own name";
    EXPECT_TRUE(test::PumpUntil([&] {
        for (HWND hwnd : Events())
            if (hwnd == escapeKey.window) return true;
        return false;
    })) << "the new value is announced";
    if (hook) UnhookWinEvent(hook);

    const std::string where = std::string(language.code) + " key assignment dialog";
    ExpectEveryObjectNamed(dialogNodes, where);
    ASSERT_FALSE(dialogNodes.empty());
    EXPECT_EQ(dialogNodes[0].role, ROLE_SYSTEM_DIALOG);
    ExpectObjects(dialogNodes,
                  {{ROLE_SYSTEM_PUSHBUTTON, W(LoadLangString(404))},
                   {ROLE_SYSTEM_PUSHBUTTON, W(LoadLangString(403))},
                   {ROLE_SYSTEM_PUSHBUTTON, W(LoadLangString(1504))},
                   {ROLE_SYSTEM_TEXT, W(LoadLangString(402))}},
                  where);
    DestroyWindow(main.Hwnd());
}

// ---- the dialogs, one table each

TEST_P(AccessibleWindows, DialogsNameEveryControlAndTheirTexts) {
    const Language& language = GetParam();
    const auto s = [](int number) { return W(LoadLangString(number)); };
    const std::wstring close = s(1504);
    auto read = [&](auto& dialog, const char* what, const std::vector<Expected>& table) {
        const std::string where = std::string(language.code) + " " + what;
        ASSERT_TRUE(Show(dialog)) << where;
        const std::vector<AccessibleNode> nodes = test::WalkAccessibleTree(dialog.Hwnd());
        ExpectEveryObjectNamed(nodes, where);
        ASSERT_FALSE(nodes.empty());
        EXPECT_EQ(nodes[0].role, ROLE_SYSTEM_DIALOG) << where;
        ExpectObjects(nodes, table, where);
        DestroyWindow(dialog.Hwnd());
        test::PumpPending();
    };

    {
        CDlgWarning warning;
        warning.m_nMode = 0;
        read(warning, "reset warning",
             {{ROLE_SYSTEM_DIALOG, s(700)}, {ROLE_SYSTEM_STATICTEXT, s(701)}, {ROLE_SYSTEM_PUSHBUTTON, s(702)},
              {ROLE_SYSTEM_PUSHBUTTON, s(703)}, {ROLE_SYSTEM_PUSHBUTTON, close}});
    }
    {
        CDlgWaitting waiting;  // no main window to start an apply in
        read(waiting, "waiting dialog",
             {{ROLE_SYSTEM_DIALOG, W(kWaitingWindowTitle)}, {ROLE_SYSTEM_STATICTEXT, s(1400)}});
    }
    {
        CDlgShortCut shortcut(UsKeyboardLayout());
        read(shortcut, "shortcut dialog",
             {{ROLE_SYSTEM_DIALOG, s(600)}, {ROLE_SYSTEM_CHECKBUTTON, s(601)}, {ROLE_SYSTEM_CHECKBUTTON, s(604)},
              {ROLE_SYSTEM_CHECKBUTTON, s(606)}, {ROLE_SYSTEM_TEXT, s(605)}, {ROLE_SYSTEM_PUSHBUTTON, s(607)},
              {ROLE_SYSTEM_PUSHBUTTON, close}});
        RemoveCaptureHook();
    }
    {
        auto working = std::make_unique<SharedConfig>();
        ResetConfig(*working);
        SetDefaultProfiles(*working);
        CDlgProfileMan link(*working, 0);
        read(link, "game link dialog",
             {{ROLE_SYSTEM_DIALOG, s(800)}, {ROLE_SYSTEM_TEXT, s(803)}, {ROLE_SYSTEM_TEXT, s(808)},
              {ROLE_SYSTEM_PUSHBUTTON, s(808)}, {ROLE_SYSTEM_STATICTEXT, s(801)}, {ROLE_SYSTEM_PUSHBUTTON, s(806)},
              {ROLE_SYSTEM_PUSHBUTTON, close}});
    }
    {
        // A macro as recording leaves it: a key down, a pause, the key up.
        tavrel::testing::VectorMacroStore library;
        library.Add(u"Jump", {tavrel::testing::Press(0x04, 250), tavrel::testing::Release(0x04)}, 3);
        MenuKeySlot = MacroKeyInfo{};
        SharedConfig config{};
        CDlgMacroMan manager(library, UsKeyboardLayout(), config);
        read(manager, "macro manager",
             {{ROLE_SYSTEM_DIALOG, s(900)}, {ROLE_SYSTEM_LIST, s(904)}, {ROLE_SYSTEM_LIST, s(905)},
              {ROLE_SYSTEM_LISTITEM, L"Jump"}, {ROLE_SYSTEM_LISTITEM, L"250 ms"},
              {ROLE_SYSTEM_CHECKBUTTON, s(909)}, {ROLE_SYSTEM_TEXT, s(909)}, {ROLE_SYSTEM_PUSHBUTTON, s(906)},
              {ROLE_SYSTEM_PUSHBUTTON, close}});
        RemoveCaptureHook();
    }
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, AccessibleWindows, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

// ---- an object held after its window is gone

namespace {

// A control of each kind that answers for itself, gone in one of two ways: its window
// destroyed while the C++ object lives on, or the object destroyed with its window.
struct DeadCase {
    const char* what;
    bool destroyObject;
};

}  // namespace

TEST(AccessibleObject, AnswersNotConnectedOnceItsWindowIsGoneAndNeverTouchesTheControl) {
    test::RecordingWindow parent;
    ASSERT_TRUE(parent.Create());
    for (const DeadCase c : {DeadCase{"button, window destroyed", false}, DeadCase{"button, object destroyed", true},
                             DeadCase{"list, window destroyed", false}, DeadCase{"list, object destroyed", true}}) {
        const bool list = std::string(c.what).rfind("list", 0) == 0;
        auto button = std::make_unique<CBitmapBtn>();
        auto rows = std::make_unique<CListBoxEx>();
        HWND hwnd = nullptr;
        if (list) {
            ASSERT_TRUE(rows->Create(parent.Hwnd(), RECT{0, 0, 100, 100}, 1));
            rows->AddRow(u"row", 0);
            rows->m_strAccName = u"Caption";
            hwnd = rows->Hwnd();
        } else {
            ASSERT_TRUE(button->Create(parent.Hwnd(), RECT{0, 0, 50, 20}));
            button->m_strCaption = u"Caption";
            hwnd = button->Hwnd();
        }
        IAccessible* object = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)),
                  S_OK)
            << c.what;
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        ASSERT_EQ(object->get_accName(self, &name), S_OK) << c.what;
        EXPECT_STREQ(name, L"Caption") << c.what;
        SysFreeString(name);

        if (c.destroyObject) {
            button.reset();
            rows.reset();
        } else {
            DestroyWindow(hwnd);
        }
        name = nullptr;
        VARIANT role;
        VariantInit(&role);
        LONG count = -1;
        IDispatch* parentObject = nullptr;
        EXPECT_EQ(object->get_accName(self, &name), CO_E_OBJNOTCONNECTED) << c.what;
        EXPECT_EQ(object->get_accRole(self, &role), CO_E_OBJNOTCONNECTED) << c.what;
        EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED) << c.what;
        EXPECT_EQ(object->accDoDefaultAction(self), CO_E_OBJNOTCONNECTED) << c.what;
        EXPECT_EQ(object->get_accParent(&parentObject), CO_E_OBJNOTCONNECTED) << c.what;
        EXPECT_EQ(name, nullptr);
        EXPECT_EQ(parentObject, nullptr);
        object->Release();
    }
}

// ---- a popup menu, read while it is open

namespace {

std::vector<AccessibleNode>& MenuNodes() {
    static std::vector<AccessibleNode> nodes;
    return nodes;
}

}  // namespace

TEST(AccessibleMenu, ItemsAreNamedByTheirTextsAndTheCurrentChoiceIsChecked) {
    ASSERT_TRUE(InstallMenuHook());
    win::Window owner;
    ASSERT_TRUE(owner.CreateEx(0, L"menu owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr));
    CExMenu menu;
    ASSERT_TRUE(menu.CreatePopup());
    menu.AppendItem(40, u"Static");
    menu.AppendItem(kMenuSeparatorId, u"");
    menu.AppendItem(41, u"Breathing", nullptr, kMenuMarkCurrent);
    MenuNodes().clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND window = FindWindowW(L"#32768", nullptr);
        if (!window || !IsWindowVisible(window)) return;
        MenuNodes() = test::WalkAccessibleTree(window);
        EndMenu();
    });
    menu.TrackPopup(owner.Hwnd(), 10, 10, TPM_LEFTALIGN);
    KillTimer(nullptr, timer);
    const std::vector<AccessibleNode>& nodes = MenuNodes();
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0].role, ROLE_SYSTEM_MENUPOPUP);
    const struct {
        long role;
        const wchar_t* name;
        bool checked;
    } items[] = {{ROLE_SYSTEM_MENUITEM, L"Static", false},
                 {ROLE_SYSTEM_SEPARATOR, L"", false},
                 {ROLE_SYSTEM_MENUITEM, L"Breathing", true}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(nodes[i + 1].role, items[i].role) << i;
        EXPECT_EQ(nodes[i + 1].name, items[i].name) << i;
        EXPECT_EQ((nodes[i + 1].state & STATE_SYSTEM_CHECKED) != 0, items[i].checked) << i;
    }
    DestroyWindow(owner.Hwnd());
}
