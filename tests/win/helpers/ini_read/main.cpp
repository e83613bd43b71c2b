// ini_read.exe PATH SECTION KEY: prints one value of an initialisation file as the
// platform's own private-profile service reads it (UTF-8, one line), so end-to-end
// tests check our files through the reader every other program uses.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    std::wstring value(32768, L'\0');
    const DWORD n = GetPrivateProfileStringW(argv[2], argv[3], L"<missing>", value.data(),
                                             static_cast<DWORD>(value.size()), argv[1]);
    value.resize(n);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), text.data(), bytes, nullptr, nullptr);
    text += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return 0;
}
