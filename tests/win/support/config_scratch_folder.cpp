#include "tests/win/support/config_scratch_folder.h"

#include <windows.h>

#include <atomic>
#include <filesystem>

namespace tavrel::test {

namespace {
std::filesystem::path AsPath(const std::u16string& p) { return std::filesystem::path(p); }
}  // namespace

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring name = std::wstring(temp) + L"tavrel_cfg_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                              std::to_wstring(GetTickCount64()) + L"_" + std::to_wstring(counter++);
    CreateDirectoryW(name.c_str(), nullptr);
    m_path.assign(reinterpret_cast<const char16_t*>(name.c_str()));
    m_path += u"\\";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(AsPath(m_path), ec);
}

int ScratchFolder::FileCount() const {
    int n = 0;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(AsPath(m_path), ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        ++n;
    }
    return n;
}

}  // namespace tavrel::test
