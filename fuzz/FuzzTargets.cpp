#include "FuzzTargets.h"

#include "common/Csv.h"
#include "entries/EntryList.h"
#include "results/CombinedDayResults.h"
#include "results/DayScore.h"
#include "results/FinalResults.h"
#include "results/MatrixFiles.h"
#include "results/ResultFiles.h"
#include "schedule/ControlFile.h"
#include "schedule/ControlFiles.h"
#include "schedule/RSModule.h"
#include "tracking/ClFile.h"
#include "tracking/ReportLine.h"
#include "tracking/ShortlistLine.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"
#include "tracking/loggers/GpxTrack.h"
#include "tracking/loggers/NmeaTrack.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace trakmora::fuzz {
namespace fs = std::filesystem;

namespace {

// A file per process, so parallel fuzzers do not share it.
fs::path scratchFile(const char* name) {
    static const fs::path folder = [] {
        std::error_code ec;
        const fs::path base =
            fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path p = base / ("trakmora-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return folder / name;
}

fs::path writeScratch(const char* name, const std::uint8_t* data, std::size_t size) {
    const fs::path file = scratchFile(name);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file;
}

// A reader that fails must say where: the file's name and a line number.
void expectWhere(const Status& st, const fs::path& file) {
    if (st) return;
    const std::string& m = st.message();
    if (m.find(file.string()) == std::string::npos || m.find(" line ") == std::string::npos) {
        std::fprintf(stderr, "reader failed without naming file and line: %s\n", m.c_str());
        std::abort();
    }
}

void csvTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CsvDocument doc = CsvDocument::parse(text, "fuzz.csv");
    CsvCursor in(doc);
    for (int i = 0; i < 64 && !in.atEnd(); ++i) {
        double d = 0;
        expectWhere(in.number(d), "fuzz.csv");
    }
    for (const auto& r : doc.records())
        for (const auto& v : r.values)
            if (v.text.size() > size) std::abort(); // a value longer than the input was read past it
}

void config3Target(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("config3.csv", data, size);
    RallyConfig config;
    expectWhere(readConfigFile(file, config), file);
}

void legacyConfigTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("config.csv", data, size);
    RallyConfig config;
    expectWhere(readLegacyConfigFile(file, config), file);
}

void entryListTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("EntryList.csv", data, size);
    EntryTable table;
    const Status st = readEntryList(file, table);
    expectWhere(st, file);
    if (st && table.count() > kMaxEntries) std::abort();
}

void controlFileTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("cp1.csv", data, size);
    std::vector<ControlRecord> controls;
    expectWhere(readControlFile(file, controls), file);
}

void scheduleDataTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("RS1_Data.csv", data, size);
    std::vector<ScheduleLine> lines;
    const Status st = readScheduleDataFile(file, lines);
    expectWhere(st, file);
    if (st && lines.size() > 999) std::abort();
}

void scheduleImportTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("Input_RS1.csv", data, size);
    std::vector<ScheduleLine> lines;
    const Status st = readScheduleImportFile(file, lines);
    expectWhere(st, file);
    if (st && lines.size() > 999) std::abort();
}

void speedTableTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("SpeedABCD_RS1.csv", data, size);
    SpeedTable table;
    expectWhere(readSpeedTable(file, table), file);
}

void passingWindowTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("abc.csv", data, size);
    PassingWindowTable table;
    expectWhere(readPassingWindowTable(file, table), file);
}

void clFileTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("cl1001.csv", data, size);
    std::vector<TrackFix> fixes;
    const Status st = readClFile(file, fixes);
    expectWhere(st, file);
    if (st && fixes.size() > static_cast<std::size_t>(kMaxFixes)) std::abort();
}

void reportFileTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("Report.csv", data, size);
    std::vector<ReportLine> lines;
    expectWhere(readReportFile(file, lines), file);
}

void shortlistTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("1Shortlist.csv", data, size);
    std::vector<ShortlistLine> lines;
    expectWhere(readShortlistFile(file, lines), file);
}

void resultScoresTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("R1007.csv", data, size);
    std::vector<double> scores;
    const Status st = readResultScores(file, scores);
    expectWhere(st, file);
    if (st && scores.size() > static_cast<std::size_t>(kMaxControlScores)) std::abort();
}

// The readers that take a rally rather than a file name work on a scratch rally of their own.
struct ScratchRally {
    RecordingMessages messages;
    ProgramState state{scratchFile("root"), messages};
    ScratchRally() {
        if (!createRally(state, "Fuzz Rally", "Fuzz")) std::abort();
    }
    fs::path put(const fs::path& file, const std::uint8_t* data, std::size_t size) const {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return file;
    }
};

ScratchRally& scratchRally() {
    static ScratchRally rally;
    return rally;
}

void nonFinishersTarget(const std::uint8_t* data, std::size_t size) {
    ScratchRally& r = scratchRally();
    const fs::path file = r.put(nonFinishersFile(r.state, 1), data, size);
    std::vector<int> marks;
    expectWhere(readNonFinishers(r.state, 1, marks), file);
    // The marks decide the matrix: numbers without a cell must be passed over, not written.
    DayMatrix matrix;
    expectWhere(rebuildDayMatrix(r.state, 1, matrix), file);
}

void dayScoreTarget(const std::uint8_t* data, std::size_t size) {
    ScratchRally& r = scratchRally();
    const fs::path file = r.put(dayScoreFile(r.state, 1), data, size);
    CombinedDayTable table;
    const Status st = loadCombinedDayResults(r.state, 1, 12, table);
    expectWhere(st, file);
    if (st && table.rows.size() > static_cast<std::size_t>(kMatrixCells)) std::abort();
}

void finalMatrixTarget(const std::uint8_t* data, std::size_t size) {
    ScratchRally& r = scratchRally();
    const fs::path file = r.put(finalMatrixFile(r.state, 1), data, size);
    DayMatrix colours;
    expectWhere(sumFinalMatrix(r.state, 1, colours), file);
}

void registerTarget(const std::uint8_t* data, std::size_t size) {
    ScratchRally& r = scratchRally();
    const fs::path file = r.put(r.state.paths.registerFile(), data, size);
    std::vector<RegisterRecord> records;
    expectWhere(readRegister(r.state, records), file);
    // Leave a readable register for the next run's rally creation checks.
    r.put(file, nullptr, 0);
}

// One download layout, imported as the organiser would: the bytes become CompetitorsLog/<name>
// and the import either writes the CL file or reports what is wrong, leaving no CL file behind.
void importTarget(const char* downloadName, const std::uint8_t* data, std::size_t size) {
    ScratchRally& r = scratchRally();
    const fs::path file = r.put(r.state.rallyFile(RallyFolder::CompetitorsLog, downloadName), data, size);
    ImportResult result;
    const Status st = importDownload(r.state, 1, downloadName, result);
    if (!st && st.message() != kNoRecordsForRallyDate) expectWhere(st, file);
    const fs::path cl = r.state.rallyFile(RallyFolder::CompetitorsLog, clFileNameFor(downloadName));
    std::error_code ec;
    if (!st && fs::exists(cl, ec)) std::abort(); // a failed import leaves no CL file
    if (st) {
        std::vector<TrackFix> fixes;
        expectWhere(readClFile(cl, fixes), cl); // what the import writes reads back
        if (fixes.size() != static_cast<std::size_t>(result.fixesKept)) std::abort();
        fs::remove(cl, ec);
    }
}

void holuxTarget(const std::uint8_t* data, std::size_t size) {
    importTarget("h1001.csv", data, size);
}
void canmoreTarget(const std::uint8_t* data, std::size_t size) {
    importTarget("c1001.csv", data, size);
}
void easyLoggerTarget(const std::uint8_t* data, std::size_t size) {
    importTarget("e1001.csv", data, size);
}
void lumoTarget(const std::uint8_t* data, std::size_t size) {
    importTarget("x1001.csv", data, size);
}

// A GPX document read on its own: either refused whole with the line named, or points within the
// limit, in running order, each with a position and a UTC date and time that exist.
void gpxTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TrackRead read;
    const Status st = readGpxTrack(text, read);
    if (!st) {
        if (st.message().rfind("line ", 0) != 0) {
            std::fprintf(stderr, "GPX refused without naming the line: %s\n", st.message().c_str());
            std::abort();
        }
        if (!read.fixes.empty() || !read.skipped.empty()) std::abort(); // refused, yet points kept
        return;
    }
    if (read.fixes.size() + static_cast<std::size_t>(read.skippedCount()) > kMaxTrackPoints) std::abort();
    double lastFixNo = 0;
    for (const LoggedRecord& r : read.fixes) {
        if (!(r.fixNo > lastFixNo) || !(std::fabs(r.lat) <= 90) || !(std::fabs(r.lon) <= 180)) std::abort();
        if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > 31 || !(r.seconds >= 0 && r.seconds < 86400))
            std::abort();
        lastFixNo = r.fixNo;
    }
}

// The NMEA reader works on text, not a file: a failure leaves nothing read, and what it reads is
// a fix the import can use.
void nmeaTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TrackRead read;
    const Status st = readNmeaTrack(text, read);
    if (!st) {
        if (st.message().empty() || !read.fixes.empty() || !read.skipped.empty()) std::abort();
        return;
    }
    if (read.fixes.size() > kMaxTrackPoints) std::abort();
    if (read.skippedCount() < 0 || static_cast<std::size_t>(read.skippedCount()) > size) std::abort();
    for (std::size_t i = 0; i < read.fixes.size(); ++i) {
        const LoggedRecord& f = read.fixes[i];
        if (f.fixNo != static_cast<double>(i + 1) || !(f.lat >= -90 && f.lat <= 90) ||
            !(f.lon >= -180 && f.lon <= 180) || !(f.seconds >= 0 && f.seconds < 86400) || f.month < 1 ||
            f.month > 12 || f.day < 1 || f.day > 31)
            std::abort();
    }
}

} // namespace

const std::vector<Target>& targets() {
    static const std::vector<Target> all = {
        {"csv", csvTarget},
        {"config3", config3Target},
        {"config_legacy", legacyConfigTarget},
        {"entrylist", entryListTarget},
        {"controlfile", controlFileTarget},
        {"schedule_data", scheduleDataTarget},
        {"schedule_import", scheduleImportTarget},
        {"speed_table", speedTableTarget},
        {"passing_window", passingWindowTarget},
        {"cl_file", clFileTarget},
        {"report_file", reportFileTarget},
        {"shortlist", shortlistTarget},
        {"result_scores", resultScoresTarget},
        {"nonfinishers", nonFinishersTarget},
        {"day_score", dayScoreTarget},
        {"final_matrix", finalMatrixTarget},
        {"register", registerTarget},
        {"download_holux", holuxTarget},
        {"download_canmore", canmoreTarget},
        {"download_easylogger", easyLoggerTarget},
        {"download_lumo", lumoTarget},
        {"gpx", gpxTarget},
        {"nmea", nmeaTarget},
    };
    return all;
}

const Target* findTarget(const std::string& name) {
    for (const auto& t : targets())
        if (name == t.name) return &t;
    return nullptr;
}

} // namespace trakmora::fuzz
