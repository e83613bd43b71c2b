// A fresh, empty folder under the temporary folder for one test, removed with
// everything in it afterwards.
#pragma once

#include <string>

namespace tavrel::test {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Ends with a backslash.
    const std::u16string& Path() const { return m_path; }
    // Files and folders directly inside.
    int FileCount() const;

private:
    std::u16string m_path;
};

}  // namespace tavrel::test
