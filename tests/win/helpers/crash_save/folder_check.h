// Reads a data folder back through the program's own readers and tells, file by
// file, which of the two complete states it holds: never a torn, mixed or empty file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/data_folder.h"
#include "config/macro_library.h"
#include "config/records.h"
#include "crash_save/variants.h"

namespace crash_save {

// The files of one save: the settings file, the four profile files, the library.
constexpr int kFileCount = 6;
const char* FileLabel(int file);
std::u16string FilePath(const std::u16string& dataFolder, int file);

// What a complete file of each variant holds: its bytes as the program writes them
// and what the program's readers make of it.
struct VariantReference {
    std::string bytes[kFileCount];
    int currentProfile = 0;
    int keyboardPlugIn = 0;
    std::unique_ptr<tavrel::SharedConfig> config;
    tavrel::MacroLibrary library;
};

struct References {
    VariantReference variant[kVariantCount];
};

// Saves each variant into its own folder under scratchAppData and reads it back.
// Empty when the two variants could not be told apart file by file.
std::string BuildReferences(tavrel::IFileSystem& files, const std::u16string& scratchAppData, References& out);

struct FolderState {
    int variant[kFileCount] = {};  // 0, 1, or -1 when the file is neither
    std::string problems;          // why a file is neither, empty when none is
    int leftovers = 0;             // temporary files of an interrupted replacement

    bool Complete() const { return problems.empty(); }
    bool Mixed() const;
    std::string Describe() const;  // "config.ini=A Default0=B ... leftovers=0"
};

// compareBytes: also require each file to be byte for byte one the program wrote
// (off once the program itself has run on the folder, since its start adds
// informational copies to the settings file).
FolderState CheckFolder(tavrel::IFileSystem& files, const tavrel::Storage& storage, const References& refs,
                        bool compareBytes);

// Saves one variant through the program's storage code, as an apply does.
void SaveVariant(const tavrel::Storage& storage, const tavrel::SharedConfig& config,
                 const tavrel::MacroLibrary& library);

}  // namespace crash_save
