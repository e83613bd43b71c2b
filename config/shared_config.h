// Operations on the configuration block: defaults, change flags, profile access,
// and the two process-wide copies the program keeps.
#pragma once

#include "config/records.h"

namespace tavrel {

// Default content of standardKey, position by position.
extern const uint8_t DefaultStandardKey[kKeyPositions];
// Default GKey: the usages of F1 to F8.
extern const uint8_t DefaultGKey[8];

void ResetConfig(SharedConfig& config);
void SetDefaultProfile(ProfileRecord& record, int k);
void SetDefaultProfiles(SharedConfig& config);
void ClearChangeFlags(SharedConfig& config);
void MarkAllChanged(SharedConfig& config);
void ComputeChangeFlags(const SharedConfig& applied, SharedConfig& working);

// Profile k (0..3) of the block. An index outside 0..3 yields profile 0 rather than
// memory beyond the block.
ProfileRecord& Profile(SharedConfig& config, int k);
const ProfileRecord& Profile(const SharedConfig& config, int k);
// The profile at CurrentProfile (profile 0 when CurrentProfile is out of range).
ProfileRecord& CurrentProfile(SharedConfig& config);
const ProfileRecord& CurrentProfile(const SharedConfig& config);

// Forces CurrentProfile into 0..3 (negative and too-large values become 0),
// terminates every text field of every profile inside its array and bounds every
// slot's wEventCount by 50. Every load from a file or the section ends with it, so no
// reader ever sees an out-of-range index, an unterminated string or an event count
// that would index past Events.
void SanitizeConfig(SharedConfig& config);
void SanitizeProfile(ProfileRecord& record);
void SanitizeSlot(MacroKeyInfo& slot);

// The two process-wide copies: pages and dialogs edit WorkingConfig; AppliedConfig is
// what was loaded at start or last handed to the monitor.
extern SharedConfig WorkingConfig;
extern SharedConfig AppliedConfig;

}  // namespace tavrel
