#include "app/profile_transfer.h"

#include "app/file_title.h"
#include "config/text.h"

namespace tavrel {

TransferNames ExportNames(std::u16string_view dataFolder, std::u16string_view chosenPath) {
    TransferNames names;
    names.title = FileTitle(chosenPath);
    names.copy = std::u16string(dataFolder) + u"config\\" + names.title + u".gkp";
    return names;
}

TransferNames ImportNames(std::u16string_view dataFolder, std::u16string_view chosenPath) {
    TransferNames names;
    names.title = FileTitle(chosenPath);
    names.copy = std::u16string(dataFolder) + names.title + u".gkp";
    return names;
}

std::u16string ExportSettingsSection(int profileIndex) { return u"Profile" + FormatInt(profileIndex + 1); }

void RaiseImportFlags(SharedConfig& config, int k) {
    if (k < 0 || k >= kProfileCount) return;
    for (int32_t& slot : config.iMacroKeyChanged[k]) slot = 1;
    config.iLightChanged[k] = 1;
    config.iStandardKeyChanged[k] = 1;
    config.iModifyKeyChanged[k] = 1;
    config.iProfileImported[k] = 1;
}

}  // namespace tavrel
