#pragma once
// Keeping what a picture of one scored control needs: the scoring deletes the CL file and the
// working files once the R file is written, so with ProgramState::keepExplainFiles on the
// competitor's CL, 3Shortlist and Report files are first copied to Working/Explain/ (the working
// files themselves and the R file are left exactly as the scoring has them).
#include "common/ProgramState.h"
#include "common/Status.h"

#include <filesystem>
#include <string>

namespace trakmora {

// Working/Explain
std::filesystem::path explainFolder(const ProgramState& state);

// Copies the CL file (from CompetitorsLog), the 3Shortlist and the Report file of the competitor
// and day into Working/Explain/, replacing earlier copies. A competitor scored with a backup logger
// also keeps the backup's CL file (which 3); the 3Shortlist and Report are the merged ones.
Status keepExplainFiles(const ProgramState& state, int day, int competitorNo, const std::string& clFileName,
                        const std::string& backupClFileName = {});
// Removes the kept files of the competitor and day: scored again without keeping them, the old
// copies would explain a score that is no longer there.
void removeExplainFiles(const ProgramState& state, int day, int competitorNo);

// The kept copy of the CL file (which 0), the 3Shortlist (1), the Report file (2) or the backup's
// CL file (3, CL<day><nnn>b.csv).
std::filesystem::path keptExplainFile(const ProgramState& state, int which, int day, int competitorNo);
// Whether all three kept files of the competitor and day are there.
bool allExplainFilesKept(const ProgramState& state, int day, int competitorNo);

} // namespace trakmora
