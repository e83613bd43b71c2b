#include "app/win/data_folder_storage.h"

#include <windows.h>
#include <shlobj.h>

namespace tavrel {

std::u16string DataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
    std::u16string path(reinterpret_cast<const char16_t*>(folder));
    return path + u"\\Orvane Gaming Keyboard\\";
}

std::u16string DataFolderStorage::DataFolder() { return tavrel::DataFolder(); }
void DataFolderStorage::LoadConfiguration(SharedConfig&) {}
void DataFolderStorage::SaveConfiguration(const SharedConfig&) {}
void DataFolderStorage::SaveMacroLibrary() {}
void DataFolderStorage::LoadMacroLibrary() {}
void DataFolderStorage::SyncAndSaveMacroLibrary(const SharedConfig&) {}
void DataFolderStorage::ExportProfile(const SharedConfig&, const std::u16string&) {}
bool DataFolderStorage::ImportProfile(SharedConfig&, const std::u16string&) { return false; }

}  // namespace tavrel
