#include "tracking/BackupLogger.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace trakmora {

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

// Runs the scoring steps up to (not including) the result step.
Status stepsBeforeResult(const ProgramState& state, ScoringRun& run) {
    while (run.next != ScoringStep::Result && run.next != ScoringStep::Done)
        if (auto st = runNextStep(state, run); !st) return st;
    return {};
}

// Merges the backup's Report and 3Shortlist into the primary's working files.
Status mergeWorkingFiles(const ProgramState& state, ScoringRun& primary, const ScoringRun& backup) {
    std::vector<ReportLine> report, backupReport;
    std::vector<ShortlistLine> shortlist, backupShortlist;
    if (auto st = readReportFile(scoringWorkingFile(state, primary, 4), report); !st) return st;
    if (auto st = readReportFile(scoringWorkingFile(state, backup, 4), backupReport); !st) return st;
    if (auto st = readShortlistFile(scoringWorkingFile(state, primary, 3), shortlist); !st) return st;
    if (auto st = readShortlistFile(scoringWorkingFile(state, backup, 3), backupShortlist); !st) return st;
    const std::vector<bool> fromBackup = mergeBackupReport(report, backupReport);
    std::vector<int> backupControls;
    for (std::size_t i = 0; i < report.size(); ++i)
        if (fromBackup[i]) backupControls.push_back(static_cast<int>(report[i].controlNo));
    CsvWriter out;
    for (const auto& r : report)
        writeReportLine(out, r);
    if (auto st = writeFile(scoringWorkingFile(state, primary, 4), out.str()); !st) return st;
    if (auto st = writeShortlistFile(scoringWorkingFile(state, primary, 3),
                                     mergeBackupShortlist(shortlist, backupShortlist, backupControls));
        !st)
        return st;
    primary.fromBackup = fromBackup;
    return {};
}

// Imports the newest download of the role from CompetitorsLog/Bak again; `clFile` is its CL file,
// empty when Bak holds none.
Status importFromBak(const ProgramState& state, int day, int competitorNo, bool backup, std::string& clFile) {
    clFile.clear();
    const std::string name = newestBakDownload(state, day, competitorNo, backup);
    if (name.empty()) return {};
    const fs::path waiting = state.rallyFile(RallyFolder::CompetitorsLog, name);
    std::error_code ec;
    // A download of that name waiting to be imported is newer than the copy in Bak.
    if (!fs::exists(waiting, ec)) {
        const fs::path kept = state.rallyFile(RallyFolder::CompetitorsLogBak, name);
        if (auto st = copyFileAtomically(kept, waiting); !st)
            return Status::failure("Cannot put " + kept.string() +
                                   " back into CompetitorsLog: " + st.message());
    }
    ImportResult imported;
    if (auto st = importDownload(state, day, name, imported); !st)
        return Status::failure(name + " (the " + (backup ? "backup" : "primary") +
                               " logger, imported again from Bak): " + st.message());
    clFile = imported.clFileName;
    return {};
}

// Whether the competitor's R file was scored from a backup alone: every control of its Sources
// file came from the backup.
bool scoredFromBackupAlone(const ProgramState& state, int day, int competitorNo) {
    CsvDocument doc;
    if (!isFile(sourcesFile(state, day, competitorNo)) ||
        !CsvDocument::load(sourcesFile(state, day, competitorNo), doc))
        return false;
    for (const CsvRecord& r : doc.records()) {
        std::string source;
        if (!doc.text(r, 1, source) || source != "B") return false;
    }
    return true;
}

} // namespace

std::string backupWorkingName(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name + "b" : name.substr(0, dot) + "b" + name.substr(dot);
}

fs::path sourcesFile(const ProgramState& state, int day, int competitorNo) {
    return state.rallyFile(RallyFolder::Working,
                           "Sources" + std::to_string(day) + "_" + std::to_string(competitorNo) + ".csv");
}

Status writeSources(const ProgramState& state, int day, int competitorNo,
                    const std::vector<ReportLine>& report, const std::vector<bool>& fromBackup) {
    CsvWriter out;
    for (std::size_t i = 0; i < report.size(); ++i)
        out.number(report[i].controlNo).text(i < fromBackup.size() && fromBackup[i] ? "B" : "P").endRecord();
    return writeFileAtomically(sourcesFile(state, day, competitorNo), out.str());
}

Status readBackupControls(const ProgramState& state, int day, int competitorNo, std::vector<int>& controls) {
    controls.clear();
    const fs::path file = sourcesFile(state, day, competitorNo);
    if (!isFile(file)) return {};
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    std::vector<int> found;
    for (const CsvRecord& r : doc.records()) {
        double control = 0;
        std::string source;
        if (auto st = doc.number(r, 0, control); !st) return st;
        if (auto st = doc.text(r, 1, source); !st) return st;
        if (source == "B") found.push_back(static_cast<int>(control));
    }
    std::sort(found.begin(), found.end());
    controls = std::move(found);
    return {};
}

bool hasPassage(const ReportLine& line) {
    return line.passageClock != 0;
}

std::vector<bool> mergeBackupReport(std::vector<ReportLine>& primary, const std::vector<ReportLine>& backup) {
    std::vector<bool> fromBackup(primary.size(), false);
    for (std::size_t i = 0; i < primary.size(); ++i) {
        if (hasPassage(primary[i])) continue;
        const auto it = std::find_if(backup.begin(), backup.end(), [&](const ReportLine& b) {
            return b.controlNo == primary[i].controlNo;
        });
        if (it == backup.end() || !hasPassage(*it)) continue;
        primary[i] = *it;
        fromBackup[i] = true;
    }
    return fromBackup;
}

std::vector<ShortlistLine> mergeBackupShortlist(const std::vector<ShortlistLine>& primary,
                                                const std::vector<ShortlistLine>& backup,
                                                const std::vector<int>& backupControls) {
    const auto fromBackup = [&](double control) {
        return std::find(backupControls.begin(), backupControls.end(), static_cast<int>(control)) !=
               backupControls.end();
    };
    std::vector<ShortlistLine> merged;
    for (std::size_t i = 0; i < primary.size(); ++i) {
        const double control = primary[i].controlNo;
        if (!fromBackup(control)) {
            merged.push_back(primary[i]);
        } else if (i == 0 || primary[i - 1].controlNo != control) { // the first line of the control
            for (const ShortlistLine& b : backup)
                if (b.controlNo == control) merged.push_back(b);
        }
    }
    return merged;
}

Status scoreCompetitorPair(const ProgramState& state, int day, const std::string& primaryClFile,
                           const std::string& backupClFile, ScoringRun& run) {
    ScoringRun primary, backup;
    if (auto st = loadPrimaryLogger(state, day, primaryClFile, primary); !st) return st;
    if (auto st = loadBackupLogger(state, day, backupClFile, backup); !st) return st;
    if (backup.competitorNo != primary.competitorNo)
        return Status::failure(backupClFile + " is not the backup of " + primaryClFile +
                               ": they carry different competition numbers");
    Status st = stepsBeforeResult(state, primary);
    if (st) st = stepsBeforeResult(state, backup);
    if (st) st = mergeWorkingFiles(state, primary, backup);
    if (st) {
        primary.backupClFileName = backupClFile;
        primary.backupFixes = backup.fixes;
        st = resultStep(state, primary);
    }
    if (!st) {
        // A step that could not write (a full disk) leaves none of its scratch files behind.
        removeScoringWorkingFiles(state, primary);
        removeScoringWorkingFiles(state, backup);
        return st;
    }
    run = std::move(primary);
    return {};
}

std::vector<ScoringJob> scoringJobs(const std::vector<std::string>& clFiles,
                                    const std::map<std::string, std::string>& clashes) {
    // Day and number of a CL file, "" when it carries none.
    const auto competitor = [](const std::string& name) {
        return competitorNoInName(name, 2) > 0 ? name.substr(2, 4) : std::string();
    };
    const auto partner = [&](const std::string& name, bool backup) -> const std::string* {
        const std::string key = competitor(name);
        for (const std::string& other : clFiles)
            if (!key.empty() && other != name && competitor(other) == key && isBackupName(other, 2) == backup)
                return &other;
        return nullptr;
    };
    std::vector<ScoringJob> jobs;
    for (const std::string& name : clFiles) {
        if (std::any_of(jobs.begin(), jobs.end(), [&](const ScoringJob& j) { return j.file == name; }))
            continue;
        ScoringJob job;
        job.file = name;
        if (const auto clash = clashes.find(name); clash != clashes.end()) {
            job.refused = clash->second;
        } else if (isBackupName(name, 2)) {
            const std::string* primary = partner(name, false);
            if (primary && clashes.count(*primary))
                job.refused = "the primary loggers of the competitor clash: the backup waits until only the "
                              "right primary is left in CompetitorsLog";
            else if (primary)
                continue; // scored with its primary
            job.pair.backupClFile = name;
        } else {
            job.pair.primaryClFile = name;
            const std::string* backup = partner(name, true);
            if (backup && !clashes.count(*backup)) job.pair.backupClFile = *backup;
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

std::string newestBakDownload(const ProgramState& state, int day, int competitorNo, bool backup) {
    const fs::path bak = state.rallyFolder(RallyFolder::CompetitorsLogBak);
    std::string newest;
    fs::file_time_type newestTime{};
    std::error_code ec;
    for (const std::string& name : listDownloads(bak, day)) {
        if (competitorNoInName(name, 1) != competitorNo || isBackupName(name, 1) != backup) continue;
        if (isKeptEarlierDownload(bak, name)) continue;
        const auto time = fs::last_write_time(bak / name, ec);
        if (ec) continue;
        if (newest.empty() || time > newestTime) {
            newest = name;
            newestTime = time;
        }
    }
    return newest;
}

Status checkScoredAlone(const ProgramState& state, int day, const std::string& clFileName, int competitorNo) {
    const bool backup = isBackupName(clFileName, 2);
    std::string other = newestBakDownload(state, day, competitorNo, !backup);
    if (other.empty())
        for (const std::string& cl : listCompetitorFiles(state, day).clFiles)
            if (cl != clFileName && competitorNoInName(cl, 2) == competitorNo &&
                isBackupName(cl, 2) != backup)
                other = cl;
    const std::string who = "competitor " + std::to_string(competitorNo) + " on day " + std::to_string(day);
    if (!other.empty())
        return Status::failure(clFileName + ": " + who + " has a " + (backup ? "primary" : "backup") +
                               " logger (" + other + "): the two are scored together by \"Score all\"");
    if (backup && isFile(state.rallyFile(RallyFolder::Results, resultFileName(day, competitorNo))) &&
        !scoredFromBackupAlone(state, day, competitorNo))
        return Status::failure(
            clFileName + ": " + who +
            " was scored from a primary download that is not in CompetitorsLog/Bak: the backup "
            "is not scored alone over that result; put the primary download back into "
            "CompetitorsLog and score again");
    return {};
}

Status scoreLoggerPair(const ProgramState& state, int day, const LoggerPair& pair, ScoringRun& run,
                       std::string& note) {
    note.clear();
    LoggerPair both = pair;
    const bool alone = both.primaryClFile.empty() != both.backupClFile.empty();
    const std::string& given = both.primaryClFile.empty() ? both.backupClFile : both.primaryClFile;
    int competitorNo = 0;
    // A name that carries no competitor or is of another day is left to the scoring to refuse.
    const bool named = competitorNoFromClName(given, competitorNo) && checkDayInName(given, 2, day);
    if (alone && named) {
        const bool wantBackup = both.backupClFile.empty();
        std::string other;
        if (auto st = importFromBak(state, day, competitorNo, wantBackup, other); !st) return st;
        (wantBackup ? both.backupClFile : both.primaryClFile) = other;
    }
    if (!both.primaryClFile.empty() && !both.backupClFile.empty())
        return scoreCompetitorPair(state, day, both.primaryClFile, both.backupClFile, run);
    if (!both.primaryClFile.empty()) return scoreCompetitor(state, day, both.primaryClFile, run);
    if (auto st = scoreCompetitor(state, day, both.backupClFile, run); !st) return st;
    note = "no primary download of competitor " + std::to_string(run.competitorNo) + " on day " +
           std::to_string(day) + ": the backup is scored as the primary";
    return {};
}

} // namespace trakmora
