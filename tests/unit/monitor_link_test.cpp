// The apply sequence, the start-up read and the monitor's commands, step by step,
// against one recording double standing for the monitor, the main window and the files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "config/shared_config.h"
#include "config/text.h"
#include "monitor/monitor_link.h"
#include "monitor/monitor_protocol.h"
#include "tests/unit/support/link_doubles.h"

namespace tavrel {
namespace {

class Recorder final : public MonitorPort, public LinkWindowPort, public ConfigStore {
public:
    // Scenario knobs.
    SectionState sectionState = SectionState::Mapped;
    std::vector<bool> windowPresent{true};  // answers of successive FindMonitorWindow calls
    MutexWait waitResult = MutexWait::Acquired;
    std::unique_ptr<SharedConfig> section = std::make_unique<SharedConfig>();
    std::unique_ptr<SharedConfig> filesContent = std::make_unique<SharedConfig>();

    // What happened.
    std::vector<std::string> events;
    std::unique_ptr<SharedConfig> savedConfig = std::make_unique<SharedConfig>();
    bool ownsMutex = false;
    bool wroteWithoutMutex = false;
    std::vector<std::pair<uint64_t, int64_t>> posts;

    Recorder() {
        std::memset(section.get(), 0, sizeof(SharedConfig));
        std::memset(filesContent.get(), 0, sizeof(SharedConfig));
        std::memset(savedConfig.get(), 0, sizeof(SharedConfig));
    }

    SectionState OpenSharedSection() override { events.push_back("open"); return sectionState; }
    bool HasSectionView() const override { return sectionState == SectionState::Mapped; }
    MutexWait WaitForMutex() override {
        events.push_back("wait");
        ownsMutex = waitResult != MutexWait::Failed;
        return waitResult;
    }
    void ReleaseMutex() override {
        events.push_back("release");
        EXPECT_TRUE(ownsMutex) << "released a mutex it does not own";
        ownsMutex = false;
    }
    void ReadSection(SharedConfig& target) override {
        events.push_back("read");
        if (!ownsMutex) wroteWithoutMutex = true;
        target = *section;
    }
    void WriteSection(const SharedConfig& source) override {
        events.push_back("write");
        if (!ownsMutex) wroteWithoutMutex = true;
        int32_t plugIn = section->KeyboardPlugIn;
        *section = source;
        section->KeyboardPlugIn = plugIn;
    }
    bool FindMonitorWindow() override {
        events.push_back("find");
        bool present = windowPresent.front();
        if (windowPresent.size() > 1) windowPresent.erase(windowPresent.begin());
        return present;
    }
    void PostMonitorCommand(uint64_t wParam, int64_t lParam) override {
        events.push_back("post " + std::to_string(wParam) + " " + std::to_string(lParam));
        posts.emplace_back(wParam, lParam);
    }

    void SetCloseTimer(unsigned ms) override { events.push_back("timer " + std::to_string(ms)); }
    void CaptureMouse() override { events.push_back("capture"); }
    void ReleaseMouse() override { events.push_back("uncapture"); }
    void EnableApplyAndOk(bool enable) override { events.push_back(enable ? "enable" : "disable"); }
    void RefreshPages() override { events.push_back("refresh"); }
    void RefreshLightingPage() override { events.push_back("refresh lighting"); }
    void CheckProfileButton(int index) override { events.push_back("check " + std::to_string(index)); }
    void CloseWaitingDialog() override { events.push_back("close waiting"); }
    // Kept apart from the events: the watch is not a step of the apply sequence.
    void WatchMonitor(bool on) override { watching = on; }
    bool watching = false;
    void ReportMapViewFailure() override { events.push_back("map failure"); }

    void LoadConfiguration(SharedConfig& config) override {
        events.push_back("load files");
        config = *filesContent;
    }
    UnwrittenFiles SaveConfiguration(const SharedConfig& config) override {
        events.push_back("save config");
        *savedConfig = config;
        return {};
    }
    UnwrittenFiles SaveMacroLibrary() override {
        events.push_back("save macros");
        return {};
    }
};

using Events = std::vector<std::string>;

class MonitorLinkTest : public ::testing::Test {
protected:
    MonitorLinkTest() {
        ResetConfig(*applied);
        SetDefaultProfiles(*applied);
        applied->KeyboardPlugIn = 1;
        *working = *applied;
    }

    // Raises, in the working copy, every flag ComputeChangeFlags owns, so a test sees
    // whether the comparison ran.
    void RaiseStaleFlags() { MarkAllChanged(*working); }

    std::unique_ptr<SharedConfig> working = std::make_unique<SharedConfig>();
    std::unique_ptr<SharedConfig> applied = std::make_unique<SharedConfig>();
    Recorder rec;
    MonitorLink link{rec, rec, rec, *working, *applied};
};

// ---- apply with the monitor window present

TEST_F(MonitorLinkTest, ApplyRunsEveryStepInOrder) {
    Profile(*working, 1).LtTimeout = 99;
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(rec.events, (Events{"find", "capture", "disable", "wait", "write", "release", "save config",
                                  "save macros", "find", "post 0 0", "enable", "refresh"}));
    EXPECT_FALSE(rec.wroteWithoutMutex);
    EXPECT_FALSE(rec.ownsMutex);
}

TEST_F(MonitorLinkTest, ComputedFlagsReachTheSectionBeforeTheCommandIsPosted) {
    Profile(*working, 2).LtTimeout = 99;
    Profile(*working, 3).standardKey[5] = 0x04;
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(rec.section->iLightChanged[2], 1);
    EXPECT_EQ(rec.section->iLightChanged[1], 0);
    EXPECT_EQ(rec.section->iStandardKeyChanged[3], 1);
    EXPECT_EQ(Profile(*rec.section, 2).LtTimeout, 99);
    // The command follows the write.
    auto write = std::find(rec.events.begin(), rec.events.end(), "write");
    auto post = std::find(rec.events.begin(), rec.events.end(), "post 0 0");
    ASSERT_NE(post, rec.events.end());
    EXPECT_LT(write, post);
}

TEST_F(MonitorLinkTest, ApplyOfANameOnlyChangeSendsEveryFlagZeroAndTheName) {
    RaiseStaleFlags();
    CopyToArray(Profile(*working, 0).ProFileName, u"Raid night");
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_TRUE(NoChangeFlagRaised(*rec.section));
    EXPECT_EQ(ArrayText(Profile(*rec.section, 0).ProFileName), u"Raid night");
    EXPECT_EQ(rec.posts, (std::vector<std::pair<uint64_t, int64_t>>{{MONITOR_APPLY, 0}}));
}

TEST_F(MonitorLinkTest, ApplyAfterResetSkipsTheComparison) {
    RaiseStaleFlags();  // the blocks are otherwise identical: a comparison would clear them
    link.ApplyConfiguration(kApplyAfterReset);
    EXPECT_EQ(rec.section->iProfileReset[0], 1);
    EXPECT_EQ(rec.section->iMacroKeyChanged[4][31], 1);
    EXPECT_EQ(rec.section->iProfileChanged, 1);
    EXPECT_EQ(rec.posts, (std::vector<std::pair<uint64_t, int64_t>>{{MONITOR_APPLY_RESET, 0}}));
}

TEST_F(MonitorLinkTest, ApplyClearsTheFlagsAndMakesTheWorkingCopyTheAppliedOne) {
    working->iHDDKeyboardChanged = 1;
    working->KeyboardPlugIn = 7;
    Profile(*working, 0).PollingRate = 2;
    link.ApplyConfiguration(kApplyChanges);
    // The files were saved before the flags were cleared.
    EXPECT_EQ(rec.savedConfig->iPerformanceChanged[0], 1);
    EXPECT_EQ(Profile(*rec.savedConfig, 0).PollingRate, 2);
    EXPECT_EQ(working->iPerformanceChanged[0], 0);
    EXPECT_EQ(working->KeyboardPlugIn, 7);
    EXPECT_EQ(std::memcmp(working.get(), applied.get(), sizeof(SharedConfig)), 0);
}

TEST_F(MonitorLinkTest, TheSectionIsNeverWrittenWithoutTheMutex) {
    rec.waitResult = MutexWait::Failed;
    CopyToArray(Profile(*working, 0).ProFileName, u"kept local");
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(rec.events, (Events{"find", "capture", "disable", "wait", "save config", "save macros", "find",
                                  "post 0 0", "enable", "refresh"}));
    EXPECT_FALSE(rec.wroteWithoutMutex);
    EXPECT_EQ(ArrayText(Profile(*rec.savedConfig, 0).ProFileName), u"kept local");
}

TEST_F(MonitorLinkTest, AnAbandonedMutexIsTakenOverAndTheWholeCopyWritten) {
    rec.waitResult = MutexWait::Abandoned;
    std::memset(rec.section.get(), 0xCD, sizeof(SharedConfig));  // what a dying writer left
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(rec.events, (Events{"find", "capture", "disable", "wait", "write", "release", "save config",
                                  "save macros", "find", "post 0 0", "enable", "refresh"}));
    EXPECT_EQ(std::memcmp(rec.section.get(), rec.savedConfig.get(), offsetof(SharedConfig, iMacroKeyChanged)), 0);
    EXPECT_FALSE(rec.ownsMutex);
}

TEST_F(MonitorLinkTest, WithoutASectionViewTheApplyStillSavesAndPosts) {
    rec.sectionState = SectionState::Absent;
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(rec.events, (Events{"find", "capture", "disable", "save config", "save macros", "find", "post 0 0",
                                  "enable", "refresh"}));
}

// ---- apply without the monitor window

TEST_F(MonitorLinkTest, AnAbsentMonitorSavesClearsAndArmsTheCloseTimer) {
    rec.windowPresent = {false};
    RaiseStaleFlags();
    working->iHDDKeyboardChanged = 1;
    Profile(*working, 1).iRGBGreen = 200;
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(rec.events, (Events{"find", "timer 3000", "save config", "save macros"}));
    EXPECT_EQ(Profile(*rec.savedConfig, 1).iRGBGreen, 200);
    EXPECT_EQ(working->iProfileReset[0], 0);
    EXPECT_EQ(working->iHDDKeyboardChanged, 1);  // survives the clearing
    EXPECT_EQ(std::memcmp(working.get(), applied.get(), sizeof(SharedConfig)), 0);
}

TEST_F(MonitorLinkTest, AMonitorThatVanishesDuringTheApplyClosesTheProgramLikeAnAbsentOne) {
    rec.windowPresent = {true, false};
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_EQ(rec.events, (Events{"find", "capture", "disable", "wait", "write", "release", "save config",
                                  "save macros", "find", "timer 3000", "enable", "refresh"}));
    EXPECT_TRUE(rec.posts.empty());
}

// ---- a monitor that goes away while an apply awaits its answer

TEST_F(MonitorLinkTest, AnAnsweredApplyWatchesTheMonitorOnlyUntilTheAnswer) {
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_TRUE(rec.watching);
    EXPECT_TRUE(link.AwaitingAnswer());
    link.HandleMonitorCommand(0, MONITOR_APPLY_DONE);
    EXPECT_FALSE(rec.watching);
    EXPECT_FALSE(link.AwaitingAnswer());
}

TEST_F(MonitorLinkTest, AMonitorStillThereKeepsTheWaitingDialog) {
    rec.windowPresent = {true, true, true};
    link.ApplyConfiguration(kApplyChanges);
    rec.events.clear();
    link.CheckMonitorStillThere();
    EXPECT_EQ(rec.events, (Events{"find"}));
    EXPECT_TRUE(rec.watching);
}

TEST_F(MonitorLinkTest, AMonitorGoneBeforeItsAnswerClosesTheProgramThreeSecondsLater) {
    rec.windowPresent = {true, true, false};
    link.ApplyConfiguration(kApplyChanges);
    ASSERT_EQ(rec.posts.size(), 1u);
    rec.events.clear();
    link.CheckMonitorStillThere();
    EXPECT_EQ(rec.events, (Events{"find", "timer 3000"}));
    EXPECT_FALSE(rec.watching);
    EXPECT_FALSE(link.AwaitingAnswer());
    // A tick already queued behind the decision arms nothing twice.
    rec.events.clear();
    link.CheckMonitorStillThere();
    EXPECT_TRUE(rec.events.empty());
}

TEST_F(MonitorLinkTest, AnApplyWithoutMonitorOrAfterTheAnswerIsNotWatched) {
    rec.windowPresent = {false};
    link.ApplyConfiguration(kApplyChanges);
    EXPECT_FALSE(rec.watching);
    EXPECT_FALSE(link.AwaitingAnswer());
    rec.events.clear();
    link.CheckMonitorStillThere();
    EXPECT_TRUE(rec.events.empty());
}

// ---- inbound commands

TEST_F(MonitorLinkTest, ApplyDoneClosesTheWaitingDialogAndReleasesTheMouse) {
    EXPECT_TRUE(link.HandleMonitorCommand(0, MONITOR_APPLY_DONE));
    EXPECT_EQ(rec.events, (Events{"close waiting", "uncapture"}));
}

TEST_F(MonitorLinkTest, StartApplyModeZeroAppliesTheChanges) {
    Profile(*working, 0).iResponTime = 1;
    EXPECT_TRUE(link.HandleMonitorCommand(0, MONITOR_START_APPLY));
    EXPECT_EQ(rec.section->iPerformanceChanged[0], 1);
    EXPECT_EQ(rec.posts, (std::vector<std::pair<uint64_t, int64_t>>{{MONITOR_APPLY, 0}}));
}

TEST_F(MonitorLinkTest, StartApplyModeOneResetsEveryProfileAndSendsApplyReset) {
    working->CurrentProfile = 2;
    CopyToArray(Profile(*working, 3).ProFileName, u"custom");
    Profile(*working, 1).standardKey[0] = 0x04;
    EXPECT_TRUE(link.HandleMonitorCommand(1, MONITOR_START_APPLY));

    auto defaults = std::make_unique<SharedConfig>();
    ResetConfig(*defaults);
    SetDefaultProfiles(*defaults);
    EXPECT_EQ(rec.section->CurrentProfile, 0);
    EXPECT_EQ(std::memcmp(rec.section->profiles, defaults->profiles, sizeof(defaults->profiles)), 0);
    auto marked = std::make_unique<SharedConfig>(*rec.section);
    MarkAllChanged(*marked);
    EXPECT_EQ(std::memcmp(marked.get(), rec.section.get(), sizeof(SharedConfig)), 0)
        << "every flag of MarkAllChanged is raised in the section";
    EXPECT_EQ(rec.events.front(), "refresh");  // pages show the defaults before the apply
    EXPECT_EQ(rec.posts, (std::vector<std::pair<uint64_t, int64_t>>{{MONITOR_APPLY_RESET, 0}}));
}

TEST_F(MonitorLinkTest, StartApplyWithAnotherModeDoesNothing) {
    EXPECT_TRUE(link.HandleMonitorCommand(2, MONITOR_START_APPLY));
    EXPECT_TRUE(rec.events.empty());
}

TEST_F(MonitorLinkTest, ProfileChangedSelectsTheProfileAndSendsNothingBack) {
    EXPECT_TRUE(link.HandleMonitorCommand(3, MONITOR_PROFILE_CHANGED));
    EXPECT_EQ(working->CurrentProfile, 3);
    EXPECT_EQ(rec.events, (Events{"check 3", "refresh"}));
    EXPECT_TRUE(rec.posts.empty());
    EXPECT_EQ(applied->CurrentProfile, 0);  // reaches the keyboard with the next apply
}

TEST_F(MonitorLinkTest, ProfileChangedOutsideTheFourProfilesIsIgnored) {
    working->CurrentProfile = 1;
    for (uint64_t bad : {uint64_t{4}, uint64_t{100}, ~uint64_t{0}, uint64_t{1} << 32}) {
        EXPECT_TRUE(link.HandleMonitorCommand(bad, MONITOR_PROFILE_CHANGED));
        EXPECT_EQ(working->CurrentProfile, 1) << bad;
    }
    EXPECT_TRUE(rec.events.empty());
}

TEST_F(MonitorLinkTest, EffectChangedStoresTheMappedEffectInTheCurrentProfile) {
    struct Case { uint64_t code; int effect; };
    for (Case c : {Case{1, 2}, Case{2, 5}, Case{3, 3}, Case{4, 4}, Case{7, 1}, Case{0, 1}, Case{~uint64_t{0}, 1}}) {
        working->CurrentProfile = 1;
        Profile(*working, 1).LtEffectType = 0;
        Profile(*working, 0).LtEffectType = 9;
        rec.events.clear();
        EXPECT_TRUE(link.HandleMonitorCommand(c.code, MONITOR_EFFECT_CHANGED));
        EXPECT_EQ(Profile(*working, 1).LtEffectType, c.effect) << "code " << c.code;
        EXPECT_EQ(Profile(*working, 0).LtEffectType, 9);
        EXPECT_EQ(rec.events, (Events{"refresh lighting"}));
    }
    EXPECT_TRUE(rec.posts.empty());
}

TEST_F(MonitorLinkTest, UnknownCodesAreLeftToTheDefaultHandling) {
    for (int64_t code : {0, 3, 21, 31, -1}) EXPECT_FALSE(link.HandleMonitorCommand(1, code)) << code;
    EXPECT_TRUE(rec.events.empty());
}

// ---- start-up

TEST_F(MonitorLinkTest, StartupReadsTheSectionAndClearsItsFlags) {
    ResetConfig(*rec.section);
    SetDefaultProfiles(*rec.section);
    rec.section->CurrentProfile = 2;
    CopyToArray(Profile(*rec.section, 2).ProFileName, u"from keyboard");
    MarkAllChanged(*rec.section);
    rec.section->iProfileImported[1] = 1;
    rec.section->iHDDKeyboardChanged = 1;
    rec.section->KeyboardPlugIn = 1;
    EXPECT_EQ(link.LoadStartupConfiguration(), StartupSource::Section);
    EXPECT_EQ(rec.events, (Events{"open", "wait", "read", "release"}));
    EXPECT_EQ(applied->CurrentProfile, 2);
    EXPECT_EQ(ArrayText(Profile(*applied, 2).ProFileName), u"from keyboard");
    EXPECT_EQ(applied->iProfileReset[0], 0);
    EXPECT_EQ(applied->iProfileImported[1], 0);
    EXPECT_EQ(applied->iHDDKeyboardChanged, 1);
    EXPECT_EQ(applied->KeyboardPlugIn, 1);
}

TEST_F(MonitorLinkTest, StartupTurnsAProfileIndexAboveThreeIntoZero) {
    for (int index : {4, 7, 0x7FFFFFFF}) {
        rec.section->CurrentProfile = index;
        link.LoadStartupConfiguration();
        EXPECT_EQ(applied->CurrentProfile, 0) << index;
    }
}

TEST_F(MonitorLinkTest, StartupTerminatesTextsFromTheSection) {
    std::memset(rec.section.get(), 0x41, sizeof(SharedConfig));
    link.LoadStartupConfiguration();
    for (int k = 0; k < kProfileCount; ++k) {
        EXPECT_LT(ArrayText(Profile(*applied, k).ProFileName).size(), size_t{kProfileNameChars});
        EXPECT_LT(ArrayText(Profile(*applied, k).GameFile).size(), size_t{kGameFileChars});
    }
}

TEST_F(MonitorLinkTest, StartupWithAnAbandonedMutexLoadsTheFiles) {
    rec.waitResult = MutexWait::Abandoned;
    std::memset(rec.section.get(), 0xEE, sizeof(SharedConfig));
    SetDefaultProfiles(*rec.filesContent);
    rec.filesContent->KeyboardPlugIn = -1;
    CopyToArray(Profile(*rec.filesContent, 1).ProFileName, u"last applied");
    EXPECT_EQ(link.LoadStartupConfiguration(), StartupSource::FilesAbandoned);
    EXPECT_EQ(rec.events, (Events{"open", "wait", "release", "load files"}));
    EXPECT_EQ(ArrayText(Profile(*applied, 1).ProFileName), u"last applied");
}

TEST_F(MonitorLinkTest, StartupWithAFailedWaitKeepsTheResetBlock) {
    rec.waitResult = MutexWait::Failed;
    applied->KeyboardPlugIn = 0;
    EXPECT_EQ(link.LoadStartupConfiguration(), StartupSource::Nothing);
    EXPECT_EQ(rec.events, (Events{"open", "wait"}));
    EXPECT_EQ(applied->CurrentProfile, -1);
    EXPECT_EQ(applied->KeyboardPlugIn, 0);
}

TEST_F(MonitorLinkTest, StartupWithoutAUsableViewReportsItAndLoadsTheFiles) {
    rec.sectionState = SectionState::Unmapped;
    EXPECT_EQ(link.LoadStartupConfiguration(), StartupSource::Files);
    EXPECT_EQ(rec.events, (Events{"open", "map failure", "load files"}));
}

TEST_F(MonitorLinkTest, StartupWithoutTheSectionLoadsTheFilesSilently) {
    rec.sectionState = SectionState::Absent;
    EXPECT_EQ(link.LoadStartupConfiguration(), StartupSource::Files);
    EXPECT_EQ(rec.events, (Events{"open", "load files"}));
}

}  // namespace
}  // namespace tavrel
