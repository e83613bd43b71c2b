#include "macros/win/run_macro_manager.h"

#include "config/macro_library.h"
#include "config/shared_config.h"
#include "config/win/win32_storage.h"
#include "keys/win/system_keyboard_layout.h"
#include "macros/library_store.h"
#include "macros/win/dlg_macro_man.h"

namespace tavrel {

MacroStore& ProgramMacroStore() {
    static LibraryMacroStore store(g_MacroLibrary);
    return store;
}

INT_PTR RunMacroManagerDialog(HWND owner) {
    INT_PTR result = IDCANCEL;
    {
        CDlgMacroMan dialog(ProgramMacroStore(), SystemLayout(), WorkingConfig);
        result = dialog.DoModal(owner);
    }
    PlatformStorage storage;
    if (result == IDOK) {
        SaveMacroLibrary(g_MacroLibrary, storage.Get());
    } else {
        FreeMacroLibrary(g_MacroLibrary);
        LoadMacroLibrary(g_MacroLibrary, storage.Get());
    }
    return result;
}

}  // namespace tavrel
