// An apply under Windows with the real data-folder files behind the link, and the
// next start reading them back.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "config/shared_config.h"
#include "config/text.h"
#include "config/win/win32_storage.h"
#include "monitor/data_folder_store.h"
#include "monitor/monitor_link.h"
#include "monitor/monitor_protocol.h"
#include "monitor/win/monitor_win.h"
#include "tests/unit/support/link_doubles.h"

namespace tavrel {
namespace {

std::u16string TempFolder() {
    wchar_t temp[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, temp);
    std::wstring folder(temp, n);
    folder += L"tavrel-monitor-store-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return std::u16string(folder.begin(), folder.end());
}

bool FileExists(const std::u16string& path) {
    return GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

TEST(MonitorStorageWin, AnApplyWithoutMonitorWritesTheFilesTheNextStartReads) {
    ASSERT_EQ(win::FindMonitorWindow(), nullptr);
    std::u16string appData = TempFolder();
    Win32FileSystem files;
    FixedDataFolder folder{appData};
    Storage storage{files, folder};
    MacroLibrary library;
    DataFolderStore store(storage, library);
    win::Win32MonitorPort port(20000);
    QuietLinkWindow window;

    auto working = std::make_unique<SharedConfig>();
    auto applied = std::make_unique<SharedConfig>();
    std::memset(working.get(), 0, sizeof(SharedConfig));
    std::memset(applied.get(), 0, sizeof(SharedConfig));
    MonitorLink link(port, window, store, *working, *applied);
    ASSERT_EQ(link.LoadStartupConfiguration(), StartupSource::Files);
    *working = *applied;
    CopyToArray(Profile(*working, 3).ProFileName, u"Written under Windows");
    working->CurrentProfile = 3;
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(window.closeTimer, 3000u);

    std::u16string data = GetDataFolder(folder);
    EXPECT_TRUE(FileExists(data + u"config.ini"));
    EXPECT_TRUE(FileExists(data + u"config\\Default3.gkp"));

    auto reloaded = std::make_unique<SharedConfig>();
    MonitorLink next(port, window, store, *working, *reloaded);
    EXPECT_EQ(next.LoadStartupConfiguration(), StartupSource::Files);
    EXPECT_EQ(reloaded->CurrentProfile, 3);
    EXPECT_EQ(ArrayText(Profile(*reloaded, 3).ProFileName), u"Written under Windows");

    for (int k = 0; k < kProfileCount; ++k) {
        DeleteFileW(reinterpret_cast<const wchar_t*>((data + u"config\\Default" + FormatInt(k) + u".gkp").c_str()));
    }
    DeleteFileW(reinterpret_cast<const wchar_t*>((data + u"config.ini").c_str()));
    DeleteFileW(reinterpret_cast<const wchar_t*>((data + u"sequence.dat").c_str()));
    RemoveDirectoryW(reinterpret_cast<const wchar_t*>((data + u"config").c_str()));
    RemoveDirectoryW(reinterpret_cast<const wchar_t*>(data.c_str()));
    RemoveDirectoryW(reinterpret_cast<const wchar_t*>(appData.c_str()));
}

}  // namespace
}  // namespace tavrel
