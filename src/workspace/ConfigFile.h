#pragma once
// config3.csv (all 30 settings) and the legacy config.csv (the first 26), and the configuration
// routine that every change goes through.
#include "common/ProgramState.h"
#include "common/RallyConfig.h"
#include "common/Status.h"

#include <filesystem>

namespace trakmora {

// Reads all 30 fields. On failure `config` is unchanged and the message names file and line.
Status readConfigFile(const std::filesystem::path& file, RallyConfig& config);
// Reads fields 1..26 of the legacy file; fields 27..30 take their defaults.
Status readLegacyConfigFile(const std::filesystem::path& file, RallyConfig& config);
// The one-line record of config3.csv, ending with CR LF.
std::string configRecord(const RallyConfig& config);

// Copies the speeds and last entries of the groups not in use from the last group in use.
void normaliseSpeedGroups(RallyConfig& config);

// The configuration routine: normalise, then replace Working/config3.csv atomically, and
// Working/UtcOffset.csv when the UTC offset is set.
// While the settings file is damaged (ProgramState::configDamaged) only a deliberate save writes;
// the saves that follow every opening of a screen leave the file as it is.
Status saveConfig(ProgramState& state, bool deliberate = false);

// The loading sequence run when a rally is created or opened: import a legacy config.csv, read
// config3.csv or take the defaults with `defaultName`, read the UTC offset, then save. A damaged config3.csv
// is reported, copied to config3.csv.bad and left as it is; the defaults are in memory and
// ProgramState::configDamaged is set until a deliberate save.
Status openRallyConfig(ProgramState& state, const std::string& defaultName);

} // namespace trakmora
