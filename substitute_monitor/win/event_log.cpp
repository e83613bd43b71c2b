#include "substitute_monitor/win/event_log.h"

#include <windows.h>

#include "window/win/kernel_handles.h"

namespace tavrel::substitute {

void EventLog::Append(const std::string& line) const {
    if (path_.empty()) return;
    // Several processes may append (a second instance forwarding options): the append
    // access right makes each write land at the end of the file.
    win::UniqueKernelHandle file(CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace tavrel::substitute
