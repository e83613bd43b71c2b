#include "app/win/platform_case_mapping.h"

#include <windows.h>

namespace tavrel {

std::u16string PlatformCaseMapping::Upper(std::u16string_view text) const {
    std::u16string upper(text);
    if (!upper.empty()) CharUpperBuffW(reinterpret_cast<wchar_t*>(upper.data()), static_cast<DWORD>(upper.size()));
    return upper;
}

}  // namespace tavrel
