// The storage operations carried out with the platform's own private-profile
// functions, entry by entry, walking the same tables as our layer. The compatibility
// tests compare files across the two; the storage benchmark times both.
#pragma once

#include <string>

#include "config/macro_library.h"
#include "config/records.h"

namespace tavrel::test {

std::u16string PlatformGetString(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue);
int32_t PlatformGetInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                       int32_t defaultValue);
bool PlatformGetStruct(const std::u16string& path, std::u16string_view section, std::u16string_view key, void* out,
                       size_t n);
bool PlatformWriteString(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                         std::u16string_view value);
bool PlatformWriteStruct(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                         const void* bytes, size_t n);

void PlatformWriteProfileFile(const ProfileRecord& record, const std::u16string& path);
void PlatformReadProfileFile(ProfileRecord& record, const std::u16string& path);

// dataFolder ends with a backslash and, with its "config" subfolder, exists.
void PlatformSaveConfiguration(const SharedConfig& config, const std::u16string& dataFolder);
void PlatformLoadConfiguration(SharedConfig& config, const std::u16string& dataFolder);
void PlatformSaveMacroLibrary(const MacroLibrary& library, const std::u16string& dataFolder);
void PlatformLoadMacroLibrary(MacroLibrary& library, const std::u16string& dataFolder);

}  // namespace tavrel::test
