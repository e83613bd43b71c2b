// The macro library file "sequence.dat": whatever it holds, the loaded records have
// event counts of 0..50 and terminated names, no more records than entries, and saving
// the library and loading that file again gives the same records.
//
// Input: one byte of switches, then the file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "config/data_folder.h"
#include "config/ini_file.h"
#include "config/macro_library.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/support/memory_file_system.h"

namespace {

using tavrel::MacroLibrary;
using tavrel::MacroRecord;

void CheckUsable(const MacroLibrary& library) {
    for (int i = 0; i < library.Count(); ++i) {
        const MacroRecord* record = library.At(i);
        FUZZ_CHECK(record != nullptr);
        FUZZ_CHECK(record->iEventCount >= 0 && record->iEventCount <= tavrel::kMaxMacroEvents);
        FUZZ_CHECK(tavrel::fuzz::Terminated(record->szName));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavrel::fuzz::InputReader input(data, size);
    const uint8_t switches = input.Byte();

    const std::u16string appData = u"C:\\Users\\fuzz\\AppData\\Roaming";
    const tavrel::FixedDataFolder dataFolder(appData);
    tavrel::test::MemoryFileSystem files;
    files.AddFolder(appData);
    const tavrel::Storage storage{files, dataFolder};
    const std::u16string folder = tavrel::GetDataFolder(dataFolder);
    files.AddFolder(folder);
    const std::u16string path = tavrel::MacroLibraryPath(folder);
    const std::string file(input.Rest());
    files.PutFile(path, file);

    MacroLibrary library;
    // A library that already holds records is left as it is.
    if (switches & 1) tavrel::AppendMacro(library, u"kept");
    FUZZ_CHECK(tavrel::LoadMacroLibrary(library, storage));
    CheckUsable(library);
    if (switches & 1) {
        FUZZ_CHECK(library.Count() == 1);
        FUZZ_CHECK(std::u16string_view(library.At(0)->szName) == u"kept");
        return 0;
    }

    const tavrel::CIniFile ini(path, files);
    const int32_t number = ini.GetInt(u"Macros", u"number", -1);
    FUZZ_CHECK(library.Count() <= (number < 0 ? 0 : number));
    FUZZ_CHECK(static_cast<size_t>(library.Count()) <= ini.EntryCount(u"Macros"));

    FUZZ_CHECK(tavrel::SaveMacroLibrary(library, storage));
    MacroLibrary reloaded;
    FUZZ_CHECK(tavrel::LoadMacroLibrary(reloaded, storage));
    FUZZ_CHECK(reloaded.Count() == library.Count());
    for (int i = 0; i < library.Count(); ++i) {
        FUZZ_CHECK(tavrel::fuzz::SameBytes(*library.At(i), *reloaded.At(i)));
    }
    return 0;
}
