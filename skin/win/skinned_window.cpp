#include "skin/win/skinned_window.h"

#include <windowsx.h>

#include "config/text.h"
#include "skin/app_dir.h"
#include "skin/win/lang_library.h"
#include "skin/win/skin_failure.h"
#include "skin/win/skin_image.h"

namespace tavrel {

namespace {

// Posted to itself by a window that found a picture unreadable while it was being shown
// or drawn: the message box waits until that is over.
constexpr UINT kReportUnreadablePictures = WM_APP + 0x2A4;

}  // namespace

// ---- SkinBuilder

SkinItem SkinBuilder::Entry(int key) const {
    SkinItem item;
    ParseSkinItem(Value(u"BUTTONPOS", FormatInt(key)), item);
    return item;
}

RECT SkinBuilder::CreateButton(CBitmapBtn& button, int key) {
    const RECT rect = ToRect(Entry(key).rcPos);
    if (button.Create(parent_, rect) && states_ && canvas_) button.SetImages(*states_, *canvas_, rect);
    return rect;
}

// ---- SkinnedWindow

SkinnedWindow::SkinnedWindow(UINT templateId, const SkinSource& desc, HMODULE module)
    : Dialog(templateId, module), m_skinSpec(desc) {}

void SkinnedWindow::LoadLanguage() { LoadLangTable(m_lang, m_skinSpec.firstString, m_skinSpec.lastString); }

void SkinnedWindow::CreateSkinControls(SkinBuilder&) {}

void SkinnedWindow::PaintSkin(HDC) {}

void SkinnedWindow::CutFromBackground(HDC) {}

LRESULT SkinnedWindow::RunSkinnedCreate(WPARAM wParam, LPARAM lParam) {
    if (DefaultProc(WM_CREATE, wParam, lParam) == -1) return -1;
    LoadLanguage();
    const std::u16string unreadable = LoadSkin();
    if (!unreadable.empty()) {
        // A window without its pictures cannot be shown as it was drawn, nor sized:
        // the user learns which file is damaged, and the window is not created.
        ReportUnreadableSkinPicture(MessageOwner(), unreadable);
        return -1;
    }
    BuildOutline();
    return 0;
}

HWND SkinnedWindow::MessageOwner() const {
    // A dialog's owner, a page's main window; one that is not shown yet (the main window
    // while it creates its pages) cannot own a message box.
    HWND owner = GetWindow(Hwnd(), GW_OWNER);
    if (!owner) owner = GetParent(Hwnd());
    if (owner) owner = GetAncestor(owner, GA_ROOT);
    return owner && IsWindowVisible(owner) ? owner : nullptr;
}

std::u16string SkinnedWindow::LoadSkin() {
    SkinBuilder builder(Hwnd(), AppPath(m_skinSpec.layoutFile));
    auto image = [&](const char16_t* key) {
        std::u16string path = AppPath(m_skinSpec.imageFolder);
        path += builder.Value(u"SCREEN", key);
        return path;
    };
    const std::u16string maskPath = image(u"Mask");
    const std::u16string normalPath = image(u"Normal");
    const std::u16string downPath = image(u"Down");
    const std::u16string overPath = image(u"Over");
    const std::u16string disabledPath = image(m_skinSpec.disabledKey);

    // A picture the layout file names must be there and readable. A layout file that
    // names none (missing altogether) leaves a plain window of its template size.
    const size_t folderLength = AppPath(m_skinSpec.imageFolder).size();
    auto named = [&](const std::u16string& path) { return path.size() > folderLength; };
    // The mask is read for the outline alone, which is made from it here.
    if (!LoadSkinOutline(maskPath, m_outline) && named(maskPath)) return maskPath;
    // The background is the normal picture itself: the buttons' normal pictures come
    // from it once it is read, before anything is drawn on it.
    SIZE backSize{};
    // Only a window without WS_VISIBLE is sure to be told (WM_SHOWWINDOW or
    // SWP_SHOWWINDOW) before it or its buttons first paint.
    const bool hidden = (GetWindowLongPtrW(Hwnd(), GWL_STYLE) & WS_VISIBLE) == 0;
    if (m_skinSpec.picturesWhenShown && hidden && SkinBitmapFileSize(normalPath, backSize)) {
        m_strPendingBack = normalPath;
    } else if (!LoadSkinImage(normalPath, m_bmpBack, backSize) && named(normalPath)) {
        return normalPath;
    }
    // The state pictures are decoded when a button first shows them; that they are
    // there and whole is checked now, while the window can still refuse to open.
    if (builder.PlacesButtons()) {
        for (const std::u16string* path : {&overPath, &downPath, &disabledPath}) {
            if (named(*path) && !SkinImageFileLooksWhole(*path)) return *path;
        }
    }
    auto ifNamed = [&](const std::u16string& path) { return named(path) ? path : std::u16string(); };
    m_statePictures = std::make_unique<StatePictures>(ifNamed(overPath), ifNamed(downPath), ifNamed(disabledPath),
                                                      [this](const std::u16string& path) { ReportLater(path); });
    builder.states_ = m_statePictures.get();
    builder.canvas_ = &m_buttonCanvas;

    // Without a background picture the window keeps its template size, so that it
    // stays visible and usable.
    if (m_bmpBack || !m_strPendingBack.empty()) MoveWindow(Hwnd(), 0, 0, backSize.cx, backSize.cy, TRUE);

    CreateSkinControls(builder);
    if (m_bmpBack) UseBackground();
    return {};
}

void SkinnedWindow::ReadPendingBackground() {
    if (m_strPendingBack.empty()) return;
    const std::u16string path = std::move(m_strPendingBack);
    m_strPendingBack.clear();
    // The file was whole at creation. Should it no longer be readable, the user is told
    // which file it is, and the window shows plain, as one whose layout names no picture.
    SIZE size{};
    if (LoadSkinImage(path, m_bmpBack, size)) {
        UseBackground();
    } else {
        ReportLater(path);
    }
}

void SkinnedWindow::ReportLater(const std::u16string& path) {
    m_unreadablePictures.push_back(path);
    if (m_unreadablePictures.size() == 1) PostMessageW(Hwnd(), kReportUnreadablePictures, 0, 0);
}

void SkinnedWindow::ReportUnreadablePictures() {
    const std::vector<std::u16string> paths = std::move(m_unreadablePictures);
    m_unreadablePictures.clear();
    for (const std::u16string& path : paths) ReportUnreadableSkinPicture(MessageOwner(), path);
}

void SkinnedWindow::UseBackground() {
    win::WindowDc screen(nullptr);
    if (m_statePictures) m_statePictures->TakeNormal(screen, m_bmpBack, m_skinSpec.buttonsShowBackground);
    CutFromBackground(screen);
}

void SkinnedWindow::BuildOutline() {
    if (!m_outline) return;
    // The window owns the region from here on.
    if (SetWindowRgn(Hwnd(), m_outline.Get(), TRUE)) {
        m_outline.Release();
    } else {
        m_outline.Reset();
    }
}

void SkinnedWindow::OnPaint() {
    ReadPendingBackground();
    win::PaintDc paint(Hwnd());
    RECT client{};
    GetClientRect(Hwnd(), &client);
    if (m_bmpBack) {
        win::MemoryDc memory(paint, m_bmpBack.Get());
        PaintSkin(memory);
        memory.CopyTo(paint, client.right, client.bottom);
    } else {
        win::MemoryDc memory(paint, client.right, client.bottom);
        FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PaintSkin(memory);
        memory.CopyTo(paint, client.right, client.bottom);
    }
}

void SkinnedWindow::OnLButtonDown(LPARAM lParam) {
    if (m_skinSpec.drag == SkinDrag::None) return;
    // WM_NCLBUTTONDOWN carries a screen position; the move starts from there.
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Hwnd(), &screen);
    HWND target = m_skinSpec.drag == SkinDrag::Parent ? GetParent(Hwnd()) : Hwnd();
    if (target) PostMessageW(target, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

LRESULT SkinnedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (m_access.Handle(Hwnd(), *this, message, wParam, lParam, answer)) return answer;
    switch (message) {
    case WM_CREATE:
        return RunSkinnedCreate(wParam, lParam);
    case WM_PAINT:
        OnPaint();
        return 0;
    // Either message may be the only one: the pages, shown while the main window is
    // still hidden, get no SWP_SHOWWINDOW under the platform here. The first paint
    // reads too, should neither come.
    case WM_SHOWWINDOW:
        if (wParam) ReadPendingBackground();
        break;
    case WM_WINDOWPOSCHANGING:
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) ReadPendingBackground();
        break;
    case WM_ERASEBKGND:
        if (!m_skinSpec.eraseBackground) return 0;
        break;
    case kReportUnreadablePictures:
        ReportUnreadablePictures();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(lParam);
        break;
    case WM_DESTROY: {
        const LRESULT result = Dialog::WindowProc(message, wParam, lParam);
        m_bmpBack.Reset();
        m_outline.Reset();
        return result;
    }
    default:
        break;
    }
    return Dialog::WindowProc(message, wParam, lParam);
}

// ---- what a screen reader hears

AccessiblePart PaintedText(std::u16string text, const RECT& rect) {
    AccessiblePart part;
    part.info.role = AccRole::StaticText;
    part.info.name = std::move(text);
    part.info.state = kAccReadOnly;
    part.rect = rect;
    return part;
}

std::u16string SkinnedWindow::AccessibleName() const {
    if (m_accName) return m_accName();
    wchar_t title[256] = {};
    const int length = GetWindowTextW(Hwnd(), title, 256);
    return std::u16string(reinterpret_cast<const char16_t*>(title), static_cast<size_t>(length > 0 ? length : 0));
}

AccessibleInfo SkinnedWindow::Describe() const {
    AccessibleInfo info;
    const bool page = (GetWindowLongPtrW(Hwnd(), GWL_STYLE) & WS_CHILD) != 0;
    info.role = page ? AccRole::PropertyPage : AccRole::Dialog;
    info.name = AccessibleName();
    return info;
}

AccessibleInfo SkinnedWindow::DescribePart(int index) const {
    const auto parts = AccessibleParts();
    return index >= 0 && index < static_cast<int>(parts.size()) ? parts[static_cast<size_t>(index)].info
                                                                 : AccessibleInfo{};
}

RECT SkinnedWindow::PartRect(int index) const {
    const auto parts = AccessibleParts();
    return index >= 0 && index < static_cast<int>(parts.size()) ? parts[static_cast<size_t>(index)].rect : RECT{};
}

// ---- text drawing

win::UniqueFont CreateSkinFont(int height, int weight, const wchar_t* face) {
    return win::UniqueFont(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FF_MODERN, face));
}

void DrawSkinText(HDC dc, std::u16string_view text, RECT rect, UINT format, HFONT font, COLORREF colour) {
    win::SelectGuard selectFont(dc, font);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &rect, format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

}  // namespace tavrel
