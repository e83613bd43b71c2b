// The few functions of oleacc.dll and oleaut32.dll the accessible objects need, looked
// up on the first screen reader's request: a program nobody reads never loads them.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

namespace tavrel::win {

// LresultFromObject; 0 (an unanswered request) when oleacc is missing or COM cannot start.
LRESULT ResultFromAccessible(REFIID riid, WPARAM wParam, IUnknown* object);
// CreateStdAccessibleObject: the platform's own object of a window (OBJID_WINDOW) or its
// client area.
HRESULT StandardAccessible(HWND hwnd, LONG objectId, REFIID riid, void** object);
// A BSTR of `text` for the caller to free; nullptr (an absent text) when it is empty.
BSTR AllocateBstr(const std::u16string& text);

}  // namespace tavrel::win
