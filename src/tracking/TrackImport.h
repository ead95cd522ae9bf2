#pragma once
// Import of one logger download into a competitor log: the fixes of the rally day, with the
// logger's offset applied, written to the CL file; the download then moves to CompetitorsLog/Bak.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

inline constexpr const char* kNoRecordsForRallyDate = " No records found in download file for rally date";

struct ImportResult {
    std::string clFileName;
    // Records of a comma-separated download after its header line; fixes a GPX or NMEA download
    // gave (their points or sentences left out are in `skipped`).
    int recordsRead = 0;
    int fixesKept = 0;      // lines of the CL file
    bool trackFile = false; // a GPX or NMEA download
    // What a GPX or NMEA download left out, by reason in the order first met: {"no time", 3}.
    std::vector<std::pair<std::string, int>> skipped;
    // A different download of the same name already in Bak (imported before) is kept under this
    // name rather than overwritten; empty when there was none or it was the same file.
    std::string earlierBackup;
};

// Imports CompetitorsLog/<downloadName> for `day`. On any failure no CL file of this download is
// left and the download stays where it is: a missing download, an unknown logger letter, more
// than 100,000 records, a malformed used value (message naming file and line), or no fix of the
// rally date (kNoRecordsForRallyDate).
//
// GPX and NMEA downloads (TrackFormats.h) carry UTC times: each fix becomes local time (UTC plus
// the rally's UTC offset) before the day filter, so a fix at 23:30 UTC the evening before can
// belong to the rally day. Of several fixes in one second only the first is kept. Their
// coordinates follow the day's control file: the club's loggers and the route schedule give the
// size of the angle only, so while no control of the day has a negative latitude every fix takes
// the size of its latitude, and otherwise keeps its sign; longitude likewise.
Status importDownload(const ProgramState& state, int day, const std::string& downloadName,
                      ImportResult& result);

// "812 fixes kept of 1000 records"; for a GPX or NMEA download "812 fixes kept of 1000 read, 3
// skipped (2 no time, 1 bad position)".
std::string importSummary(const ImportResult& result);

// Puts the downloads of `day` back from CompetitorsLog/Bak into CompetitorsLog, so that the day
// can be imported and scored again after its controls were corrected. The backups stay; earlier
// copies kept beside a newer download ("h1045-1.csv" beside "h1045.csv") are left where they are;
// a download already waiting in CompetitorsLog is not overwritten. A competitor's primary and
// backup logger both go back. `restored` lists the names.
Status restoreDownloads(const ProgramState& state, int day, std::vector<std::string>& restored);

// Whether `name` in the Bak folder is an earlier copy kept beside a newer download of the same
// name ("h1045-1.csv" beside "h1045.csv").
bool isKeptEarlierDownload(const std::filesystem::path& bak, const std::string& name);

// The date key "ddmmyy" compares by, as a number (260615 for 26 June 2015); the parts carry over
// like a calendar date (month 13 is January of the next year).
int dateKey(int year, int month, int day);
int dateKeyOfSerial(double serial);

} // namespace trakmora
