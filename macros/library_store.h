// The macro manager's and the macro page's MacroStore over the program's library.
#pragma once

#include "config/macro_library.h"
#include "macros/macro_store.h"

namespace tavrel {

class LibraryMacroStore final : public MacroStore {
public:
    // The library must outlive the store (the program's is g_MacroLibrary).
    explicit LibraryMacroStore(MacroLibrary& library) : library_(library) {}
    int Count() const override { return library_.Count(); }
    MacroRecord* At(int position) override { return library_.At(position); }
    void Append(std::u16string_view name) override { AppendMacro(library_, name); }
    void DeleteAt(int position) override { DeleteMacroAt(library_, position); }

private:
    MacroLibrary& library_;
};

}  // namespace tavrel
