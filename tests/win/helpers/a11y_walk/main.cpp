// a11y_walk.exe: a screen reader's view of a running program, from a second process,
// through oleacc only.
//   a11y_walk dump TITLE                 the accessible tree of the top-level window TITLE,
//                                        one object per line (UTF-8 on standard output)
//   a11y_walk press TITLE NAME [ROLE]    the default action of the first object named NAME
//                                        (and with the role number ROLE, when given)
//   a11y_walk state TITLE NAME [ROLE]    that object's state bits, in hexadecimal
// Exit status: 0 done, 1 no such window or object, 2 usage, 3 the object refused.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "tests/win/support/accessible_tree.h"

namespace {

void PrintUtf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
}

const tavrel::test::AccessibleNode* Find(const std::vector<tavrel::test::AccessibleNode>& nodes,
                                         const std::wstring& name, long role) {
    for (const auto& node : nodes) {
        if (node.name == name && (role == 0 || node.role == role)) return &node;
    }
    return nullptr;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring command = argv[1];
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) {
        std::fputs("no such window\n", stderr);
        return 1;
    }
    const auto nodes = tavrel::test::WalkAccessibleTree(window);
    if (command == L"dump") {
        for (const auto& node : nodes) PrintUtf8(tavrel::test::NodeLine(node));
        return nodes.empty() ? 1 : 0;
    }
    if (argc < 4 || (command != L"press" && command != L"state")) return 2;
    const long role = argc > 4 ? std::wcstol(argv[4], nullptr, 10) : 0;
    const auto* node = Find(nodes, argv[3], role);
    if (!node) {
        std::fputs("no such object\n", stderr);
        return 1;
    }
    if (command == L"state") {
        std::printf("%lx\n", static_cast<unsigned long>(node->state));
        return 0;
    }
    const HRESULT result = tavrel::test::DoAccessibleDefaultAction(*node);
    std::printf("%08lx\n", static_cast<unsigned long>(result));
    return SUCCEEDED(result) ? 0 : 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int status = Run(argc, argv);
    CoUninitialize();
    return status;
}
