// The substitute's ends of the named mutex and shared section: it creates both, and
// touches the section only while it holds the mutex.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "config/records.h"
#include "window/win/kernel_handles.h"

namespace tavrel::substitute {

class SectionHost {
public:
    // Creates (or joins, when a program still holds them) the mutex and the section.
    // Returns false when either could not be created.
    bool Create();
    bool Exists() const { return static_cast<bool>(view_); }
    bool Joined() const { return joined_; }

    // Waits up to timeoutMs. Returns "ok", "abandoned" or "timeout"/"failed"; the first
    // two leave the mutex owned by this thread.
    std::string Lock(DWORD timeoutMs);
    void Unlock();

    // Only between a successful Lock and Unlock.
    void Read(SharedConfig& target) const;
    void Write(const SharedConfig& source);
    void WritePlugIn(int32_t value);

    HANDLE Mutex() const { return mutex_.Get(); }

private:
    win::UniqueKernelHandle mutex_;
    win::UniqueKernelHandle section_;
    win::UniqueFileView view_;
    bool joined_ = false;
};

}  // namespace tavrel::substitute
