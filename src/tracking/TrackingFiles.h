#pragma once
// Names of the files of import and scoring, and the competition number carried by a CL file name.
//
//   h2045.csv        Holux download of competitor 45 on day 2 (CompetitorsLog); also c, e, x,
//                    g2045.gpx (GPX) and n2045.nmea (NMEA)
//   CL2045.csv       its competitor log (CompetitorsLog)
//   h2045b.csv, CL2045b.csv   the same of the competitor's backup logger
//   1Shortlist_2_45.csv, 2Shortlist_2_45.csv, 3Shortlist_2_45.csv, Report2_45.csv (Working)
//   R2045.csv        the competitor's result of the day (Results)
#include "common/ProgramState.h"
#include "common/Status.h"
#include "schedule/ControlFile.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace trakmora {

// "CL" followed by the download name without its logger letter: h2045.csv gives CL2045.csv, and
// a GPX or NMEA download ends in .csv instead: g2045.gpx gives CL2045.csv.
std::string clFileNameFor(std::string_view downloadName);

// CompetitorNo from characters 4 to 6 of a CL file name (CL2123.csv gives 123, CL1007.csv 7).
// Fails when they are not three digits.
Status competitorNoFromClName(std::string_view clFileName, int& competitorNo);

// Fails unless the character at `position` (0-based) of the name is the day: a download or CL
// file of another day would be scored against the wrong controls and rally date. A day outside
// 1..5 is refused as no rally day.
Status checkDayInName(std::string_view fileName, std::size_t position, int day);

// Working files: which = 1, 2 or 3 for the shortlists.
std::string shortlistFileName(int which, int day, int competitorNo);
std::string reportFileName(int day, int competitorNo);
// R<day><number as 00#>.csv: R2045.csv, R1123.csv.
std::string resultFileName(int day, int competitorNo);

// Working/ScrappedControls Day<day>.csv: the controls scrapped on the day, as the control file
// held them when they were scrapped (same layout as cp<day>.csv). A competitor scored after a
// scrap (a late download, or the day scored again) gets 0 for them too. A control is known by
// its place and times, not its number: one corrected since (moved or retimed) is no longer
// scrapped, and one renumbered (a control before it removed) still is.
std::filesystem::path scrappedControlsFile(const ProgramState& state, int day);
// The numbers, in `current`, of the controls scrapped on the day, ascending; none when the file
// does not exist.
Status readScrappedControls(const ProgramState& state, int day, const std::vector<ControlRecord>& current,
                            std::vector<int>& controls);
// Adds the control `controlNo` of the day's control file to the list (once), atomically.
Status recordScrappedControl(const ProgramState& state, int day, int controlNo);
// Takes the control `controlNo` of the day's control file off the list, atomically; `removed` says
// whether it was on it. Other records stay as they were.
Status forgetScrappedControl(const ProgramState& state, int day, int controlNo, bool& removed);

struct CompetitorFiles {
    std::vector<std::string> clFiles; // CL<day>*.csv
    // h<day>*, c<day>*, e<day>*, x<day>* .csv, g<day>*.gpx, n<day>*.nmea/.nma/.log, in that order
    std::vector<std::string> downloads;
};

// The CL files and downloads of `day` waiting in CompetitorsLog. Letters and "CL" are matched
// without regard to case; each group is sorted by name.
CompetitorFiles listCompetitorFiles(const ProgramState& state, int day);

// Whether the name has three digits after the day digit at `dayPosition` (1 for downloads, 2 for
// CL files) and then 'b' or 'B': the download or CL file of a backup logger (h1045b.csv,
// g1045b.gpx, CL1045b.csv; tracking/BackupLogger.h).
bool isBackupName(std::string_view name, std::size_t dayPosition);
// The competition number after the day digit at `dayPosition` (h1007.csv: 1, CL1007.csv: 2);
// 0 when the three characters there are not digits.
int competitorNoInName(std::string_view name, std::size_t dayPosition);

// Files of a batch that belong to the same competitor and day as another file of the batch (two
// downloads h1001.csv and c1001.csv, or CL1001.csv and CL1001-1.csv): scoring both would leave
// the result of whichever came last. A backup logger's file (h1001b.csv, CL1001b.csv) clashes
// only with another backup of the competitor. Maps each such file to a message naming the others. The
// day and number stand at `dayPosition` (1 for downloads, 2 for CL files).
std::map<std::string, std::string> sameCompetitorFiles(const std::vector<std::string>& names,
                                                       std::size_t dayPosition);

// The downloads of `day` in `folder`, as listCompetitorFiles lists them.
std::vector<std::string> listDownloads(const std::filesystem::path& folder, int day);

} // namespace trakmora
