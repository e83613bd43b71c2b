// Owners of kernel objects (files, the monitor link's mutex and section): a handle
// closed with CloseHandle and a mapped view unmapped with UnmapViewOfFile. Move-only.
#pragma once

#include <windows.h>

#include "window/win/unique_handle.h"

namespace tavrel::win {

inline void FreeKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void FreeFileView(void* view) { UnmapViewOfFile(view); }

// A failed CreateFile gives INVALID_HANDLE_VALUE, the others nullptr: both mean nothing
// is owned.
class UniqueKernelHandle : public UniqueHandle<HANDLE, FreeKernelHandle> {
public:
    UniqueKernelHandle() = default;
    explicit UniqueKernelHandle(HANDLE handle) : UniqueHandle(Valid(handle)) {}
    void Reset(HANDLE handle = nullptr) { UniqueHandle::Reset(Valid(handle)); }

private:
    static HANDLE Valid(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }
};

using UniqueFileView = UniqueHandle<void*, FreeFileView>;

}  // namespace tavrel::win
