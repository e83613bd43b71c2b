#include "app/win/profile_man_dialog.h"

#include <shlobj.h>

#include "accessibility/win/spoken_words.h"
#include "app/win/file_dialogs.h"
#include "dialogs/win/warning_dialog.h"

namespace tavrel {

namespace {

constexpr int kOkKey = 4, kCancelKey = 5, kCloseKey = 6, kBrowseKey = 3, kNameKey = 1, kGameKey = 2;
// WS_CHILD | WS_VISIBLE with ES_UPPERCASE, ES_RIGHT and ES_CENTER, as the skin asks.
constexpr DWORD kEditStyle = 0x5000000B;
// Allow-multi-select, hide-read-only and overwrite-prompt.
constexpr DWORD kBrowseFlags = 0x206;

const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

std::wstring DesktopInitialName() {
    wchar_t desktop[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOP, FALSE)) desktop[0] = L'\0';
    return std::wstring(desktop) + L"\\.exe";
}

}  // namespace

CDlgProfileMan::CDlgProfileMan(SharedConfig& working, int mode)
    : SkinnedWindow(kProfileManTemplate, SkinSource{u"Skins\\skin_Profile.ini", 800, 810}), m_model(working, mode, m_caseMapping) {}

void CDlgProfileMan::CreateSkinControls(SkinBuilder& skin) {
    skin.CreateButton(m_btnLinkOK, kOkKey);
    skin.CreateButton(m_btnLinkCancel, kCancelKey);
    skin.CreateButton(m_btnLinkClose, kCloseKey);
    skin.CreateButton(m_btnBrowse, kBrowseKey);
    for (CBitmapBtn* button : {&m_btnLinkOK, &m_btnLinkCancel}) {
        button->m_strCaption = m_lang.Get(button == &m_btnLinkOK ? 6 : 7);  // strings 806, 807
        button->SetTipText(button->m_strCaption);
        SetDialogButtonColours(*button);
    }
    auto createEdit = [&](int key) {
        const RECT r = SkinBuilder::ToRect(skin.Entry(key).rcPos);
        return CreateWindowExW(0, L"EDIT", L"", kEditStyle, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    m_editName = createEdit(kNameKey);
    m_editGameFile = createEdit(kGameKey);
    // The record holds at most 249 and 499 characters; the edits never take more.
    SendMessageW(m_editName, EM_LIMITTEXT, GameLinkModel::kNameLimit, 0);
    SendMessageW(m_editGameFile, EM_LIMITTEXT, GameLinkModel::kGameFileLimit, 0);
    EnableWindow(m_editGameFile, FALSE);
    // Strings 803 and 808 label the two edits; the browse button fills the second.
    m_accName.Attach(m_editName, [this] { return m_lang.Get(3); });
    m_accGameFile.Attach(m_editGameFile, [this] { return m_lang.Get(8); });
    m_btnBrowse.m_accDescribe = [this](AccessibleInfo& info) { info.name = m_lang.Get(8); };
    m_btnLinkClose.m_accDescribe = win::NamedBy(Spoken::Close);
}

std::vector<AccessiblePart> CDlgProfileMan::AccessibleParts() const {
    std::vector<AccessiblePart> parts;
    for (const GameLinkText& text : kGameLinkTexts) {
        if (text.entry != 0) parts.push_back(PaintedText(m_lang.Get(static_cast<size_t>(text.entry)), text.rect));
    }
    return parts;
}

BOOL CDlgProfileMan::OnInitDialog() {
    ShowModel();
    return TRUE;
}

void CDlgProfileMan::ShowModel() {
    SetWindowTextW(m_editName, W(m_model.Name()));
    SetWindowTextW(m_editGameFile, W(m_model.GameFile()));
}

std::u16string CDlgProfileMan::EditText(HWND edit) const {
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), length + 1);
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), static_cast<size_t>(copied));
}

void CDlgProfileMan::PaintSkin(HDC dc) {
    for (const GameLinkText& text : kGameLinkTexts) {
        auto font = CreateSkinFont(text.fontHeight, 400);
        DrawSkinText(dc, m_lang.Get(static_cast<size_t>(text.entry)), text.rect, DT_LEFT | DT_WORDBREAK, font.Get());
    }
}

bool CDlgProfileMan::PreTranslateMessage(MSG& msg) {
    // A blank typed into the name is a character of the name, not a button press: it
    // reaches the edit even though Space is otherwise swallowed everywhere.
    const bool keyMessage = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
    if (keyMessage && msg.wParam == VK_SPACE && msg.hwnd == m_editName && m_editName) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        return true;
    }
    return SkinnedWindow::PreTranslateMessage(msg);
}

void CDlgProfileMan::OnBrowse() {
    win::FileDialogRequest request;
    request.owner = Hwnd();
    request.filter = win::kGameFilter;
    request.defaultExtension = L"exe";
    request.initialName = DesktopInitialName();
    request.flags = kBrowseFlags;
    const auto path = win::RunFileDialog(request);
    if (!path) return;
    m_model.SetName(EditText(m_editName));
    const std::u16string chosen(reinterpret_cast<const char16_t*>(path->c_str()), path->size());
    if (m_model.Browse(chosen) == GameLinkModel::BrowseResult::Accepted) ShowModel();
}

void CDlgProfileMan::OnCommand(HWND sender) {
    if (!sender) return;
    if (sender == m_btnLinkOK.Hwnd()) {
        // Both texts as the edits hold them: ES_UPPERCASE has put them in capitals, the
        // form in which the monitor process expects the game path.
        m_model.SetName(EditText(m_editName));
        m_model.SetGameFile(EditText(m_editGameFile));
        m_model.Store();
        EndModal(IDOK);
    } else if (sender == m_btnLinkCancel.Hwnd() || sender == m_btnLinkClose.Hwnd()) {
        EndModal(IDCANCEL);
    } else if (sender == m_btnBrowse.Hwnd()) {
        OnBrowse();
    }
}

LRESULT CDlgProfileMan::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) OnCommand(reinterpret_cast<HWND>(lParam));
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
