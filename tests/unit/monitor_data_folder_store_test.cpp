// The apply sequence with the real files of the data folder behind it (in memory).
#include "monitor/data_folder_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "config/shared_config.h"
#include "config/text.h"
#include "monitor/monitor_link.h"
#include "monitor/monitor_protocol.h"
#include "tests/unit/support/link_doubles.h"
#include "tests/unit/support/memory_file_system.h"

namespace tavrel {
namespace {

const std::u16string kAppData = u"C:\\Users\\me\\AppData\\Roaming";
const std::u16string kFolder = kAppData + u"\\Orvane Gaming Keyboard\\";

// No monitor process at all: the apply saves and arms the close timer.
class NoMonitor final : public SectionlessMonitorPort, public QuietLinkWindow {
public:
    bool FindMonitorWindow() override { return false; }
    void PostMonitorCommand(uint64_t, int64_t) override {}
};

TEST(MonitorDataFolderStore, AnApplyWithoutMonitorWritesEveryFileAndAStartReadsThemBack) {
    test::MemoryFileSystem files;
    files.AddFolder(kAppData);
    FixedDataFolder folder{kAppData};
    Storage storage{files, folder};
    MacroLibrary library;
    MacroRecord macro{};
    CopyToArray(macro.szName, u"Combo");
    macro.iRepeat = 1;
    library.Append(macro);
    DataFolderStore store(storage, library);
    NoMonitor monitor;

    auto working = std::make_unique<SharedConfig>();
    auto applied = std::make_unique<SharedConfig>();
    MonitorLink link(monitor, monitor, store, *working, *applied);
    EXPECT_EQ(link.LoadStartupConfiguration(), StartupSource::Files);
    *working = *applied;
    working->CurrentProfile = 2;
    CopyToArray(Profile(*working, 2).ProFileName, u"Saved on apply");
    Profile(*working, 1).iRGBGreen = 99;

    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(monitor.closeTimer, 3000u);
    EXPECT_TRUE(files.Has(kFolder + u"config.ini"));
    for (int k = 0; k < kProfileCount; ++k) {
        EXPECT_TRUE(files.Has(kFolder + u"config\\Default" + FormatInt(k) + u".gkp")) << k;
    }
    EXPECT_TRUE(files.Has(kFolder + u"sequence.dat"));

    // The next start without monitor finds exactly what was applied.
    auto reloaded = std::make_unique<SharedConfig>();
    MonitorLink next(monitor, monitor, store, *working, *reloaded);
    EXPECT_EQ(next.LoadStartupConfiguration(), StartupSource::Files);
    EXPECT_EQ(reloaded->CurrentProfile, 2);
    EXPECT_EQ(std::memcmp(reloaded->profiles, applied->profiles, sizeof applied->profiles), 0);
}

}  // namespace
}  // namespace tavrel
