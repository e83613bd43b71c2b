// CListBoxEx: the program's list control. An owner-drawn list box with fixed 18-pixel
// rows, each a text with an optional icon from the program's bitmap resources (the low
// 16 bits of the row's item data), colours chosen by the owner, and in-place editing of
// a row. It reports to its parent, by posting:
//   WM_LISTEDIT_DONE (row, tag)  an in-place edit was committed with a non-empty text
//   WM_LISTDELETEKEY (0, 0)      the Delete key went down in the list
//   WM_LISTRCLICK    (0, tag)    the right button went down on the list
// The parent must be a window of our layer, which reflects WM_DRAWITEM, WM_MEASUREITEM
// and WM_CTLCOLORLISTBOX back to the list.
#pragma once

#include <windows.h>

#include <string>

#include "accessibility/win/accessible_object.h"
#include "skin/listbox_model.h"
#include "window/win/handles.h"
#include "window/win/window.h"

namespace tavrel {

constexpr UINT WM_LISTEDIT_DONE = WM_USER + 500;
constexpr UINT WM_LISTDELETEKEY = WM_USER + 600;
constexpr UINT WM_LISTRCLICK = WM_USER + 700;
static_assert(WM_LISTEDIT_DONE == kWmListEditDone && WM_LISTDELETEKEY == kWmListDeleteKey &&
              WM_LISTRCLICK == kWmListRClick);

// The style the owners create the list with.
constexpr DWORD kListBoxExStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;

class CListBoxEx : public win::Window, private win::AccessibleSource {
public:
    CListBoxEx();
    ~CListBoxEx() override;

    // Creates the list box as a child of parent and attaches it.
    bool Create(HWND parent, const RECT& rect, int id, DWORD style = kListBoxExStyle);

    // Appends an empty row and opens the editor on it for a new name (15 characters).
    void AddItem();
    // Opens the editor on the selected row for a number (digits only, 20 characters).
    // Returns the low 16 bits of that row's item data, also when no editor opens
    // (65535 without a selected row).
    uint16_t EditSelectedItem();
    bool IsEditing() const { return m_hEdit != nullptr; }
    HWND EditControl() const { return m_hEdit; }

    // ---- the platform list operations the owners use
    int Count() const;
    int AddRow(const std::u16string& text, uint32_t data);
    void InsertRow(int index, const std::u16string& text, uint32_t data);
    void DeleteRow(int index);
    void ResetContent();
    std::u16string Text(int index) const;
    uint32_t Data(int index) const;
    int CurSel() const;
    void SetCurSel(int index);

    bool PreTranslateMessage(MSG& msg) override;

    // ---- fields; the owner may overwrite the colours, the brush and the tag after
    // creation
    win::UniqueFont m_font;
    int m_nItemHeight = kListItemHeight;
    COLORREF m_crText = 0;
    COLORREF m_crHighlight = 0;
    COLORREF m_crHighlightText = 0;
    int m_nIconWidth = kListIconWidth;
    HBRUSH m_brBack = nullptr;  // not owned
    int m_nTag = 0;
    int m_nEditIndex = -1;
    HWND m_hEdit = nullptr;  // a child of the list, destroyed when the edit ends
    std::u16string m_strAccName;  // the list's name for a screen reader: the label beside it

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PreSubclassWindow() override;

private:
    friend LRESULT CALLBACK ListEditProc(HWND, UINT, WPARAM, LPARAM);

    void DrawItem(const DRAWITEMSTRUCT& item);
    void OpenEditor(int index, const RECT& rect, DWORD extraStyle, int limit, const std::u16string& text);
    // Enter or focus loss: the row is put back with the typed text (or left out when
    // empty) and selected; the parent hears of a non-empty text.
    void CommitEdit();
    // Escape: the row being edited disappears; nothing is reported.
    void CancelEdit();
    void CloseEditor();
    void OnMouseWheel(WPARAM wParam);

    // ---- AccessibleSource: the list and its rows, each with the text it draws
    AccessibleInfo Describe() const override;
    int PartCount() const override { return Count(); }
    AccessibleInfo DescribePart(int index) const override;
    RECT PartRect(int index) const override;
    int SelectedPart() const override { return CurSel(); }

    bool m_bTracking = false;
    win::AccessibleHost m_access;
};

}  // namespace tavrel
