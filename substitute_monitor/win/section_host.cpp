#include "substitute_monitor/win/section_host.h"

#include <cstddef>
#include <cstring>

#include "monitor/monitor_protocol.h"

namespace tavrel::substitute {

namespace {
const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
}  // namespace

bool SectionHost::Create() {
    mutex_.Reset(CreateMutexW(nullptr, FALSE, Wide(kMonitorMutexName)));
    if (!mutex_) return false;
    section_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedConfig),
                                      Wide(kMonitorSectionName)));
    if (!section_) return false;
    joined_ = GetLastError() == ERROR_ALREADY_EXISTS;
    view_.Reset(MapViewOfFile(section_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedConfig)));
    return static_cast<bool>(view_);
}

std::string SectionHost::Lock(DWORD timeoutMs) {
    if (!mutex_) return "failed";
    switch (WaitForSingleObject(mutex_.Get(), timeoutMs)) {
    case WAIT_OBJECT_0: return "ok";
    case WAIT_ABANDONED: return "abandoned";
    case WAIT_TIMEOUT: return "timeout";
    default: return "failed";
    }
}

void SectionHost::Unlock() {
    if (mutex_) ReleaseMutex(mutex_.Get());
}

void SectionHost::Read(SharedConfig& target) const {
    if (view_) std::memcpy(&target, view_.Get(), sizeof(SharedConfig));
}

void SectionHost::Write(const SharedConfig& source) {
    if (view_) std::memcpy(view_.Get(), &source, sizeof(SharedConfig));
}

void SectionHost::WritePlugIn(int32_t value) {
    // The one field of the block the monitor owns.
    if (view_) {
        std::memcpy(static_cast<char*>(view_.Get()) + offsetof(SharedConfig, KeyboardPlugIn), &value, sizeof value);
    }
}

}  // namespace tavrel::substitute
