// Finding windows from outside their code: the leak test, the dialog tests and the
// program benchmark drive real windows through their controls.
#pragma once

#include <windows.h>

#include <vector>

// Direct children of `parent` with the window class `className`, in creation order.
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className);
// Every descendant of `parent` with the window class `className`, in creation order.
std::vector<HWND> DescendantsOfClass(HWND parent, const wchar_t* className);
// Visible top-level windows of process `pid` with the window class `className` (any
// class when nullptr).
std::vector<HWND> TopWindowsOf(DWORD pid, const wchar_t* className);
