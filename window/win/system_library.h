// Functions of the system libraries the program needs only now and then: the file
// dialogs, the general picture decoder and COM. They are looked up on first use
// instead of being imported, so the libraries (and the many more they pull in) are
// not loaded at every start; under Wine that loading was a tenth of the start.
#pragma once

#include <windows.h>

namespace tavrel::win {

// The address of `name` in the system library `library` (e.g. L"comdlg32.dll"),
// loaded from the system folder on the first call; nullptr when either is missing.
// The library stays loaded for the rest of the process, as an imported one would.
FARPROC SystemFunction(const wchar_t* library, const char* name);

template <typename Function>
Function LoadSystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, name)));
}

// Enters a single-threaded COM apartment on the calling thread the first time it is
// needed there (the picture decoder and the file dialogs expect one). True when the
// thread is in an apartment, entered here or before.
bool EnsureComApartment();

// Leaves, on destruction, the apartment EnsureComApartment entered on this thread, if
// it did. The program keeps one around its whole run.
class ComApartmentExit {
public:
    ComApartmentExit() = default;
    ComApartmentExit(const ComApartmentExit&) = delete;
    ComApartmentExit& operator=(const ComApartmentExit&) = delete;
    ~ComApartmentExit();
};

}  // namespace tavrel::win
