#pragma once
// Scrapping a control: its score becomes 0 in every R file of the day, so it adds nothing to any
// day total from the next day score build on. The control is also recorded for the day
// (Working/ScrappedControls Day<day>.csv), so that a competitor scored later gets 0 for it too.
// Restoring takes it off that record and scores the day again from the downloads kept in
// CompetitorsLog/Bak, which gives every competitor's score for it back.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "tracking/ScoreDay.h"

#include <string>
#include <vector>

namespace trakmora {

// Rewrites every Results/R<day><nnn>.csv (numbers 1..250) atomically with score `controlNo` set to
// 0, one score per line. A file shorter than `controlCount` is filled up with 0; a longer one keeps
// its further scores. All files are read before the first is rewritten, so an unreadable file
// changes nothing. `controlNo` must lie in 1..controlCount.
Status scrapControl(const ProgramState& state, int day, int controlNo, int controlCount);

// How many scores scrapping `controlNo` would set to 0: the R files of the day whose score for it
// is not 0 now (a file too short to hold it has none to lose).
Status scoresToScrap(const ProgramState& state, int day, int controlNo, int& count);
// "Scrap control 3 of day 1 for every competitor? It sets 12 scores to 0."
std::string scrapQuestion(int day, int controlNo, int scores);

// The controls scrapped on the day, as numbered in its control file now, ascending; none without
// a control file.
Status scrappedControlsOfDay(const ProgramState& state, int day, std::vector<int>& controls);
// "Restore control 3 of day 1? ..."
std::string restoreQuestion(int day, int controlNo);

// Takes `controlNo` off the day's scrapped controls, puts the day's downloads back from
// CompetitorsLog/Bak and imports and scores the day again with the "Score all" batch, so that
// every competitor's score for the control comes back (other scrapped controls stay 0). A control
// that is not scrapped is refused with nothing changed. An R file of the day that was not scored
// again (no download kept for the competitor) keeps 0 for the control: the summary's messages name
// it. The day score build is left to the caller.
Status restoreScrappedControl(const ProgramState& state, int day, int controlNo, DaySummary& summary,
                              const DayProgress& progress = {}, const AfterScoring& afterScoring = {});

} // namespace trakmora
