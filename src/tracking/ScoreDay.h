#pragma once
// The batch of a day's downloads: every download waiting for the day is imported, then every CL
// file of the day is scored. "Score all" and "Score again" of the individual scoring screen, and
// the command line's import, score and run, all run this one batch. One failure does not stop
// the others, except a missing control file, which fails every competitor of the day alike.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"

#include <functional>
#include <string>
#include <vector>

namespace trakmora {

// One line of the table that ends a day's run: a competitor scored, or a download or CL file
// that could not be imported or scored.
struct CompetitorOutcome {
    int competitorNo = 0;   // from the file name; 0 when the name carries no number
    std::string fileName;   // the CL file scored, or the download that failed
    bool scored = false;    // an R file was written
    int controlsScored = 0; // lines of the R file
    int controlCount = 0;   // controls of the day
    double dayTotal = 0;
    std::string message;    // why it was not imported or scored, or what failed after scoring
    int backupControls = 0; // controls the backup logger gave
};

struct DaySummary {
    int downloadsImported = 0;
    int competitorsScored = 0;
    std::vector<std::string> messages; // "<file>: <message>" per failure, in order
    // Every competitor of the run, by competition number: a download imported is listed as the
    // CL file it became.
    std::vector<CompetitorOutcome> competitors;
};

// Called before each file: its index from 0, the number of files of the whole run, the file name.
using DayProgress = std::function<void(int done, int total, const std::string& fileName)>;

// Called after each competitor is scored (the screen writes the provisional result sheet); a
// failure is listed with the CL file's name and the run goes on.
using AfterScoring = std::function<Status(const ScoringRun& run)>;

enum class BatchStep { Import, Score };

// One file the batch tried, told as soon as it is done. A primary and its backup logger are one
// file of the score step, told by the primary's CL file. `index` counts from 0 within the step,
// `count` is the number of files of the step.
struct BatchFileDone {
    BatchStep step = BatchStep::Import;
    std::size_t index = 0;
    std::size_t count = 0;
    std::string file;
    Status status;       // the import or the scoring
    ImportResult import; // a download imported
    ScoringRun run;      // a CL file scored
    Status afterScoring; // what AfterScoring returned for a CL file scored
    std::string note;    // a backup logger scored as the primary says so
};

struct DayBatch {
    bool importDownloads = true;
    bool scoreLogs = true;
    // The files to take; empty: every download (every CL file) of the day in CompetitorsLog.
    std::vector<std::string> downloads;
    std::vector<std::string> clFiles;
    DayProgress progress;
    AfterScoring afterScoring;
    // Before each step with its number of files, and after each file.
    std::function<void(BatchStep step, std::size_t count)> stepStarts;
    std::function<void(const BatchFileDone& done)> fileDone;
};

DaySummary runDayBatch(const ProgramState& state, int day, const DayBatch& batch);

// The whole batch: every download, then every CL file of the day.
DaySummary scoreDay(const ProgramState& state, int day, const DayProgress& progress = {},
                    const AfterScoring& afterScoring = {});

// The steps the batch records: a download imported or not, a CL file scored or not, a failure
// after scoring. noteScoring's `run` is the run as scoreCompetitor left it.
void noteImport(DaySummary& summary, const std::string& download, const Status& result);
void noteScoring(DaySummary& summary, const std::string& clFile, const Status& result, const ScoringRun& run);
// A competitor scored with (or from) a backup logger: how many controls the backup gave, and the
// note of a backup scored as the primary, on the competitor's line and among the messages.
void noteBackup(DaySummary& summary, const std::string& clFile, const ScoringRun& run,
                const std::string& note);
void noteAfterScoring(DaySummary& summary, const std::string& clFile, const Status& result);
// Orders the competitors by number (then file name); the batch does it before returning.
void sortCompetitors(DaySummary& summary);

// The summary as the screen and the command line show it.
std::string daySummaryText(const DaySummary& summary);

// "7 of 8": the controls scored of the day's controls; "" when the competitor was not scored.
std::string controlsScoredText(const CompetitorOutcome& outcome);
// The competitors as a table of tab-separated columns under a header line
// "No\tControls\tDay total\tFile\tMessage", one line each.
std::string competitorTableText(const DaySummary& summary);

// "Select  Day" of the individual scoring screen: 1, 2, ..., NoOfDays, 1, ...
int nextScoringDay(int day, int noOfDays);

} // namespace trakmora
