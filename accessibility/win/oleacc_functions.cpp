#include "accessibility/win/oleacc_functions.h"

#include "window/win/system_library.h"

namespace tavrel::win {

LRESULT ResultFromAccessible(REFIID riid, WPARAM wParam, IUnknown* object) {
    using Function = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static const auto function = LoadSystemFunction<Function>(L"oleacc.dll", "LresultFromObject");
    // The object is handed over by marshalling, which needs this thread in an apartment.
    if (!function || !EnsureComApartment()) return 0;
    const LRESULT result = function(riid, wParam, object);
    return result < 0 ? 0 : result;  // a negative answer is an error code
}

HRESULT StandardAccessible(HWND hwnd, LONG objectId, REFIID riid, void** object) {
    *object = nullptr;
    using Function = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    static const auto function = LoadSystemFunction<Function>(L"oleacc.dll", "CreateStdAccessibleObject");
    return function ? function(hwnd, objectId, riid, object) : E_NOTIMPL;
}

BSTR AllocateBstr(const std::u16string& text) {
    if (text.empty()) return nullptr;
    using Function = BSTR(WINAPI*)(const OLECHAR*, UINT);
    static const auto function = LoadSystemFunction<Function>(L"oleaut32.dll", "SysAllocStringLen");
    return function ? function(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))
                    : nullptr;
}

}  // namespace tavrel::win
