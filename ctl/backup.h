// A backup folder: the settings file, the four standing profile files and the macro
// library, laid out as in the data folder ("config.ini", "config\Default0.gkp"...,
// "sequence.dat").
#pragma once

#include <memory>
#include <string>

#include "config/file_system.h"
#include "config/macro_library.h"
#include "config/records.h"

namespace tavrel::ctl {

// The folder as typed, ending in a separator.
std::u16string AsFolder(const std::u16string& path);

// Writes the configuration, a copy of the data folder's settings file (so the entries
// the program keeps there survive) and the library into folder; every file crash-safe.
// Returns what kept the backup from being whole ("could not write sequence.dat"), or
// an empty text. A settings file that exists but cannot be read fails the backup: one
// without its entries would restore a different configuration.
std::string WriteBackup(const std::u16string& folder, const std::u16string& dataFolder, const SharedConfig& config,
                 const MacroLibrary& library, IFileSystem& files);

// A backup read whole before anything is replaced.
struct BackupContent {
    std::string settingsBytes;
    std::unique_ptr<SharedConfig> config = std::make_unique<SharedConfig>();  // CurrentProfile and profiles
    MacroLibrary library;
};

// Reads and checks every file of a backup; returns what is wrong with the first file
// that fails ("config\Default2.gkp is not a profile file"), or an empty text.
std::string ReadBackup(const std::u16string& folder, IFileSystem& files, BackupContent& content);

}  // namespace tavrel::ctl
