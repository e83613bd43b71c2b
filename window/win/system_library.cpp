#include "window/win/system_library.h"

#include <objbase.h>

namespace tavrel::win {

namespace {

HMODULE LoadSystemLibrary(const wchar_t* library) {
    if (HMODULE loaded = GetModuleHandleW(library)) return loaded;
    // Only the system folder: never a library of that name beside the program or in
    // the current folder.
    if (HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenW(library) >= MAX_PATH) return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, library);
    return LoadLibraryW(path);
}

// The apartment this thread entered through EnsureComApartment, if any.
thread_local bool t_enteredApartment = false;
thread_local bool t_inApartment = false;

}  // namespace

FARPROC SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

bool EnsureComApartment() {
    if (t_inApartment) return true;
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    const auto initialize = LoadSystemFunction<Initialize>(L"ole32.dll", "CoInitializeEx");
    if (!initialize) return false;
    const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED);
    t_enteredApartment = SUCCEEDED(result);  // S_FALSE too: the count went up, so it is ours to leave
    t_inApartment = t_enteredApartment || result == RPC_E_CHANGED_MODE;
    return t_inApartment;
}

ComApartmentExit::~ComApartmentExit() {
    if (!t_enteredApartment) return;
    using Uninitialize = void(WINAPI*)();
    if (const auto uninitialize = LoadSystemFunction<Uninitialize>(L"ole32.dll", "CoUninitialize")) uninitialize();
    t_enteredApartment = false;
    t_inApartment = false;
}

}  // namespace tavrel::win
