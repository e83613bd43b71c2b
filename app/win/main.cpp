// Tavrel.exe: the keyboard's configuration program. It takes no arguments.
#include <windows.h>

#include "app/win/tavrel_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tavrel::CTavrelApp app;
    return app.Run();
}
