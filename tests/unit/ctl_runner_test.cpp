// tavrelctl's commands over scripted doubles of the monitor and the host, with the
// data folder in memory: what a command writes and posts when the lock wait of its
// apply runs out or the program opens meanwhile, and a backup of an unreadable
// settings file.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/folder_storage.h"
#include "config/shared_config.h"
#include "ctl/commands.h"
#include "ctl/exit_status.h"
#include "tests/unit/support/memory_file_system.h"

namespace tavrel::ctl {
namespace {

const std::u16string kAppData = u"C:\\Users\\me\\AppData\\Roaming";

// Successive answers, the last one repeating.
template <typename T>
T Next(std::vector<T>& answers) {
    const T answer = answers.front();
    if (answers.size() > 1) answers.erase(answers.begin());
    return answer;
}

// The monitor with its window and section; counts what reaches it.
class ScriptedMonitor final : public MonitorPort {
public:
    ScriptedMonitor() {
        ResetConfig(*section);
        SetDefaultProfiles(*section);
        section->KeyboardPlugIn = 1;
    }
    SectionState OpenSharedSection() override { return SectionState::Mapped; }
    bool HasSectionView() const override { return true; }
    MutexWait WaitForMutex() override { return Next(waits); }
    void ReleaseMutex() override {}
    void ReadSection(SharedConfig& target) override { target = *section; }
    void WriteSection(const SharedConfig& source) override {
        ++writes;
        *section = source;
    }
    bool FindMonitorWindow() override { return true; }
    void PostMonitorCommand(uint64_t, int64_t) override { ++posts; }

    std::vector<MutexWait> waits{MutexWait::Acquired};
    std::unique_ptr<SharedConfig> section = std::make_unique<SharedConfig>();
    int writes = 0;
    int posts = 0;
};

class ScriptedHost final : public CtlHost {
public:
    bool ProgramWindowOpen() override { return Next(programOpen); }
    bool TakeLock() override { return true; }
    void OpenAnswerWindow() override {}
    void ForgetEarlierAnswers() override {}
    AnswerWait WaitForApplyDone() override { return AnswerWait::Answered; }

    std::vector<bool> programOpen{false};
};

class CtlRunner : public ::testing::Test {
protected:
    CtlRunner() {
        files.AddFolder(kAppData);
        files.AddFolder(u"D:\\backup");
    }

    int Run(Verb verb) {
        Request request;
        request.verb = verb;
        request.profile = "2";
        request.value = "00A0FF";
        request.path = "D:\\backup";
        output = {};
        FixedDataFolder folder{kAppData};
        FolderStorage storage(Storage{files, folder}, library);
        Runner runner(monitor, storage, files, library, host, lightStrings);
        return runner.Run(request, output);
    }

    test::MemoryFileSystem files;
    MacroLibrary library;
    LangTable lightStrings;
    ScriptedMonitor monitor;
    ScriptedHost host;
    RunOutput output;
};

// The start read the section; the wait before the apply writes it runs out: nothing is
// written, saved or posted (a restore's settings file included).
TEST_F(CtlRunner, ALockWaitThatRunsOutAtTheApplyLeavesEverythingAsItWas) {
    ASSERT_EQ(Run(Verb::Backup), kExitDone) << output.err;
    for (const Verb verb : {Verb::Color, Verb::Reset, Verb::Restore}) {
        SCOPED_TRACE(static_cast<int>(verb));
        monitor.waits = {MutexWait::Acquired, MutexWait::Failed};
        const int replaced = files.replaceCount;
        EXPECT_EQ(Run(verb), kExitNoAnswer);
        EXPECT_NE(output.err.find("ran out waiting for the monitor's lock; nothing changed"), std::string::npos)
            << output.err;
        EXPECT_EQ(files.replaceCount, replaced);
        EXPECT_EQ(monitor.writes + monitor.posts, 0);
    }
}

TEST_F(CtlRunner, AProgramStartedWhileTheCommandWaitedItsTurnStopsIt) {
    host.programOpen = {false, true};
    EXPECT_EQ(Run(Verb::Select), kExitProgramOpen);
    EXPECT_EQ(files.replaceCount + monitor.writes + monitor.posts, 0);
}

TEST_F(CtlRunner, ABackupFromAnUnreadableSettingsFileFailsAndWritesNothing) {
    ASSERT_EQ(Run(Verb::Color), kExitDone) << output.err;
    files.unreadable = {kAppData + u"\\Orvane Gaming Keyboard\\config.ini"};
    const int replaced = files.replaceCount;
    EXPECT_EQ(Run(Verb::Backup), kExitNotWritten);
    EXPECT_NE(output.err.find("config.ini cannot be read"), std::string::npos) << output.err;
    EXPECT_EQ(files.replaceCount, replaced);
}

}  // namespace
}  // namespace tavrel::ctl
