// Owners of the kernel objects of the monitor link: a handle closed with CloseHandle
// and a mapped view unmapped with UnmapViewOfFile. Move-only.
#pragma once

#include <windows.h>

#include <utility>

namespace tavrel::win {

class UniqueKernelHandle {
public:
    UniqueKernelHandle() = default;
    explicit UniqueKernelHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    UniqueKernelHandle(UniqueKernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueKernelHandle& operator=(UniqueKernelHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueKernelHandle(const UniqueKernelHandle&) = delete;
    UniqueKernelHandle& operator=(const UniqueKernelHandle&) = delete;
    ~UniqueKernelHandle() { Reset(); }

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(HANDLE handle = nullptr) {
        if (handle_) CloseHandle(handle_);
        handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    HANDLE handle_ = nullptr;
};

class UniqueFileView {
public:
    UniqueFileView() = default;
    explicit UniqueFileView(void* view) : view_(view) {}
    UniqueFileView(UniqueFileView&& other) noexcept : view_(std::exchange(other.view_, nullptr)) {}
    UniqueFileView& operator=(UniqueFileView&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.view_, nullptr));
        return *this;
    }
    UniqueFileView(const UniqueFileView&) = delete;
    UniqueFileView& operator=(const UniqueFileView&) = delete;
    ~UniqueFileView() { Reset(); }

    void* Get() const { return view_; }
    explicit operator bool() const { return view_ != nullptr; }
    void Reset(void* view = nullptr) {
        if (view_) UnmapViewOfFile(view_);
        view_ = view;
    }

private:
    void* view_ = nullptr;
};

}  // namespace tavrel::win
