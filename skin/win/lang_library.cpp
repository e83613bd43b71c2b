#include "skin/win/lang_library.h"

#include <windows.h>

#include <utility>

#include "skin/app_dir.h"

namespace tavrel {

namespace {

std::u16string& LibraryFile() {
    static std::u16string file = u"lang.dll";
    return file;
}

HMODULE LanguageLibrary() {
    static HMODULE library = nullptr;
    static std::u16string loadedFile;
    if (library && loadedFile != LibraryFile()) {
        FreeLibrary(library);
        library = nullptr;
    }
    if (!library) {
        const std::u16string path = AppPath(LibraryFile());
        library = LoadLibraryExW(reinterpret_cast<const wchar_t*>(path.c_str()), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        loadedFile = LibraryFile();
    }
    return library;
}

}  // namespace

void UseLanguageLibrary(std::u16string relativePath) { LibraryFile() = std::move(relativePath); }

std::u16string LoadLangString(int number) {
    LangTable table;
    LoadLangTable(table, number, number);
    return table.Get(0);
}

void LoadLangTable(LangTable& table, int first, int last) {
    table.Clear();
    if (last < first || first < 0 || last > 0xFFFF) return;
    HMODULE library = LanguageLibrary();
    for (int number = first; number <= last; ++number) {
        wchar_t buffer[520] = {};
        const int length = library ? LoadStringW(library, static_cast<UINT>(number), buffer, 520) : 0;
        table.Append(std::u16string(reinterpret_cast<const char16_t*>(buffer), length > 0 ? length : 0));
    }
}

}  // namespace tavrel
