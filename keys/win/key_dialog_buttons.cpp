#include "keys/win/key_dialog_buttons.h"

namespace tavrel {

HWND KeyFieldOf(HWND dialog, int id, DWORD extraStyle) {
    if (HWND field = GetDlgItem(dialog, id)) return field;
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_CENTER | extraStyle, 0, 0, 10,
                           10, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

void SetFieldText(HWND field, const std::u16string& text) {
    if (field) SetWindowTextW(field, reinterpret_cast<const wchar_t*>(text.c_str()));
}

}  // namespace tavrel
