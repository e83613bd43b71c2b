#include "app/profile_transfer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace tavrel;

TEST(AppProfileTransfer, CopiesLieInConfigForExportAndInTheDataFolderForImport) {
    const std::u16string folder = u"C:\\Users\\u\\AppData\\Roaming\\Orvane Gaming Keyboard\\";
    const TransferNames exported = ExportNames(folder, u"D:\\Backup\\Race Night.v2.gkp");
    EXPECT_EQ(exported.title, u"Race Night.v2");
    EXPECT_EQ(exported.copy, folder + u"config\\Race Night.v2.gkp");
    const TransferNames imported = ImportNames(folder, u"D:\\Backup\\Race Night.v2.gkp");
    EXPECT_EQ(imported.title, u"Race Night.v2");
    EXPECT_EQ(imported.copy, folder + u"Race Night.v2.gkp");
    // Without a data folder the copies land in the current folder.
    EXPECT_EQ(ImportNames(u"", u"x.gkp").copy, u"x.gkp");
}

TEST(AppProfileTransfer, SettingsSectionIsNumberedFromOne) {
    EXPECT_EQ(ExportSettingsSection(0), u"Profile1");
    EXPECT_EQ(ExportSettingsSection(3), u"Profile4");
}

TEST(AppProfileTransfer, ImportRaisesTheFlagsOfThatProfileOnly) {
    auto config = std::make_unique<SharedConfig>();
    *config = SharedConfig{};
    RaiseImportFlags(*config, 2);
    for (int k = 0; k < kFlagSlots; ++k) {
        const int expected = k == 2 ? 1 : 0;
        for (int slot = 0; slot < kMacroSlotsPerProfile; ++slot) EXPECT_EQ(config->iMacroKeyChanged[k][slot], expected);
        EXPECT_EQ(config->iLightChanged[k], expected) << k;
        EXPECT_EQ(config->iStandardKeyChanged[k], expected) << k;
        EXPECT_EQ(config->iModifyKeyChanged[k], expected) << k;
        EXPECT_EQ(config->iProfileImported[k], expected) << k;
        EXPECT_EQ(config->iProfileReset[k], 0);
        EXPECT_EQ(config->iPerformanceChanged[k], 0);
    }
    EXPECT_EQ(config->iProfileChanged, 0);
    // Nothing outside the flags moves, and a bad index changes nothing at all.
    auto before = std::make_unique<SharedConfig>(*config);
    RaiseImportFlags(*config, 4);
    RaiseImportFlags(*config, -1);
    EXPECT_EQ(std::memcmp(before.get(), config.get(), sizeof(SharedConfig)), 0);
}
