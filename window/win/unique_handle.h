// One move-only owner for every Win32 handle the program holds. The release function is
// part of the type, so a handle has exactly one owner and is released exactly once, by
// the function that matches how it was obtained.
#pragma once

#include <utility>

namespace tavrel::win {

template <typename Handle, auto Free>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives up ownership; the caller frees the handle (or hands it to the system,
    // as SetWindowRgn does with a region).
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (handle_ && handle_ != handle) Free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

}  // namespace tavrel::win
