// A whole profile file, as an import reads it: whatever the file holds, the record
// comes out with terminated texts and usable event counts, and writing it and reading
// that file again gives the same record.
//
// Input: one byte choosing the profile the record starts from, then the file.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "config/profile_file.h"
#include "config/shared_config.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/support/memory_file_system.h"

namespace {

using tavrel::ProfileRecord;

std::unique_ptr<ProfileRecord> DefaultRecord(int k) {
    auto record = std::make_unique<ProfileRecord>();
    std::memset(record.get(), 0, sizeof(ProfileRecord));
    tavrel::SetDefaultProfile(*record, k);
    return record;
}

void CheckUsable(const ProfileRecord& record) {
    using tavrel::fuzz::Terminated;
    FUZZ_CHECK(Terminated(record.ProFileName));
    FUZZ_CHECK(Terminated(record.GameFile));
    for (const tavrel::MacroKeyInfo& slot : record.MacroKeyInfo) {
        FUZZ_CHECK(Terminated(slot.szText));
        FUZZ_CHECK(Terminated(slot.szPath));
        FUZZ_CHECK(slot.wEventCount <= tavrel::kMaxMacroEvents);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavrel::fuzz::InputReader input(data, size);
    const int k = input.Byte() % tavrel::kProfileCount;
    const std::u16string path = u"C:\\Users\\fuzz\\Documents\\chosen.gkp";

    tavrel::test::MemoryFileSystem files;
    files.AddFolder(u"C:\\Users\\fuzz\\Documents");
    files.PutFile(path, std::string(input.Rest()));

    auto record = DefaultRecord(k);
    FUZZ_CHECK(tavrel::ReadProfileFile(*record, path, files));
    CheckUsable(*record);

    const std::u16string copy = u"C:\\Users\\fuzz\\Documents\\copy.gkp";
    FUZZ_CHECK(tavrel::WriteProfileFile(*record, copy, files));
    auto again = DefaultRecord(k);
    FUZZ_CHECK(tavrel::ReadProfileFile(*again, copy, files));
    FUZZ_CHECK(std::memcmp(record.get(), again.get(), sizeof(ProfileRecord)) == 0);
    return 0;
}
