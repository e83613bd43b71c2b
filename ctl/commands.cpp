#include "ctl/commands.h"

#include <algorithm>
#include <cstdio>

#include "config/data_folder.h"
#include "config/ini_file.h"
#include "config/settings_store.h"
#include "config/shared_config.h"
#include "config/text.h"
#include "ctl/backup.h"
#include "ctl/exit_status.h"
#include "ctl/status_report.h"
#include "ctl/targets.h"
#include "monitor/monitor_protocol.h"

namespace tavrel::ctl {

namespace {

constexpr char kPrefix[] = "tavrelctl: ";

bool NeedsProfile(Verb verb) {
    return verb == Verb::Select || verb == Verb::Color || verb == Verb::Effect || verb == Verb::Export ||
           verb == Verb::Import;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string Name(const ProfileRecord& p) { return Utf16ToUtf8(ArrayText(p.ProFileName)); }

std::string Listed(const UnwrittenFiles& files) {
    std::string text;
    for (const std::u16string& path : files) text += (text.empty() ? "" : ", ") + Utf16ToUtf8(path);
    return text;
}

}  // namespace

Runner::Runner(MonitorPort& monitor, AppStorage& storage, IFileSystem& files, MacroLibrary& library, CtlHost& host,
               const LangTable& lightStrings)
    : monitor_(monitor),
      storage_(storage),
      files_(files),
      library_(library),
      host_(host),
      tiedMonitor_(monitor, host),
      lightStrings_(lightStrings),
      working_(std::make_unique<SharedConfig>()),
      applied_(std::make_unique<SharedConfig>()),
      // The time limit that ran out for the lock must not let the files and the
      // monitor get a change the section never got.
      link_(tiedMonitor_, *this, *this, *working_, *applied_, LockFailure::StopApply) {}

Runner::~Runner() = default;

void Runner::Say(RunOutput& output, const std::string& line) const {
    if (!quiet_) output.err += kPrefix + line + "\n";
}

int Runner::Fail(RunOutput& output, int status, const std::string& line) {
    output.err += kPrefix + line + "\n";
    return status;
}

std::string Runner::Describe(int k) const {
    return "profile " + ProfileButtonName(k) + " " + Quote(Name(Profile(*working_, k)));
}

std::string Runner::RanOut(const std::string& step) const {
    char text[32];
    std::snprintf(text, sizeof text, "%g s", timeoutSeconds_);
    return std::string("the time (--timeout ") + text + ") ran out waiting for " + step;
}

void Runner::LoadConfiguration(SharedConfig& config) { storage_.LoadConfiguration(config); }

UnwrittenFiles Runner::SaveConfiguration(const SharedConfig& config) {
    UnwrittenFiles unwritten;
    if (restoredSettings_) {
        const std::u16string data = storage_.DataFolder();
        EnsureDataFolders(files_, data);
        if (!files_.WriteWhole(SettingsFilePath(data), *restoredSettings_)) unwritten.push_back(SettingsFilePath(data));
    }
    for (std::u16string& path : storage_.SaveConfiguration(config)) {
        if (std::find(unwritten.begin(), unwritten.end(), path) == unwritten.end()) {
            unwritten.push_back(std::move(path));
        }
    }
    return unwritten;
}

UnwrittenFiles Runner::SaveMacroLibrary() { return storage_.SaveMacroLibrary(); }

int Runner::Run(const Request& request, RunOutput& output) {
    quiet_ = request.quiet;
    timeoutSeconds_ = request.timeoutSeconds;
    const auto programOpen = [&] {
        return Fail(output, kExitProgramOpen,
                    "the configuration program is open: close it first, or its next apply would undo this");
    };
    if (Modifies(request.verb) && host_.ProgramWindowOpen()) return programOpen();
    // Every command takes the lock, status too: reading the files at start rewrites the
    // settings file's copies of the profiles, which could undo another command's write.
    if (!host_.TakeLock()) return Fail(output, kExitNoAnswer, RanOut("another tavrelctl") + "; nothing changed");
    if (Modifies(request.verb)) {
        // The program may have started while this command waited its turn.
        if (host_.ProgramWindowOpen()) return programOpen();
        // Open from here on, so an answer still due to an earlier command lands here
        // and is dropped before this command posts its own.
        host_.OpenAnswerWindow();
    }
    const StartupSource source = link_.LoadStartupConfiguration();
    if (source == StartupSource::Nothing) {
        return Fail(output, kExitNoAnswer, RanOut("the monitor's lock") + "; nothing changed");
    }
    storage_.LoadMacroLibrary();
    *working_ = *applied_;
    if (request.verb == Verb::Status) return Status(request, output, source);
    if (request.verb == Verb::Backup) return Backup(request, output);

    int k = working_->CurrentProfile;
    if (NeedsProfile(request.verb)) {
        std::optional<int> found = ResolveProfile(request.profile, *working_);
        if (!found) {
            return Fail(output, kExitUsage, "no profile '" + request.profile +
                                                "': use default, 1, 2, 3 or a profile's name (try 'tavrelctl status')");
        }
        k = *found;
    }
    if (request.verb == Verb::Export) return Export(k, request, output);

    std::optional<int> effect;
    if (request.verb == Verb::Effect) {
        effect = ResolveEffect(request.value, lightStrings_);
        if (!effect) {
            std::string names;
            std::string keys;
            for (int type = 1; type <= 5; ++type) {
                names += (type > 1 ? ", " : "") + EffectText(type, lightStrings_);
                keys += (type > 1 ? ", " : "") + EffectKey(type);
            }
            return Fail(output, kExitUsage,
                        "no effect '" + request.value + "': use " + names + " (or " + keys + ") or 1 to 5");
        }
    }
    if (request.verb == Verb::Import) {
        const FileContent file = files_.ReadAll(Utf8ToUtf16(request.path), kMaxIniFileBytes);
        if (file.status != ReadStatus::Ok) {
            return Fail(output, kExitUsage, "cannot read " + request.path + "; nothing changed");
        }
    }
    BackupContent backup;
    if (request.verb == Verb::Restore) {
        const std::string problem = ReadBackup(AsFolder(Utf8ToUtf16(request.path)), files_, backup);
        if (!problem.empty()) return Fail(output, kExitUsage, "not a whole backup: " + problem + "; nothing changed");
    }
    if (applied_->KeyboardPlugIn == 0) {
        return Fail(output, kExitUnplugged, "the keyboard is not plugged in; nothing changed");
    }

    switch (request.verb) {
    case Verb::Select:
        return Select(k, output);
    case Verb::Color: {
        SetLightingColour(Profile(*working_, k), *ParseColour(request.value));
        return Apply(kApplyChanges, false, Describe(k) + ": colour " + FormatColour(Profile(*working_, k)), output);
    }
    case Verb::Effect:
        Profile(*working_, k).LtEffectType = *effect;
        return Apply(kApplyChanges, false, Describe(k) + ": effect " + EffectText(*effect, lightStrings_), output);
    case Verb::Import:
        return Import(k, request, output);
    case Verb::Reset:
        SetDefaultProfiles(*working_);
        MarkAllChanged(*working_);
        return Apply(kApplyAfterReset, false, "the four profiles are back to their defaults", output);
    case Verb::Restore: {
        // Written with the other files, once the monitor's lock is held.
        restoredSettings_ = std::move(backup.settingsBytes);
        working_->CurrentProfile = backup.config->CurrentProfile;
        for (int i = 0; i < kProfileCount; ++i) working_->profiles[i] = backup.config->profiles[i];
        library_.Clear();
        for (int i = 0; i < backup.library.Count(); ++i) library_.Append(*backup.library.At(i));
        const std::string what =
            "restored the configuration and " + std::to_string(library_.Count()) + " macros from " + request.path;
        return Apply(kApplyChanges, true, what, output, "every other file of the data folder holds the backup");
    }
    case Verb::Apply:
        return ApplyFiles(output);
    default:
        return kExitDone;
    }
}

int Runner::Status(const Request& request, RunOutput& output, StartupSource source) {
    const StatusFacts facts{*applied_, monitor_.FindMonitorWindow(), source == StartupSource::Section, lightStrings_};
    output.out += request.json ? StatusJson(facts) : StatusText(facts);
    return kExitDone;
}

int Runner::Select(int k, RunOutput& output) {
    working_->CurrentProfile = k;
    if (monitor_.HasSectionView()) {
        if (monitor_.WaitForMutex() == MutexWait::Failed) {
            return Fail(output, kExitNoAnswer, RanOut("the monitor's lock") + "; nothing changed");
        }
        auto block = std::make_unique<SharedConfig>();
        monitor_.ReadSection(*block);
        block->CurrentProfile = k;
        monitor_.WriteSection(*block);
        monitor_.ReleaseMutex();
    }
    const bool saved = SaveCurrentProfileSetting(k, storage_.DataFolder(), files_);
    const bool monitor = monitor_.FindMonitorWindow();
    if (monitor) monitor_.PostMonitorCommand(MONITOR_SELECT_PROFILE, k);
    if (!saved) {
        return Fail(output, kExitNotWritten, Describe(k) + ": could not write " +
                                                 Utf16ToUtf8(SettingsFilePath(storage_.DataFolder())) +
                                                 (monitor ? "; the keyboard has it" : ""));
    }
    Say(output, Describe(k) + " is current" +
                    (monitor ? "" : "; saved, the keyboard gets it when the monitor next starts"));
    return kExitDone;
}

int Runner::Export(int k, const Request& request, RunOutput& output) {
    auto copy = std::make_unique<SharedConfig>(*working_);
    copy->CurrentProfile = k;
    const std::u16string path = Utf8ToUtf16(request.path);
    if (const int stored = storage_.StoredProfileAt(k, path); stored >= 0) {
        return Fail(output, kExitUsage, request.path + " is the stored file of profile " + ProfileButtonName(stored) +
                                            ": an export there would replace it; nothing changed");
    }
    if (!storage_.ExportProfile(*copy, path)) {
        return Fail(output, kExitNotWritten, "could not write " + request.path + "; nothing changed");
    }
    Say(output, Describe(k) + " exported to " + request.path);
    return kExitDone;
}

int Runner::Import(int k, const Request& request, RunOutput& output) {
    const int current = working_->CurrentProfile;
    working_->CurrentProfile = k;
    const bool read = storage_.ImportProfile(*working_, Utf8ToUtf16(request.path));
    working_->CurrentProfile = current;
    if (!read) return Fail(output, kExitUsage, "cannot read " + request.path + "; nothing changed");
    return Apply(kApplyChanges, false, Describe(k) + " imported from " + request.path, output);
}

int Runner::Backup(const Request& request, RunOutput& output) {
    const std::string problem =
        WriteBackup(AsFolder(Utf8ToUtf16(request.path)), storage_.DataFolder(), *applied_, library_, files_);
    if (!problem.empty()) {
        return Fail(output, kExitNotWritten, "not a whole backup in " + request.path + ": " + problem);
    }
    Say(output, "backed up the settings, the four profiles and " + std::to_string(library_.Count()) + " macros into " +
                    request.path);
    return kExitDone;
}

int Runner::ApplyFiles(RunOutput& output) {
    // What the files hold, not what the section holds; the keyboard's state stays the monitor's.
    const int32_t plugged = working_->KeyboardPlugIn;
    ResetConfig(*working_);
    storage_.LoadConfiguration(*working_);
    working_->KeyboardPlugIn = plugged;
    return Apply(kApplyChanges, true, "the configuration in the files went to the keyboard", output);
}

int Runner::Apply(int mode, bool allChanged, const std::string& what, RunOutput& output,
                  const std::string& otherFiles) {
    const ApplyResult result = allChanged ? link_.ApplyAllChanged() : link_.ApplyConfiguration(mode);
    if (result.end == ApplyEnd::LockNotTaken) {
        return Fail(output, kExitNoAnswer, RanOut("the monitor's lock") + "; nothing changed");
    }
    // A file that could not be written outweighs the answer: it stays wrong until fixed.
    if (!result.unwritten.empty()) {
        Fail(output, kExitNotWritten, what + ": could not write " + Listed(result.unwritten) + "; " + otherFiles);
    }
    const int done = result.unwritten.empty() ? kExitDone : kExitNotWritten;
    if (!link_.AwaitingAnswer()) {
        if (done == kExitDone) Say(output, what + "; saved, the keyboard gets it when the monitor next starts");
        return done;
    }
    switch (host_.WaitForApplyDone()) {
    case AnswerWait::Answered:
        link_.HandleMonitorCommand(0, MONITOR_APPLY_DONE);
        if (done == kExitDone) Say(output, what);
        return done;
    case AnswerWait::TimedOut:
        Fail(output, kExitNoAnswer,
             what + (done == kExitDone ? ": the files and the section hold it" : ": the section holds it") +
                 ", but the monitor did not answer: " + RanOut("the monitor's answer"));
        return std::max(done, kExitNoAnswer);
    case AnswerWait::MonitorGone:
        break;
    }
    Fail(output, kExitNoAnswer,
         what + (done == kExitDone ? ": saved, but the monitor closed before it answered; the keyboard gets it "
                                     "when the monitor next starts"
                                   : ": the monitor closed before it answered"));
    return std::max(done, kExitNoAnswer);
}

}  // namespace tavrel::ctl
