// Export and import of one profile file: the paths of the copies kept in the data
// folder, the settings entry an export leaves, and the flags an import raises.
#pragma once

#include <string>
#include <string_view>

#include "config/file_system.h"
#include "config/records.h"

namespace tavrel {

struct TransferNames {
    std::u16string title;  // the chosen file's name without folder and extension
    std::u16string copy;   // where the data folder keeps its copy; empty: no copy
};

// Export keeps its copy in the data folder's "config" subfolder, import in the data
// folder itself. dataFolder ends in a separator (or is empty). An export whose title
// is a stored profile's makes no copy: it would replace that stored profile.
TransferNames ExportNames(std::u16string_view dataFolder, std::u16string_view chosenPath);
TransferNames ImportNames(std::u16string_view dataFolder, std::u16string_view chosenPath);

// True for the titles of the four stored profile files, "Default0" to "Default3", in
// any letter case.
bool IsStoredProfileTitle(std::u16string_view title);

// The stored profile other than k whose file chosenPath names, so that an export of
// profile k there would replace it; -1 when there is none. Both paths are resolved by
// `files` and compared without regard to letter case or the kind of separator.
int StoredProfileReplacedBy(const std::u16string& dataFolder, int k, const std::u16string& chosenPath,
                            IFileSystem& files);

// "Profile%d" of the settings file, numbered from 1.
std::u16string ExportSettingsSection(int profileIndex);
inline constexpr char16_t kExportSettingsKey[] = u"FileName";

// What an import of profile k raises: every macro key slot, lighting, standard keys,
// modifier keys and the import flag of that profile. k outside 0..3: nothing.
void RaiseImportFlags(SharedConfig& config, int k);

}  // namespace tavrel
