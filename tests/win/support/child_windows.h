// Finding a window's buttons from outside its code: the leak test and the program
// benchmark both drive the real main window through its child controls.
#pragma once

#include <windows.h>

#include <vector>

// Direct children of `parent` with the window class `className`, in creation order.
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className);
