#include "tracking/TrackImport.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "schedule/ControlFiles.h"
#include "tracking/ClFile.h"
#include "tracking/TrackingFiles.h"
#include "tracking/loggers/LoggerTable.h"
#include "tracking/loggers/TrackFormats.h"
#include "workspace/ConfigFields.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <system_error>

namespace trakmora {

namespace fs = std::filesystem;

namespace {

Status convertRecords(const ProgramState& state, int day, const LoggerLayout& layout,
                      std::string_view content, const CsvDocument& doc, CsvWriter& out, int& kept,
                      int& read) {
    const int rallyDate = dateKeyOfSerial(state.config.startDate + day - 1);
    const double offset = layout.offset(state.config);
    kept = 0;
    read = 0;
    CsvRecordReader reader(content);
    CsvFields record;
    int lastYear = -1, lastMonth = -1, lastDay = -1;
    bool onRallyDate = false;
    reader.next(record); // the header line is ignored
    for (std::size_t index = 1; reader.next(record); ++index) {
        if (index > static_cast<std::size_t>(kMaxFixes))
            return Status::failure(doc.problem(
                record.line, "more than 100,000 records; a download holds at most 100,000 fixes"));
        LoggedRecord logged;
        Status st = doc.expectValues(record, layout.columns);
        if (st) st = layout.read(doc, record, logged);
        if (!st) {
            // An export cut off while its last line was written: that line is ignored.
            CsvFields following;
            if (layout.lastLineMayBeCut && !reader.next(following)) break;
            return st;
        }
        ++read;
        // Every fifth record counts from the first record of the file, whatever its date.
        if ((index - 1) % static_cast<std::size_t>(layout.keepEvery) != 0) continue;
        // Consecutive records nearly always share their date: it is worked out once per change.
        if (logged.year != lastYear || logged.month != lastMonth || logged.day != lastDay) {
            lastYear = logged.year;
            lastMonth = logged.month;
            lastDay = logged.day;
            onRallyDate = dateKey(logged.year, logged.month, logged.day) == rallyDate;
        }
        if (!onRallyDate) continue;
        double seconds = logged.seconds;
        if (seconds >= offset) seconds -= offset;
        writeClLine(out, TrackFix{logged.fixNo, logged.lat, logged.lon, seconds}, logged.latText,
                    logged.lonText);
        ++kept;
    }
    return {};
}

// Whether the fixes of a GPX or NMEA download take the size of their latitude and longitude:
// while no control of the day is given with a negative value (or there is no control file yet),
// the day is typed as the club's loggers write it, sizes with the hemisphere apart.
struct SizeOnly {
    bool lat = true;
    bool lon = true;
};

SizeOnly sizeOnlyForDay(const ProgramState& state, int day) {
    SizeOnly size;
    std::vector<ControlRecord> controls;
    std::error_code ec;
    const fs::path file = controlFilePath(state, day);
    if (!fs::exists(file, ec) || !readControlFile(file, controls)) return size;
    for (const ControlRecord& c : controls) {
        if (c.lat < 0) size.lat = false;
        if (c.lon < 0) size.lon = false;
    }
    return size;
}

Status convertTrack(const ProgramState& state, int day, const TrackFormat& format, std::string_view content,
                    const std::string& fileName, CsvWriter& out, ImportResult& result) {
    TrackRead track;
    if (auto st = format.read(content, track); !st) {
        const std::string& why = st.message();
        const bool joins = why.rfind("line ", 0) == 0 || why.rfind("is ", 0) == 0;
        return Status::failure(fileName + (joins ? " " : ": ") + why);
    }
    result.trackFile = true;
    result.recordsRead = static_cast<int>(track.fixes.size());
    result.skipped = track.skipped;
    const double offset = utcOffsetSeconds(state.config);
    const double rallyDay = std::floor(state.config.startDate) + day - 1;
    const SizeOnly size = sizeOnlyForDay(state, day);
    double lastSeconds = -1;
    for (const LoggedRecord& fix : track.fixes) {
        double seconds = fix.seconds + offset;
        const double days = std::floor(seconds / 86400);
        seconds -= days * 86400;
        if (dateSerial(fix.year, fix.month, fix.day) + days != rallyDay) continue;
        if (seconds == lastSeconds) continue; // a second point in the same second
        lastSeconds = seconds;
        if (result.fixesKept == kMaxFixes)
            return Status::failure(fileName + ": more than 100,000 fixes on the rally day; a competitor log "
                                              "holds at most 100,000");
        writeClLine(out, TrackFix{fix.fixNo, size.lat ? std::fabs(fix.lat) : fix.lat,
                                  size.lon ? std::fabs(fix.lon) : fix.lon, seconds});
        ++result.fixesKept;
    }
    return {};
}

// An earlier backup of the same name that differs from the download being moved is renamed to
// the first free "<name>-<n>.csv": a corrected download never wipes out the only copy of the
// first one, and the kept copy is still a download of the same competitor and day if it is ever
// put back. The same file imported again simply replaces its copy.
Status keepEarlierBackup(const fs::path& bakFile, const std::string& download, std::string& keptAs) {
    std::error_code ec;
    if (!fs::is_regular_file(bakFile, ec)) return {};
    std::string earlier;
    if (auto st = readWholeFile(bakFile, earlier); !st) return st;
    if (earlier == download) return {};
    const std::string stem = bakFile.stem().string(), ext = bakFile.extension().string();
    for (int n = 1;; ++n) {
        const fs::path candidate = bakFile.parent_path() / (stem + "-" + std::to_string(n) + ext);
        if (fs::exists(candidate, ec)) continue;
        if (auto st = moveFileAtomically(bakFile, candidate); !st)
            return Status::failure("Cannot keep the earlier " + bakFile.string() + ": " + st.message());
        keptAs = candidate.filename().string();
        return {};
    }
}

Status moveToBak(const ProgramState& state, const fs::path& download, const std::string& name,
                 const std::string& content, std::string& keptAs) {
    std::error_code ec;
    const fs::path bak = state.rallyFolder(RallyFolder::CompetitorsLogBak);
    fs::create_directories(bak, ec);
    if (ec) return Status::failure("Cannot create the folder " + bak.string() + ": " + ec.message());
    if (auto st = keepEarlierBackup(bak / name, content, keptAs); !st) return st;
    if (auto st = moveFileAtomically(download, bak / name); !st)
        return Status::failure("Cannot move " + download.string() + " to " + bak.string() + ": " +
                               st.message());
    return {};
}

void removeIfPresent(const fs::path& file) {
    std::error_code ignored;
    fs::remove(file, ignored);
}

} // namespace

bool isKeptEarlierDownload(const fs::path& bak, const std::string& name) {
    const fs::path file = bak / name;
    const std::string stem = file.stem().string();
    const auto dash = stem.rfind('-');
    std::error_code ec;
    return dash != std::string::npos && dash + 1 < stem.size() &&
           stem.find_first_not_of("0123456789", dash + 1) == std::string::npos &&
           fs::exists(bak / (stem.substr(0, dash) + file.extension().string()), ec);
}

Status restoreDownloads(const ProgramState& state, int day, std::vector<std::string>& restored) {
    restored.clear();
    const fs::path bak = state.rallyFolder(RallyFolder::CompetitorsLogBak);
    const fs::path folder = state.rallyFolder(RallyFolder::CompetitorsLog);
    std::error_code ec;
    // Of two downloads of one competitor and day (a spare logger used later), the one imported
    // last is the one scored last: only that one goes back.
    std::map<std::string, std::pair<fs::file_time_type, std::string>> latest;
    std::vector<std::string> candidates;
    for (const std::string& name : listDownloads(bak, day)) {
        const fs::path file = bak / name;
        if (isKeptEarlierDownload(bak, name)) continue;
        std::string key = name.size() >= 5 ? name.substr(1, 4) : name;
        if (key.find_first_not_of("0123456789") != std::string::npos) {
            candidates.push_back(name);
            continue;
        }
        // The primary and the backup logger both go back.
        if (isBackupName(name, 1)) key += 'b';
        const auto time = fs::last_write_time(file, ec);
        auto [it, added] = latest.try_emplace(key, time, name);
        if (!added && time > it->second.first) it->second = {time, name};
    }
    for (const auto& [key, newest] : latest)
        candidates.push_back(newest.second);
    for (const std::string& name : listDownloads(bak, day)) {
        if (std::find(candidates.begin(), candidates.end(), name) == candidates.end()) continue;
        const fs::path file = bak / name;
        if (fs::exists(folder / name, ec)) continue;
        // Through a temporary file: a full disk never leaves part of a download to be scored.
        if (auto st = copyFileAtomically(file, folder / name); !st)
            return Status::failure("Cannot put " + file.string() + " back into " + folder.string() + ": " +
                                   st.message());
        restored.push_back(name);
    }
    return {};
}

int dateKey(int year, int month, int day) {
    const CivilDate c = civilFromSerial(dateSerial(year, month, day));
    return c.day * 10000 + c.month * 100 + ((c.year % 100) + 100) % 100;
}

int dateKeyOfSerial(double serial) {
    const CivilDate c = civilFromSerial(serial);
    return dateKey(c.year, c.month, c.day);
}

std::string importSummary(const ImportResult& result) {
    std::string text =
        std::to_string(result.fixesKept) + " fixes kept of " + std::to_string(result.recordsRead);
    if (!result.trackFile) return text + " records";
    text += " read";
    int skipped = 0;
    std::string reasons;
    for (const auto& [reason, count] : result.skipped) {
        skipped += count;
        reasons += (reasons.empty() ? "" : ", ") + std::to_string(count) + " " + reason;
    }
    if (skipped > 0) text += ", " + std::to_string(skipped) + " skipped (" + reasons + ")";
    return text;
}

Status importDownload(const ProgramState& state, int day, const std::string& downloadName,
                      ImportResult& result) {
    result = ImportResult{};
    const TrackFormat* format = findTrackFormat(downloadName);
    const LoggerLayout* layout = downloadName.empty() || format ? nullptr : findLoggerLayout(downloadName[0]);
    if (!layout && !format)
        return Status::failure(downloadName +
                               " is not a logger download: the name must start with h, c, e or "
                               "x (.csv), g (.gpx) or n (.nmea, .nma, .log)");
    if (auto st = checkDayInName(downloadName, 1, day); !st) return st;
    const fs::path download = state.rallyFile(RallyFolder::CompetitorsLog, downloadName);
    std::error_code ec;
    if (!fs::is_regular_file(download, ec))
        return Status::failure("Download file not found: " + download.string());

    result.clFileName = clFileNameFor(downloadName);
    const fs::path clFile = state.rallyFile(RallyFolder::CompetitorsLog, result.clFileName);
    std::string content;
    Status st = readWholeFile(download, content);
    CsvWriter out;
    out.reserve(content.size() / 2); // a competitor log is about half its download
    if (st && format) {
        st = convertTrack(state, day, *format, content, download.string(), out, result);
    } else if (st) {
        const CsvDocument doc = CsvDocument::forFile(download.string());
        st = convertRecords(state, day, *layout, content, doc, out, result.fixesKept, result.recordsRead);
    }
    if (st && result.fixesKept == 0)
        st = Status::failure(StatusKind::NoRecordsForRallyDate, kNoRecordsForRallyDate);
    if (st) st = writeFileAtomically(clFile, out.str());
    if (!st) {
        removeIfPresent(clFile);
        result.fixesKept = 0;
        return st;
    }
    return moveToBak(state, download, downloadName, content, result.earlierBackup);
}

} // namespace trakmora
