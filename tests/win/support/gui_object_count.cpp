#include "tests/win/support/gui_object_count.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <set>

namespace tavrel::test {

namespace {

// One entry of the GDI handle table, as the 64-bit PEB points to it.
struct GdiTableEntry {
    uint64_t kernelObject;
    uint32_t owner;  // process id in the low word
    uint16_t unique;
    uint8_t type;    // 0: free entry
    uint8_t flags;
    uint64_t userData;
};
static_assert(sizeof(GdiTableEntry) == 24);

constexpr size_t kGdiTableEntries = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;  // GdiSharedHandleTable in the 64-bit PEB

// User handles are 16-bit indices: even numbers from 0x20 up to 0xFFEE; a handle whose
// high word is zero names the index whatever its generation.
constexpr uintptr_t kFirstUserHandle = 0x20;
constexpr uintptr_t kLastUserHandle = 0xFFEE;

void CountGdiTable(GuiObjectCounts& counts) {
    const uint8_t* peb = nullptr;
    // The PEB's address is at gs:0x60 on x64 (NtCurrentTeb trips the compiler's bounds check).
    asm("movq %%gs:0x60, %0" : "=r"(peb));
    const auto* table = *reinterpret_cast<const GdiTableEntry* const*>(peb + kPebGdiTableOffset);
    if (!table) return;
    const uint16_t pid = static_cast<uint16_t>(GetCurrentProcessId());
    for (size_t i = 0; i < kGdiTableEntries; ++i) {
        const GdiTableEntry& entry = table[i];
        if (entry.type == 0) continue;
        // A table shared between processes marks each entry with its owner.
        const uint16_t owner = static_cast<uint16_t>(entry.owner & 0xFFFF);
        if (owner != 0 && owner != pid) continue;
        ++counts.gdi;
        ++counts.byKind["gdi type " + std::to_string(entry.type)];
    }
}

using IconSizeFunction = BOOL(WINAPI*)(HICON, UINT, LONG*, LONG*);

IconSizeFunction IconSizeQuery() {
    HMODULE win32u = GetModuleHandleW(L"win32u.dll");
    if (!win32u) return nullptr;
    return reinterpret_cast<IconSizeFunction>(
        reinterpret_cast<void*>(GetProcAddress(win32u, "NtUserGetIconSize")));
}

void CountUserHandles(GuiObjectCounts& counts) {
    const DWORD pid = GetCurrentProcessId();
    const IconSizeFunction iconSize = IconSizeQuery();
    for (uintptr_t index = kFirstUserHandle; index <= kLastUserHandle; index += 2) {
        void* handle = reinterpret_cast<void*>(index);
        DWORD owner = 0;
        if (IsWindow(static_cast<HWND>(handle)) && GetWindowThreadProcessId(static_cast<HWND>(handle), &owner) &&
            owner == pid) {
            ++counts.user;
            ++counts.byKind["window"];
        } else if (IsMenu(static_cast<HMENU>(handle))) {
            ++counts.user;
            ++counts.byKind["menu"];
        } else if (LONG cx = 0, cy = 0; iconSize && iconSize(static_cast<HICON>(handle), 0, &cx, &cy)) {
            ++counts.user;
            ++counts.byKind["icon"];
        }
    }
}

}  // namespace

GuiObjectCounts CountGuiObjects() {
    GuiObjectCounts counts;
    SetLastError(ERROR_SUCCESS);
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (gdi != 0 || user != 0) {
        counts.gdi = static_cast<long>(gdi);
        counts.user = static_cast<long>(user);
        counts.source = "GetGuiResources";
        return counts;
    }
    counts.source = "handle tables";
    CountGdiTable(counts);
    CountUserHandles(counts);
    return counts;
}

std::string DescribeChange(const GuiObjectCounts& before, const GuiObjectCounts& after) {
    std::string text = "gdi " + std::to_string(before.gdi) + " -> " + std::to_string(after.gdi) + ", user " +
                       std::to_string(before.user) + " -> " + std::to_string(after.user) + " (" + after.source + ")";
    std::set<std::string> kinds;
    for (const auto& [kind, n] : before.byKind) kinds.insert(kind);
    for (const auto& [kind, n] : after.byKind) kinds.insert(kind);
    for (const std::string& kind : kinds) {
        const auto b = before.byKind.find(kind);
        const auto a = after.byKind.find(kind);
        const long change = (a == after.byKind.end() ? 0 : a->second) - (b == before.byKind.end() ? 0 : b->second);
        if (change != 0) text += "; " + kind + (change > 0 ? " +" : " ") + std::to_string(change);
    }
    return text;
}

}  // namespace tavrel::test
