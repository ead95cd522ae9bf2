#pragma once
// The data root, the rally register and creating and opening rallies.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <string>
#include <vector>

namespace trakmora {

struct RegisterRecord {
    std::string shortName;
    std::string longName;
};

// Creates the data root when it is missing.
Status ensureDataRoot(const ProgramState& state);

// Reads Register.csv in file order. A missing register is an empty list, not an error.
Status readRegister(const ProgramState& state, std::vector<RegisterRecord>& records);
// The same, but a line that cannot be read (edited by hand, say) is passed over: `records` holds
// every readable line, and the status names the first unreadable one. One bad line must not hide
// every rally.
Status readRegisterSkippingBadLines(const ProgramState& state, std::vector<RegisterRecord>& records);

// The short name of the last register record whose long name equals `longName` exactly.
std::string shortNameFor(const std::vector<RegisterRecord>& records, const std::string& longName);

// Creates a rally: checks both names, refuses an existing folder, appends the register line,
// creates the seven folders, opens the rally (SelectedDay 1) and saves its configuration with
// the long name as rally name. Nothing is touched when a check fails.
Status createRally(ProgramState& state, const std::string& longName, const std::string& shortName);

// Opens a rally by its short name (the long name from the register, when listed).
Status openRallyByShortName(ProgramState& state, const std::string& shortName);
// Opens the rally whose long name was chosen on the Open screen.
Status openRallyByLongName(ProgramState& state, const std::string& longName);

} // namespace trakmora
