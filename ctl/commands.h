// tavrelctl's commands over the same monitor link and data folder storage as the
// program: the configuration taken at start as the program takes it, each change
// applied exactly as the program's Apply does.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/app_storage.h"
#include "config/file_system.h"
#include "config/macro_library.h"
#include "ctl/answer_tied_port.h"
#include "ctl/command_line.h"
#include "ctl/ctl_host.h"
#include "monitor/monitor_link.h"
#include "monitor/windowless_link_window.h"
#include "skin/lang_table.h"

namespace tavrel::ctl {

// What a run printed: data for standard output, messages (one line each) for
// standard error.
struct RunOutput {
    std::string out;
    std::string err;
};

// The link saves through the runner (a ConfigStore over the storage), so a restore
// writes the backup's settings file only once the apply holds the monitor's lock.
class Runner final : private WindowlessLinkWindow, private ConfigStore {
public:
    // None of the services is owned. library is the program-wide macro library the
    // storage saves; lightStrings holds the lighting page's strings.
    Runner(MonitorPort& monitor, AppStorage& storage, IFileSystem& files, MacroLibrary& library, CtlHost& host,
           const LangTable& lightStrings);
    ~Runner() override;

    int Run(const Request& request, RunOutput& output);

private:
    int Status(const Request& request, RunOutput& output, StartupSource source);
    int Select(int k, RunOutput& output);
    int Export(int k, const Request& request, RunOutput& output);
    int Import(int k, const Request& request, RunOutput& output);
    int Backup(const Request& request, RunOutput& output);
    int Restore(const Request& request, RunOutput& output);
    int ApplyFiles(RunOutput& output);
    // Applies working_ (mode, or every flag raised) and waits for the monitor's answer.
    // otherFiles says what the files that were written hold when some were not.
    int Apply(int mode, bool allChanged, const std::string& what, RunOutput& output,
              const std::string& otherFiles = "the other files hold it");

    void LoadConfiguration(SharedConfig& config) override;
    UnwrittenFiles SaveConfiguration(const SharedConfig& config) override;
    UnwrittenFiles SaveMacroLibrary() override;

    void Say(RunOutput& output, const std::string& line) const;
    static int Fail(RunOutput& output, int status, const std::string& line);
    std::string Describe(int k) const;
    // "the time (--timeout 10 s) ran out waiting for <step>"
    std::string RanOut(const std::string& step) const;


    MonitorPort& monitor_;
    AppStorage& storage_;
    IFileSystem& files_;
    MacroLibrary& library_;
    CtlHost& host_;
    AnswerTiedPort tiedMonitor_;
    const LangTable& lightStrings_;
    std::unique_ptr<SharedConfig> working_;
    std::unique_ptr<SharedConfig> applied_;
    MonitorLink link_;
    std::optional<std::string> restoredSettings_;  // a restore's config.ini, written with the rest
    bool quiet_ = false;
    double timeoutSeconds_ = 10;
};

}  // namespace tavrel::ctl
