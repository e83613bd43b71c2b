// tavrelctl's commands over scripted doubles of the monitor and the host, with the
// data folder in memory: what a command writes, posts and reports when a lock wait
// runs out, a file cannot be written or the program opens meanwhile.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/folder_storage.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "ctl/commands.h"
#include "ctl/exit_status.h"
#include "monitor/monitor_protocol.h"
#include "tests/unit/support/memory_file_system.h"

namespace tavrel::ctl {
namespace {

const std::u16string kAppData = u"C:\\Users\\me\\AppData\\Roaming";
const std::u16string kFolder = kAppData + u"\\Orvane Gaming Keyboard\\";
const std::string kBackup = "D:\\backup";

using Events = std::vector<std::string>;

// The monitor with its window and section; successive mutex waits give `waits` in
// turn, the last one repeating.
class ScriptedMonitor final : public MonitorPort {
public:
    explicit ScriptedMonitor(Events& events) : events_(events) {
        ResetConfig(*section);
        SetDefaultProfiles(*section);
        section->KeyboardPlugIn = 1;
    }
    SectionState OpenSharedSection() override { return SectionState::Mapped; }
    bool HasSectionView() const override { return true; }
    MutexWait WaitForMutex() override {
        const MutexWait result = waits.front();
        if (waits.size() > 1) waits.erase(waits.begin());
        events_.push_back(result == MutexWait::Failed ? "lock ran out" : "lock");
        return result;
    }
    void ReleaseMutex() override {}
    void ReadSection(SharedConfig& target) override { target = *section; }
    void WriteSection(const SharedConfig& source) override {
        events_.push_back("write section");
        *section = source;
    }
    bool FindMonitorWindow() override { return window; }
    void PostMonitorCommand(uint64_t wParam, int64_t lParam) override {
        events_.push_back("post " + std::to_string(wParam) + " " + std::to_string(lParam));
    }

    std::vector<MutexWait> waits{MutexWait::Acquired};
    bool window = true;
    std::unique_ptr<SharedConfig> section = std::make_unique<SharedConfig>();

private:
    Events& events_;
};

class ScriptedHost final : public CtlHost {
public:
    explicit ScriptedHost(Events& events) : events_(events) {}
    bool ProgramWindowOpen() override {
        const bool open = programOpen.front();
        if (programOpen.size() > 1) programOpen.erase(programOpen.begin());
        return open;
    }
    bool TakeLock() override { return true; }
    void OpenAnswerWindow() override { events_.push_back("answer window"); }
    void ForgetEarlierAnswers() override { events_.push_back("forget answers"); }
    AnswerWait WaitForApplyDone() override { return AnswerWait::Answered; }

    std::vector<bool> programOpen{false};  // successive looks, the last repeating

private:
    Events& events_;
};

class CtlRunner : public ::testing::Test {
protected:
    CtlRunner() {
        files.AddFolder(kAppData);
        files.AddFolder(u"D:\\backup");
    }

    int Run(Verb verb, const std::string& profile = "2", const std::string& value = "00A0FF",
            const std::string& path = kBackup) {
        Request request;
        request.verb = verb;
        request.profile = profile;
        request.value = value;
        request.path = path;
        output = {};
        FixedDataFolder folder{kAppData};
        FolderStorage storage(Storage{files, folder}, library);
        Runner runner(monitor, storage, files, library, host, lightStrings);
        return runner.Run(request, output);
    }

    Events events;
    test::MemoryFileSystem files;
    MacroLibrary library;
    LangTable lightStrings;
    ScriptedMonitor monitor{events};
    ScriptedHost host{events};
    RunOutput output;
};

bool Has(const Events& events, const std::string& event) {
    return std::find(events.begin(), events.end(), event) != events.end();
}

// The wait for the monitor's lock before the section is written runs out after the
// start read the section: nothing is written, saved or posted.
TEST_F(CtlRunner, ALockWaitThatRunsOutAtTheApplyLeavesEverythingAsItWas) {
    ASSERT_EQ(Run(Verb::Backup), kExitDone) << output.err;
    for (const Verb verb : {Verb::Color, Verb::Reset, Verb::Restore}) {
        SCOPED_TRACE(static_cast<int>(verb));
        events.clear();
        monitor.waits = {MutexWait::Acquired, MutexWait::Failed};
        const int writes = files.replaceCount;
        EXPECT_EQ(Run(verb), kExitNoAnswer);
        EXPECT_NE(output.err.find("ran out waiting for the monitor's lock; nothing changed"), std::string::npos)
            << output.err;
        EXPECT_EQ(files.replaceCount, writes);
        EXPECT_FALSE(Has(events, "write section"));
        EXPECT_FALSE(Has(events, "post 0 0") || Has(events, "post 1 0"));
    }
}

// Answers that reached the window before this command posts are dropped right before
// the post; the window is there from the start, so such an answer cannot land later.
TEST_F(CtlRunner, EarlierAnswersAreDroppedRightBeforeTheCommandIsPosted) {
    ASSERT_EQ(Run(Verb::Color), kExitDone) << output.err;
    const auto post = std::find(events.begin(), events.end(), "post 0 0");
    ASSERT_NE(post, events.end());
    EXPECT_EQ(*(post - 1), "forget answers");
    EXPECT_EQ(events.front(), "answer window");
    EXPECT_EQ(Profile(*monitor.section, 2).iRGBBlue, 255);
}

TEST_F(CtlRunner, AProgramStartedWhileTheCommandWaitedItsTurnStopsIt) {
    host.programOpen = {false, true};
    const int writes = files.replaceCount;
    EXPECT_EQ(Run(Verb::Select), kExitProgramOpen);
    EXPECT_EQ(files.replaceCount, writes);
    EXPECT_TRUE(events.empty()) << events.front();
}

// A file that cannot be written gets a status of its own and is named, with or
// without the monitor; the message says what the other files hold.
TEST_F(CtlRunner, AFileThatCannotBeWrittenIsNamedWithAStatusOfItsOwn) {
    ASSERT_EQ(Run(Verb::Backup), kExitDone) << output.err;
    const std::u16string profile2 = kFolder + u"config\\Default2.gkp";
    files.unwritable = {profile2};
    struct Row { Verb verb; bool monitor; std::string others; };
    for (const Row& row : {Row{Verb::Color, false, "the other files hold it"},
                           Row{Verb::Color, true, "the other files hold it"},
                           Row{Verb::Restore, true, "every other file of the data folder holds the backup"}}) {
        SCOPED_TRACE(static_cast<int>(row.verb));
        monitor.window = row.monitor;
        EXPECT_EQ(Run(row.verb), kExitNotWritten);
        EXPECT_NE(output.err.find("could not write " + Utf16ToUtf8(profile2) + "; " + row.others), std::string::npos)
            << output.err;
        EXPECT_EQ(output.err.find("Default1.gkp"), std::string::npos) << output.err;
    }

    files.unwritable = {kFolder + u"config.ini"};
    EXPECT_EQ(Run(Verb::Select), kExitNotWritten);
    EXPECT_NE(output.err.find("config.ini"), std::string::npos) << output.err;
}

TEST_F(CtlRunner, ABackupFromAnUnreadableSettingsFileFailsAndWritesNothing) {
    ASSERT_EQ(Run(Verb::Color), kExitDone) << output.err;
    files.unreadable = {kFolder + u"config.ini"};
    const int writes = files.replaceCount;
    EXPECT_EQ(Run(Verb::Backup), kExitNotWritten);
    EXPECT_NE(output.err.find("config.ini cannot be read"), std::string::npos) << output.err;
    EXPECT_EQ(files.replaceCount, writes);
}

TEST_F(CtlRunner, AnExportThatCannotReplaceItsFileFailsAndKeepsTheOldOne) {
    files.PutFile(u"D:\\backup\\old.gkp", "old");
    files.unwritable = {u"D:\\backup\\old.gkp"};
    EXPECT_EQ(Run(Verb::Export, "1", "", "D:\\backup\\old.gkp"), kExitNotWritten);
    EXPECT_EQ(files.Bytes(u"D:\\backup\\old.gkp"), "old");
}

}  // namespace
}  // namespace tavrel::ctl
