#pragma once
// "Score all" of the individual scoring screen: every download waiting for the day is imported,
// then every CL file of the day is scored, with the same calls as the command line's import and
// score. One failure does not stop the others, except a missing control file, which fails every
// competitor of the day alike.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "tracking/Scoring.h"

#include <functional>
#include <string>
#include <vector>

namespace trakmora {

struct DaySummary {
    int downloadsImported = 0;
    int competitorsScored = 0;
    std::vector<std::string> messages; // "<file>: <message>" per failure, in order
};

// Called before each file: its index from 0, the number of files of the whole run, the file name.
using DayProgress = std::function<void(int done, int total, const std::string& fileName)>;

// Called after each competitor is scored (the screen writes the provisional result sheet); a
// failure is listed with the CL file's name and the run goes on.
using AfterScoring = std::function<Status(const ScoringRun& run)>;

DaySummary scoreDay(const ProgramState& state, int day, const DayProgress& progress = {},
                    const AfterScoring& afterScoring = {});

// The summary as the screen and the command line show it.
std::string daySummaryText(const DaySummary& summary);

// "Select  Day" of the individual scoring screen: 1, 2, ..., NoOfDays, 1, ...
int nextScoringDay(int day, int noOfDays);

} // namespace trakmora
