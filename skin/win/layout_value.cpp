#include <windows.h>

#include <vector>

#include "skin/win/skinned_window.h"

namespace tavrel {

std::u16string ReadLayoutValue(const std::u16string& layoutPath, const char16_t* section, const std::u16string& key) {
    std::vector<wchar_t> buffer(8192, L'\0');
    const DWORD length = GetPrivateProfileStringW(
        reinterpret_cast<const wchar_t*>(section), reinterpret_cast<const wchar_t*>(key.c_str()), L"", buffer.data(),
        static_cast<DWORD>(buffer.size()), reinterpret_cast<const wchar_t*>(layoutPath.c_str()));
    return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), length);
}

}  // namespace tavrel
