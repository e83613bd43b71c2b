#include "macros/win/dlg_macro_man.h"

#include <vector>

#include "dialogs/win/warning_dialog.h"
#include "accessibility/win/spoken_words.h"
#include "keys/win/capture_hook.h"
#include "macros/macro_key_menu.h"
#include "macros/win/ex_menu_builder.h"

namespace tavrel {

namespace {

constexpr COLORREF kAccent = RGB(163, 25, 48);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMenuOrange = RGB(230, 96, 1);
constexpr int kStringBase = 900;
constexpr RECT kRepeatBoxRect{270, 357, 270 + 85, 357 + 15};

void ColoursA(CBitmapBtn& b) {
    b.m_crText = kBlack;
    b.m_crDisabled = kBlack;
    b.m_crPressed = kBlack;
    b.m_crHover = kAccent;
}

void ColoursB(CBitmapBtn& b) {
    b.m_crText = kAccent;
    b.m_crDisabled = kAccent;
    b.m_crPressed = kAccent;
    b.m_crHover = kAccent;
}

void SetCaption(CBitmapBtn& b, const std::u16string& text) {
    b.m_strCaption = text;
    b.SetTipText(text);
}

void RedrawNow(HWND hwnd) {
    if (hwnd != nullptr) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

std::u16string WindowText(HWND hwnd) {
    const int len = GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(len) + 1, L'\0');
    GetWindowTextW(hwnd, buffer.data(), len + 1);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()));
}

const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

}  // namespace

CDlgMacroMan::CDlgMacroMan(MacroStore& library, const KeyboardLayout& layout, const SharedConfig& config)
    : SkinnedWindow(kMacroManagerTemplate,
                    SkinSource{u"Skins\\skin_macro_manager.ini", 900, 925, false, SkinDrag::Self}),
      config_(config),
      editor_(library, layout, ticks_, *this),
      m_brWhite(CreateSolidBrush(kWhite)) {
    SetSwallowedKeys({VK_RETURN, VK_ESCAPE, VK_SPACE, VK_DELETE});
}

HWND CDlgMacroMan::Button(int skinKey) const {
    switch (skinKey) {
    case 1: return m_btnOK.Hwnd();
    case 2: return m_btnCancel.Hwnd();
    case 3: return m_btnClose.Hwnd();
    case 4: return m_btnNew.Hwnd();
    case 5: return m_btnDelete.Hwnd();
    case 7: return m_btnRecord.Hwnd();
    case 8: return m_btnPauseSwitch.Hwnd();
    case 9: return m_btnRepeatSwitch.Hwnd();
    default: return nullptr;
    }
}

// ---- creation and painting

void CDlgMacroMan::CreateSkinControls(SkinBuilder& skin) {
    const auto& s = [this](int number) -> const std::u16string& { return m_lang.Get(static_cast<size_t>(number - kStringBase)); };
    skin.CreateButton(m_btnNew, 4);
    ColoursA(m_btnNew);
    SetCaption(m_btnNew, s(902));
    skin.CreateButton(m_btnDelete, 5);
    ColoursA(m_btnDelete);
    SetCaption(m_btnDelete, s(903));
    skin.CreateButton(m_btnRecord, 7);
    ColoursA(m_btnRecord);
    m_btnRecord.m_nAlign = 1;
    m_btnRecord.m_nLeftIndent = 30;
    SetCaption(m_btnRecord, s(906));
    skin.CreateButton(m_btnPauseSwitch, 8);
    skin.CreateButton(m_btnRepeatSwitch, 9);
    skin.CreateButton(m_btnOK, 1);
    ColoursA(m_btnOK);
    SetCaption(m_btnOK, s(910));
    skin.CreateButton(m_btnCancel, 2);
    ColoursA(m_btnCancel);
    m_btnCancel.m_nAlign = 1;
    SetCaption(m_btnCancel, s(911));
    skin.CreateButton(m_btnClose, 3);
    skin.CreateButton(m_lblRepeat, 12);
    ColoursB(m_lblRepeat);
    m_lblRepeat.m_uLineFormat = DT_WORDBREAK;
    m_lblRepeat.m_uVertFormat = 0;
    SetCaption(m_lblRepeat, s(904));
    skin.CreateButton(m_lblPause, 13);
    ColoursB(m_lblPause);
    m_lblPause.m_uLineFormat = DT_WORDBREAK;
    SetCaption(m_lblPause, s(905));
    skin.CreateButton(m_lblHint, 14);
    ColoursB(m_lblHint);
    m_lblHint.m_nAlign = 1;
    m_lblHint.m_nFontWeight = 400;
    m_lblHint.m_uVertFormat = 0;
    m_lblHint.m_uLineFormat = DT_WORDBREAK;
    SetCaption(m_lblHint, s(909));

    m_lstMacros.Create(skin.Parent(), SkinBuilder::ToRect(skin.Entry(6).rcPos), kMacroListTag);
    m_lstEvents.Create(skin.Parent(), SkinBuilder::ToRect(skin.Entry(11).rcPos), kEventListTag);

    // A screen reader hears the labels as texts, the switches by the texts beside them
    // and each list by its label.
    for (CBitmapBtn* label : {&m_lblRepeat, &m_lblPause, &m_lblHint}) label->m_accKind = ButtonKind::Label;
    m_btnPauseSwitch.m_accKind = ButtonKind::Check;
    m_btnPauseSwitch.m_strAccName = s(908);
    m_btnRepeatSwitch.m_accKind = ButtonKind::Check;
    m_btnRepeatSwitch.m_strAccName = s(909);
    m_btnClose.m_accDescribe = win::NamedBy(Spoken::Close);
    m_lstMacros.m_strAccName = s(904);
    m_lstEvents.m_strAccName = s(905);
}

std::u16string CDlgMacroMan::AccessibleName() const { return m_lang.Get(0); }

std::vector<AccessiblePart> CDlgMacroMan::AccessibleParts() const {
    const auto& s = [this](int number) -> const std::u16string& { return m_lang.Get(static_cast<size_t>(number - kStringBase)); };
    return {PaintedText(s(901), RECT{14, 66, 14 + 400, 66 + 40}), PaintedText(s(908), RECT{286, 153, 368, 291})};
}

void CDlgMacroMan::PaintSkin(HDC dc) {
    const auto& s = [this](int number) -> const std::u16string& { return m_lang.Get(static_cast<size_t>(number - kStringBase)); };
    auto title = CreateSkinFont(18, 700);
    DrawSkinText(dc, s(900), RECT{14, 15, 386, 57}, DT_LEFT | DT_SINGLELINE, title.Get());
    auto subtitle = CreateSkinFont(15, 400);
    DrawSkinText(dc, s(901), RECT{14, 66, 14 + 400, 66 + 40}, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP, subtitle.Get());
    auto hint = CreateSkinFont(14, 400);
    DrawSkinText(dc, s(908), RECT{286, 153, 368, 291}, DT_LEFT | DT_TOP | DT_WORDBREAK, hint.Get());
}

BOOL CDlgMacroMan::OnInitDialog() {
    for (CListBoxEx* list : {&m_lstMacros, &m_lstEvents}) {
        list->m_crText = kAccent;
        list->m_crHighlight = kAccent;
        list->m_crHighlightText = kWhite;
        list->m_brBack = m_brWhite.Get();
    }
    m_lstMacros.m_nTag = kMacroListTag;
    m_lstEvents.m_nTag = kEventListTag;

    m_editRepeat = GetDlgItem(Hwnd(), kRepeatBoxId);
    if (m_editRepeat == nullptr) {  // a template without the box: make our own
        m_editRepeat = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0, Hwnd(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRepeatBoxId)),
                                       GetModuleHandleW(nullptr), nullptr);
    }
    m_accRepeat.Attach(m_editRepeat, [this] { return m_lang.Get(909 - kStringBase); });
    editor_.Initialise(MenuKeySlot);
    Sync();
    MoveWindow(m_editRepeat, kRepeatBoxRect.left, kRepeatBoxRect.top, kRepeatBoxRect.right - kRepeatBoxRect.left,
               kRepeatBoxRect.bottom - kRepeatBoxRect.top, TRUE);
    return TRUE;
}

// ---- showing the editor's state

void CDlgMacroMan::Sync() {
    if (shownMacroList_ != editor_.MacroListRevision()) {
        shownMacroList_ = editor_.MacroListRevision();
        m_lstMacros.ResetContent();
        for (const std::u16string& name : editor_.MacroRows()) m_lstMacros.AddRow(name, 0);
        if (editor_.CurMacro() >= 0) m_lstMacros.SetCurSel(editor_.CurMacro());
        win::NotifyAccessibleChange(m_lstMacros.Hwnd(), EVENT_OBJECT_REORDER);
    }
    if (shownEventList_ != editor_.EventListRevision()) {
        shownEventList_ = editor_.EventListRevision();
        SendMessageW(m_lstEvents.Hwnd(), WM_SETREDRAW, FALSE, 0);
        m_lstEvents.ResetContent();
        for (const EventRow& row : editor_.EventRows()) m_lstEvents.AddRow(row.text, row.data);
        SendMessageW(m_lstEvents.Hwnd(), WM_SETREDRAW, TRUE, 0);
        if (editor_.CaretRow() >= 0) SendMessageW(m_lstEvents.Hwnd(), LB_SETCARETINDEX, editor_.CaretRow(), FALSE);
        InvalidateRect(m_lstEvents.Hwnd(), nullptr, TRUE);
        win::NotifyAccessibleChange(m_lstEvents.Hwnd(), EVENT_OBJECT_REORDER);
    }
    if (shownRepeatBox_ != editor_.RepeatBoxRevision() && m_editRepeat != nullptr) {
        shownRepeatBox_ = editor_.RepeatBoxRevision();
        settingRepeatBox_ = true;
        SetWindowTextW(m_editRepeat, Wide(editor_.RepeatBoxText()));
        settingRepeatBox_ = false;
    }
    if (m_btnRepeatSwitch.GetCheck() != editor_.RepeatOn()) m_btnRepeatSwitch.SetCheck(editor_.RepeatOn());
    if (m_btnPauseSwitch.GetCheck() != editor_.RecordDelays()) m_btnPauseSwitch.SetCheck(editor_.RecordDelays());
}

// ---- recording

void CDlgMacroMan::LockForRecording(bool locked) {
    for (HWND hwnd : {m_btnOK.Hwnd(), m_btnCancel.Hwnd(), m_btnClose.Hwnd(), m_btnNew.Hwnd(), m_btnDelete.Hwnd(),
                      m_lstMacros.Hwnd()}) {
        EnableWindow(hwnd, locked ? FALSE : TRUE);
    }
    EnableWindow(m_lstEvents.Hwnd(), TRUE);
}

void CDlgMacroMan::ShowRecordButton(bool recording) {
    m_btnRecord.SetCheck(recording);
    m_btnRecord.m_strCaption = m_lang.Get(static_cast<size_t>((recording ? 907 : 906) - kStringBase));
    RedrawNow(m_btnRecord.Hwnd());
}

void CDlgMacroMan::RecordingStarted() {
    InstallCaptureHook(Hwnd());
    LockForRecording(true);
    SetFocus(Hwnd());
    ShowRecordButton(true);
}

void CDlgMacroMan::RecordingStopped() {
    RemoveCaptureHook();
    LockForRecording(false);
    ShowRecordButton(false);
}

void CDlgMacroMan::FocusEventList() { SetFocus(m_lstEvents.Hwnd()); }

// ---- commands

bool CDlgMacroMan::OnButton(HWND sender) {
    if (sender == nullptr) return false;
    if (sender == m_btnOK.Hwnd()) {
        EndModal(IDOK);
    } else if (sender == m_btnCancel.Hwnd() || sender == m_btnClose.Hwnd()) {
        EndModal(IDCANCEL);
    } else if (sender == m_btnNew.Hwnd()) {
        if (editor_.CanAddMacro() && !editor_.Recording()) m_lstMacros.AddItem();
    } else if (sender == m_btnDelete.Hwnd()) {
        OnDeleteButton();
    } else if (sender == m_btnRecord.Hwnd()) {
        editor_.OnRecordButton();
    } else if (sender == m_btnPauseSwitch.Hwnd()) {
        editor_.OnPauseSwitch();
    } else if (sender == m_btnRepeatSwitch.Hwnd()) {
        editor_.OnRepeatSwitch();
    } else {
        return false;
    }
    Sync();
    return true;
}

void CDlgMacroMan::DeleteAfterConfirmation(int row, HWND owner) {
    CDlgWarning warning;
    warning.m_nMode = 1;
    if (warning.DoModal(owner) != IDOK) return;
    editor_.DeleteMacro(row);
    Sync();
}

void CDlgMacroMan::OnDeleteButton() {
    const int row = m_lstMacros.CurSel();
    if (!editor_.MayDeleteMacro(row, config_)) return;
    DeleteAfterConfirmation(row, nullptr);
}

void CDlgMacroMan::OnDeleteKey() {
    const int row = m_lstMacros.CurSel();
    if (!editor_.MayDeleteMacroByKey(row)) return;
    DeleteAfterConfirmation(row, Hwnd());
}

void CDlgMacroMan::OnRightClick(int tag) {
    if (tag != kEventListTag || !editor_.OffersEventMenu()) return;
    auto font = CreateSkinFont(14, 400);
    ExMenuTree menu;
    const auto style = [](CExMenu& m) {
        m.m_crBack = kBlack;
        m.m_crSelBack = kMenuOrange;
        m.m_crSeparator = kMenuOrange;
    };
    if (!menu.Build(MacroEditor::EventMenu(m_lang), font.Get(), style)) return;
    POINT at{};
    GetCursorPos(&at);
    menu.Root()->TrackPopup(Hwnd(), at.x, at.y, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
    PostMessageW(Hwnd(), WM_NULL, 0, 0);
}

void CDlgMacroMan::OnMenuCommand(int command) {
    std::optional<SelectedRow> selected;
    const int row = m_lstEvents.CurSel();
    if (row != LB_ERR) selected = SelectedRow{row, m_lstEvents.Data(row)};
    const bool editPause = editor_.OnEventMenuCommand(command, selected);
    Sync();
    if (editPause) m_lstEvents.EditSelectedItem();
}

void CDlgMacroMan::OnListEditDone(int row, int tag) {
    if (tag == kMacroListTag) {
        editor_.OnNewMacroNamed(m_lstMacros.Text(row));
        Sync();
    } else if (tag == kEventListTag) {
        const EventRow replacement = editor_.OnPauseEditDone(row, m_lstEvents.Text(row));
        m_lstEvents.DeleteRow(row);
        m_lstEvents.InsertRow(row, replacement.text, replacement.data);
    }
}

void CDlgMacroMan::OnRepeatBoxChanged() {
    if (settingRepeatBox_ || m_editRepeat == nullptr) return;
    const std::optional<std::u16string> rewrite = editor_.OnRepeatText(WindowText(m_editRepeat));
    if (rewrite) {
        settingRepeatBox_ = true;
        SetWindowTextW(m_editRepeat, Wide(*rewrite));
        SendMessageW(m_editRepeat, EM_SETSEL, rewrite->size(), rewrite->size());
        settingRepeatBox_ = false;
    }
}

LRESULT CDlgMacroMan::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const HWND sender = reinterpret_cast<HWND>(lParam);
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (sender == nullptr && code == 0) {  // the event menu
            OnMenuCommand(id);
            return 0;
        }
        if (sender == m_editRepeat && (code == EN_CHANGE || code == EN_KILLFOCUS)) {
            OnRepeatBoxChanged();
            return 0;
        }
        if (sender == m_lstMacros.Hwnd() && code == LBN_SELCHANGE) {
            editor_.OnMacroSelected(m_lstMacros.CurSel());
            Sync();
            return 0;
        }
        if (code == BN_CLICKED && OnButton(sender)) return 0;
        break;
    }
    case WM_LISTEDIT_DONE:
        OnListEditDone(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case WM_LISTDELETEKEY:
        OnDeleteKey();
        return 0;
    case WM_LISTRCLICK:
        OnRightClick(static_cast<int>(lParam));
        return 0;
    case WM_CAPTURED_KEY:
        editor_.OnCapturedKey(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        Sync();
        return 0;
    case WM_DESTROY:
        // Keyboard input must come back even if the dialog goes while recording.
        if (editor_.Recording()) editor_.StopRecording();
        break;
    default:
        break;
    }
    return SkinnedWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tavrel
