#include "app/profile_transfer.h"

#include "app/file_title.h"
#include "config/data_folder.h"
#include "config/text.h"

namespace tavrel {

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// One backslash between names, none at the end; a leading pair (a network path) kept.
std::u16string UniformSeparators(std::u16string_view path) {
    std::u16string out;
    for (size_t i = 0; i < path.size(); ++i) {
        const bool separator = IsSeparator(path[i]);
        if (separator && i > 1 && !out.empty() && out.back() == u'\\') continue;
        out += separator ? u'\\' : path[i];
    }
    while (out.size() > 1 && out.back() == u'\\') out.pop_back();
    return out;
}

bool SameFile(const std::u16string& a, const std::u16string& b, IFileSystem& files) {
    return EqualsNoCase(UniformSeparators(files.ResolvedPath(a)), UniformSeparators(files.ResolvedPath(b)));
}

}  // namespace

TransferNames ExportNames(std::u16string_view dataFolder, std::u16string_view chosenPath) {
    TransferNames names;
    names.title = FileTitle(chosenPath);
    if (!IsStoredProfileTitle(names.title)) {
        names.copy = std::u16string(dataFolder) + u"config\\" + names.title + u".gkp";
    }
    return names;
}

TransferNames ImportNames(std::u16string_view dataFolder, std::u16string_view chosenPath) {
    TransferNames names;
    names.title = FileTitle(chosenPath);
    names.copy = std::u16string(dataFolder) + names.title + u".gkp";
    return names;
}

bool IsStoredProfileTitle(std::u16string_view title) {
    for (int k = 0; k < kProfileCount; ++k) {
        if (EqualsNoCase(title, u"Default" + FormatInt(k))) return true;
    }
    return false;
}

int StoredProfileReplacedBy(const std::u16string& dataFolder, int k, const std::u16string& chosenPath,
                            IFileSystem& files) {
    for (int stored = 0; stored < kProfileCount; ++stored) {
        if (stored != k && SameFile(chosenPath, StandingProfilePath(dataFolder, stored), files)) return stored;
    }
    return -1;
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
