// The substitute's event log: one line per event, appended and closed at once so a
// test reading the file concurrently always sees whole lines.
#pragma once

#include <string>

namespace tavrel::substitute {

class EventLog {
public:
    // An empty path logs nothing.
    explicit EventLog(std::wstring path) : path_(std::move(path)) {}
    void Append(const std::string& line) const;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

}  // namespace tavrel::substitute
