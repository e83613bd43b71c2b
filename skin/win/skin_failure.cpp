#include "skin/win/skin_failure.h"

#include "window/win/message_loop.h"

namespace tavrel {

void ReportUnreadableSkinPicture(HWND owner, const std::u16string& path) {
    const std::u16string text =
        u"A picture of the program's skin could not be read:\n" + path + u"\n\nPlease reinstall the program.";
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    OutputDebugStringW(wide);
    // No owner: the box stands for the whole program (nothing else of it is shown yet).
    const UINT style = MB_OK | MB_ICONERROR | MB_SETFOREGROUND | (owner ? 0u : MB_TASKMODAL);
    win::ForeignLoopScope systemLoop;
    MessageBoxW(owner, wide, nullptr, style);
}

}  // namespace tavrel
