// The apply sequence with the real files of the data folder behind it (in memory).
#include "monitor/data_folder_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
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

// Every apply saves the whole configuration: files that already hold it, untouched
// since the last save, are not written again; any change, ours or another's, is.
TEST(MonitorDataFolderStore, ASaveWritesOnlyWhenTheContentOrAFileChanged) {
    test::MemoryFileSystem files;
    files.AddFolder(kAppData);
    FixedDataFolder folder{kAppData};
    MacroLibrary library;
    DataFolderStore store(Storage{files, folder}, library);
    auto config = std::make_unique<SharedConfig>();
    ResetConfig(*config);
    SetDefaultProfiles(*config);
    const std::u16string profile3 = kFolder + u"config\\Default3.gkp";

    const struct {
        const char* what;
        std::function<void()> change;
        int writes;  // files replaced by the save that follows
    } steps[] = {
        {"first save", [] {}, 5},
        {"the same again", [] {}, 0},
        {"one profile changed", [&] { Profile(*config, 3).iRGBRed = 7; }, 1},
        {"the current profile changed", [&] { config->CurrentProfile = 1; }, 1},
        {"a file rewritten by another", [&] { files.PutFile(profile3, "[x]"); }, 1},
        {"a file removed", [&] { files.Remove(profile3); }, 1},
        {"nothing since", [] {}, 0},
    };
    for (const auto& step : steps) {
        step.change();
        const int before = files.replaceCount;
        EXPECT_TRUE(store.SaveConfiguration(*config).empty()) << step.what;
        EXPECT_EQ(files.replaceCount - before, step.writes) << step.what;
    }
    auto read = std::make_unique<SharedConfig>();
    store.LoadConfiguration(*read);
    EXPECT_EQ(std::memcmp(read->profiles, config->profiles, sizeof config->profiles), 0);
    EXPECT_EQ(read->CurrentProfile, 1);
}

}  // namespace
}  // namespace tavrel
