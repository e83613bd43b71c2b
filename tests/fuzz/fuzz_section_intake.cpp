// The configuration taken from the monitor's section at start: whatever another
// process left in the block, the program's copy has a profile index of 0..3,
// terminated texts and usable event counts, no change flag raised, the mutex released,
// and every byte it did not have to repair as the section held it.
//
// Input: one byte choosing the monitor's state, then patches laid over a block of
// default profiles: a 24-bit offset, a length byte and that many bytes, repeated.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "config/shared_config.h"
#include "monitor/monitor_link.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/support/link_doubles.h"

namespace {

using namespace tavrel;

std::unique_ptr<SharedConfig> DefaultBlock() {
    auto block = std::make_unique<SharedConfig>();
    std::memset(block.get(), 0, sizeof(SharedConfig));
    ResetConfig(*block);
    SetDefaultProfiles(*block);
    return block;
}

class FakeMonitor final : public MonitorPort, public QuietLinkWindow, public ConfigStore {
public:
    SectionState state = SectionState::Mapped;
    MutexWait wait = MutexWait::Acquired;
    std::unique_ptr<SharedConfig> section = DefaultBlock();
    std::unique_ptr<SharedConfig> files = DefaultBlock();
    bool owner = false;
    bool misuse = false;  // section touched without the mutex, or a release without owning it
    int reads = 0;

    SectionState OpenSharedSection() override { return state; }
    bool HasSectionView() const override { return state == SectionState::Mapped; }
    MutexWait WaitForMutex() override {
        owner = wait != MutexWait::Failed;
        return wait;
    }
    void ReleaseMutex() override {
        if (!owner) misuse = true;
        owner = false;
    }
    void ReadSection(SharedConfig& target) override {
        if (!owner) misuse = true;
        ++reads;
        target = *section;
    }
    void WriteSection(const SharedConfig&) override { misuse = true; }
    bool FindMonitorWindow() override { return true; }
    void PostMonitorCommand(uint64_t, int64_t) override {}

    void LoadConfiguration(SharedConfig& config) override { config = *files; }
    UnwrittenFiles SaveConfiguration(const SharedConfig&) override {
        misuse = true;
        return {};
    }
    UnwrittenFiles SaveMacroLibrary() override {
        misuse = true;
        return {};
    }
};

template <size_t N>
bool KeptUpToTerminator(const char16_t (&taken)[N], const char16_t (&held)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (taken[i] == u'\0') return true;
        if (taken[i] != held[i]) return false;
    }
    return false;
}

void CheckTaken(const SharedConfig& taken, const SharedConfig& held) {
    using fuzz::SameBytes;
    FUZZ_CHECK(taken.CurrentProfile >= 0 && taken.CurrentProfile < kProfileCount);
    if (held.CurrentProfile >= 0 && held.CurrentProfile < kProfileCount) {
        FUZZ_CHECK(taken.CurrentProfile == held.CurrentProfile);
    }
    for (int k = 0; k < kProfileCount; ++k) {
        const ProfileRecord& t = taken.profiles[k];
        const ProfileRecord& h = held.profiles[k];
        FUZZ_CHECK(KeptUpToTerminator(t.ProFileName, h.ProFileName));
        FUZZ_CHECK(KeptUpToTerminator(t.GameFile, h.GameFile));
        FUZZ_CHECK(SameBytes(t.standardKey, h.standardKey));
        FUZZ_CHECK(SameBytes(t.ModifyKey, h.ModifyKey));
        FUZZ_CHECK(SameBytes(t.GKey, h.GKey));
        FUZZ_CHECK(SameBytes(t.apmLightInfo, h.apmLightInfo));
        FUZZ_CHECK(std::memcmp(&t.MediaOption, &h.MediaOption,
                               offsetof(ProfileRecord, standardKey) - offsetof(ProfileRecord, MediaOption)) == 0);
        for (int s = 0; s < kMacroSlotsPerProfile; ++s) {
            const MacroKeyInfo& ts = t.MacroKeyInfo[s];
            const MacroKeyInfo& hs = h.MacroKeyInfo[s];
            FUZZ_CHECK(KeptUpToTerminator(ts.szText, hs.szText));
            FUZZ_CHECK(KeptUpToTerminator(ts.szPath, hs.szPath));
            FUZZ_CHECK(ts.wEventCount <= kMaxMacroEvents);
            FUZZ_CHECK(ts.wEventCount == (hs.wEventCount > kMaxMacroEvents ? kMaxMacroEvents : hs.wEventCount));
            FUZZ_CHECK(SameBytes(ts.Events, hs.Events));
            FUZZ_CHECK(ts.byType == hs.byType && ts.wCode == hs.wCode && ts.iMacroIndex == hs.iMacroIndex &&
                       ts.iRepeat == hs.iRepeat);
        }
    }
    // The monitor's own reports are kept; the program's change requests start cleared.
    FUZZ_CHECK(taken.KeyboardPlugIn == held.KeyboardPlugIn);
    FUZZ_CHECK(taken.iHDDKeyboardChanged == held.iHDDKeyboardChanged);
    FUZZ_CHECK(taken.iProfileChanged == 0);
    for (int f = 0; f < kFlagSlots; ++f) {
        FUZZ_CHECK(taken.iLightChanged[f] == 0 && taken.iStandardKeyChanged[f] == 0 && taken.iModifyKeyChanged[f] == 0 &&
                   taken.iProfileImported[f] == 0 && taken.iProfileReset[f] == 0 && taken.iPerformanceChanged[f] == 0);
        for (int s = 0; s < kMacroSlotsPerProfile; ++s) FUZZ_CHECK(taken.iMacroKeyChanged[f][s] == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader input(data, size);
    const uint8_t choice = input.Byte();
    FakeMonitor monitor;
    monitor.state = static_cast<SectionState>(choice % 3);
    monitor.wait = static_cast<MutexWait>((choice / 3) % 3);

    auto* block = reinterpret_cast<uint8_t*>(monitor.section.get());
    while (!input.Done()) {
        const uint32_t offset = (uint32_t{input.Byte()} | uint32_t{input.Byte()} << 8 | uint32_t{input.Byte()} << 16) %
                                sizeof(SharedConfig);
        const std::string_view bytes = input.Take(input.Byte());
        const size_t n = bytes.size() < sizeof(SharedConfig) - offset ? bytes.size() : sizeof(SharedConfig) - offset;
        std::memcpy(block + offset, bytes.data(), n);
    }

    auto working = DefaultBlock();
    auto applied = DefaultBlock();
    std::memset(applied.get(), 0xCC, sizeof(SharedConfig));
    MonitorLink link(monitor, monitor, monitor, *working, *applied);
    const StartupSource source = link.LoadStartupConfiguration();

    FUZZ_CHECK(!monitor.misuse);
    FUZZ_CHECK(!monitor.owner);
    if (source == StartupSource::Section) {
        FUZZ_CHECK(monitor.reads == 1);
        CheckTaken(*applied, *monitor.section);
    } else {
        // A section that was not read whole is never taken in part: the files are, or
        // nothing is (the reset block, whose -1 the main window turns into profile 0).
        FUZZ_CHECK(monitor.reads == 0);
        if (source == StartupSource::Nothing) {
            auto reset = std::make_unique<SharedConfig>();
            std::memset(reset.get(), 0, sizeof(SharedConfig));
            FUZZ_CHECK(applied->CurrentProfile == -1);
            FUZZ_CHECK(fuzz::SameBytes(applied->profiles, reset->profiles));
        } else {
            FUZZ_CHECK(fuzz::SameBytes(*applied, *monitor.files));
        }
    }
    return 0;
}
