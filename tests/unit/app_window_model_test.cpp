#include "app/window_model.h"
#include "config/shared_config.h"
#include "config/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace tavrel;

namespace {

// Records every call as a line so tests can check order as well as content.
class RecordingView : public MainWindowView {
public:
    std::vector<std::string> calls;
    bool checks[kMainButtonCount] = {};
    bool visible[kPageCount] = {};
    int warningAnswer = kResultCancel;
    bool capture = false;
    // Runs inside RunWaiting, as the nested modal loop would.
    std::function<void()> duringWaiting;
    bool waitingOpens = true;

    void SetButtonCheck(MainButton b, bool c) override { checks[static_cast<int>(b)] = c; }
    void ShowPageWindow(int page, bool v) override { visible[page] = v; }
    void RestartLightingTimer() override { calls.push_back("lighting timer"); }
    void RefreshPage(int page) override { calls.push_back("refresh " + std::to_string(page)); }
    void PostMonitorCommand(int w, int l) override {
        calls.push_back("monitor " + std::to_string(w) + "," + std::to_string(l));
    }
    int RunWarning(int mode) override {
        calls.push_back("warning " + std::to_string(mode));
        return warningAnswer;
    }
    bool RunWaiting(int mode) override {
        calls.push_back("waiting " + std::to_string(mode));
        if (!waitingOpens) return false;
        if (duringWaiting) duringWaiting();
        calls.push_back("waiting ended");
        return true;
    }
    void CloseWaiting() override { calls.push_back("close waiting"); }
    void OpenGameLink(int mode) override { calls.push_back("game link " + std::to_string(mode)); }
    void ExportProfile() override { calls.push_back("export"); }
    void ImportProfile() override { calls.push_back("import"); }
    void OpenMacroManager() override { calls.push_back("macro manager"); }
    void EndMainWindow(int r) override { calls.push_back("end " + std::to_string(r)); }
    void PostQuit(int code) override { calls.push_back("quit " + std::to_string(code)); }
    void PostClose() override { calls.push_back("post close"); }
    void Minimize() override { calls.push_back("minimize"); }
    bool HoldsMouseCapture() override { return capture; }
    void ReleaseMouseCapture() override {
        calls.push_back("release capture");
        capture = false;
    }
    void KillCloseTimer() override { calls.push_back("kill timer"); }
    void SyncAndSaveMacroLibrary() override { calls.push_back("sync library"); }

    bool Checked(MainButton b) const { return checks[static_cast<int>(b)]; }
    int CheckedCount(const MainButton (&group)[4]) const {
        int n = 0;
        for (MainButton b : group) n += Checked(b) ? 1 : 0;
        return n;
    }
    bool Called(const std::string& line) const {
        return std::find(calls.begin(), calls.end(), line) != calls.end();
    }
};

struct Fixture {
    std::unique_ptr<SharedConfig> working = std::make_unique<SharedConfig>();
    std::unique_ptr<SharedConfig> applied = std::make_unique<SharedConfig>();
    RecordingView view;
    MainWindowModel model{view, *working};
    Fixture() {
        ResetConfig(*applied);
        SetDefaultProfiles(*applied);
        *working = *applied;
    }
};

const std::vector<std::string> kRefreshAll = {"refresh 0", "refresh 1", "refresh 2", "refresh 3"};

}  // namespace

TEST(AppMainWindow, StartShowsPageZeroSelectsAndAnnouncesTheProfile) {
    Fixture f;
    f.applied->CurrentProfile = 2;
    f.applied->KeyboardPlugIn = 1;
    CopyToArray(f.applied->profiles[1].ProFileName, u"from the section");
    f.model.Start(*f.applied);
    EXPECT_EQ(std::memcmp(f.working.get(), f.applied.get(), sizeof(SharedConfig)), 0);
    std::vector<std::string> expected = {"sync library"};
    expected.insert(expected.end(), kRefreshAll.begin(), kRefreshAll.end());
    expected.push_back("monitor 2,2");
    EXPECT_EQ(f.view.calls, expected);
    EXPECT_EQ(f.model.CurrentPage(), 0);
    EXPECT_TRUE(f.view.Checked(MainButton::PageKeys));
    EXPECT_EQ(f.view.CheckedCount(kPageButtons), 1);
    EXPECT_TRUE(f.view.Checked(MainButton::Profile3));
    EXPECT_EQ(f.view.CheckedCount(kProfileButtons), 1);
    EXPECT_TRUE(f.view.visible[0]);
    EXPECT_FALSE(f.view.visible[1] || f.view.visible[2] || f.view.visible[3]);
}

TEST(AppMainWindow, StartTurnsAnOutOfRangeProfileIntoTheFirst) {
    for (int bad : {-1, -7, 4, 1000}) {
        Fixture f;
        f.applied->CurrentProfile = bad;
        f.model.Start(*f.applied);
        EXPECT_EQ(f.working->CurrentProfile, 0) << bad;
        EXPECT_EQ(f.applied->CurrentProfile, 0) << bad;
        EXPECT_TRUE(f.view.Checked(MainButton::Profile1)) << bad;
        EXPECT_TRUE(f.view.Called("monitor 2,0")) << bad;
    }
}

TEST(AppMainWindow, OnlyAnUnpluggedKeyboardClosesTheWindowAtStart) {
    for (int plugIn : {0, -1, 1}) {
        Fixture f;
        f.applied->KeyboardPlugIn = plugIn;
        f.model.Start(*f.applied);
        EXPECT_EQ(f.view.Called("post close"), plugIn == 0) << plugIn;
    }
}

TEST(AppMainWindow, ShowPageChecksOneButtonShowsOnePageAndRestartsTheLightingTimer) {
    Fixture f;
    for (int page : {3, 1, 3, 3, 0, 2}) {
        f.view.calls.clear();
        f.model.OnButton(kPageButtons[page]);
        EXPECT_EQ(f.model.CurrentPage(), page);
        EXPECT_EQ(f.view.CheckedCount(kPageButtons), 1);
        EXPECT_TRUE(f.view.Checked(kPageButtons[page]));
        for (int i = 0; i < kPageCount; ++i) EXPECT_EQ(f.view.visible[i], i == page);
        // Even when the lighting page is already shown its timer starts again.
        EXPECT_EQ(f.view.Called("lighting timer"), page == 3) << page;
    }
    f.model.ShowPage(4);
    f.model.ShowPage(-1);
    EXPECT_EQ(f.model.CurrentPage(), 2);
}

TEST(AppMainWindow, ProfileButtonSwitchesWorkingRefreshesAndOnlyAnnounces) {
    Fixture f;
    const SharedConfig before = *f.working;
    f.model.OnButton(MainButton::Profile3);
    EXPECT_EQ(f.working->CurrentProfile, 2);
    std::vector<std::string> expected = kRefreshAll;
    expected.push_back("monitor 2,2");
    EXPECT_EQ(f.view.calls, expected);
    EXPECT_TRUE(f.view.Checked(MainButton::Profile3));
    EXPECT_EQ(f.view.CheckedCount(kProfileButtons), 1);
    // Nothing else of the block changes, and no apply runs.
    SharedConfig after = *f.working;
    after.CurrentProfile = before.CurrentProfile;
    EXPECT_EQ(std::memcmp(&after, &before, sizeof(SharedConfig)), 0);
}

TEST(AppMainWindow, ProfileReportedByTheMonitorMovesTheButtonsWithoutAnnouncing) {
    Fixture f;
    f.model.CheckProfileButton(3);
    EXPECT_TRUE(f.view.Checked(MainButton::Profile4));
    EXPECT_EQ(f.view.CheckedCount(kProfileButtons), 1);
    f.model.CheckProfileButton(9);
    EXPECT_TRUE(f.view.Checked(MainButton::Profile4));
    EXPECT_TRUE(f.view.calls.empty());
}

TEST(AppMainWindow, ResetConfirmedRestoresDefaultsRaisesEveryFlagAndAppliesInModeOne) {
    Fixture f;
    f.view.warningAnswer = kResultOk;
    f.working->CurrentProfile = 2;
    CopyToArray(f.working->profiles[2].ProFileName, u"edited");
    f.working->profiles[1].PollingRate = 7;
    f.model.OnButton(MainButton::Reset);

    auto expectedConfig = std::make_unique<SharedConfig>(*f.working);
    SetDefaultProfiles(*expectedConfig);
    MarkAllChanged(*expectedConfig);
    EXPECT_EQ(std::memcmp(expectedConfig.get(), f.working.get(), sizeof(SharedConfig)), 0);
    EXPECT_EQ(f.working->CurrentProfile, 0);
    std::vector<std::string> expected = {"warning 0"};
    expected.insert(expected.end(), kRefreshAll.begin(), kRefreshAll.end());
    expected.push_back("waiting 1");
    expected.push_back("waiting ended");
    EXPECT_EQ(f.view.calls, expected);
}

TEST(AppMainWindow, ResetNotConfirmedChangesNothing) {
    for (int answer : {kResultCancel, -1, 0}) {
        Fixture f;
        f.view.warningAnswer = answer;
        CopyToArray(f.working->profiles[0].ProFileName, u"kept");
        const SharedConfig before = *f.working;
        f.model.OnButton(MainButton::Reset);
        EXPECT_EQ(std::memcmp(&before, f.working.get(), sizeof(SharedConfig)), 0) << answer;
        EXPECT_EQ(f.view.calls, std::vector<std::string>{"warning 0"}) << answer;
    }
}

TEST(AppMainWindow, ApplyAndOkRunTheWaitingDialogAndOkThenQuits) {
    Fixture f;
    f.model.OnButton(MainButton::Apply);
    EXPECT_EQ(f.view.calls, (std::vector<std::string>{"waiting 0", "waiting ended"}));
    f.view.calls.clear();
    f.model.OnButton(MainButton::Ok);
    EXPECT_EQ(f.view.calls, (std::vector<std::string>{"waiting 0", "waiting ended", "quit -1"}));
    // A waiting dialog that cannot open applied nothing: OK leaves the program running.
    f.view.calls.clear();
    f.view.waitingOpens = false;
    f.model.OnButton(MainButton::Ok);
    EXPECT_EQ(f.view.calls, std::vector<std::string>{"waiting 0"});
}

TEST(AppMainWindow, CommandsOwnedByOtherWindowsAreHandedOn) {
    const std::pair<MainButton, std::string> cases[] = {
        {MainButton::Cancel, "end 2"},         {MainButton::GameLinkNew, "game link 1"},
        {MainButton::GameLinkEdit, "game link 0"}, {MainButton::Import, "import"},
        {MainButton::Export, "export"},        {MainButton::MacroManager, "macro manager"},
        {MainButton::Minimize, "minimize"},
    };
    for (const auto& [button, call] : cases) {
        Fixture f;
        f.model.OnButton(button);
        EXPECT_EQ(f.view.calls, std::vector<std::string>{call}) << call;
    }
}

TEST(AppMainWindow, CloseButtonReleasesAHeldCaptureThenPostsClose) {
    Fixture f;
    f.model.OnButton(MainButton::Close);
    EXPECT_EQ(f.view.calls, std::vector<std::string>{"post close"});
    f.view.calls.clear();
    f.view.capture = true;
    f.model.OnButton(MainButton::Close);
    EXPECT_EQ(f.view.calls, (std::vector<std::string>{"release capture", "post close"}));
}

TEST(AppMainWindow, CloseTimerPostsCloseReleasesCaptureAndStops) {
    Fixture f;
    f.model.OnCloseTimer();
    EXPECT_EQ(f.view.calls, (std::vector<std::string>{"post close", "release capture", "kill timer"}));
}

TEST(AppMainWindow, CloseDuringAnApplyWithoutMonitorEndsTheWaitingDialogFirst) {
    Fixture f;
    // The timer's WM_CLOSE arrives while the nested modal run of the waiting dialog is up.
    f.view.duringWaiting = [&] {
        EXPECT_TRUE(f.model.WaitingRunning());
        f.model.OnClose();
    };
    f.model.OnButton(MainButton::Ok);
    EXPECT_EQ(f.view.calls,
              (std::vector<std::string>{"waiting 0", "close waiting", "end 2", "waiting ended", "quit -1"}));
    EXPECT_FALSE(f.model.WaitingRunning());
    // A second WM_CLOSE (the close button after the timer) does not end the window twice.
    f.view.calls.clear();
    f.model.OnClose();
    EXPECT_TRUE(f.view.calls.empty());
}

TEST(AppMainWindow, CloseWithoutAWaitingDialogEndsTheWindowOnly) {
    Fixture f;
    f.model.OnClose();
    EXPECT_EQ(f.view.calls, std::vector<std::string>{"end 2"});
}
