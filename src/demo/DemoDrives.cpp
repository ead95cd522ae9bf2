// The logger downloads of the demonstration rally: each starter drives the day's road, arriving
// at every control a little early or late by a skill of its own, and logs it with one of the four
// club loggers, or with a phone (GPX) or a modern logger's NMEA log.
#include "demo/DemoRally.h"

#include "common/FileIo.h"
#include "common/Format.h"
#include "demo/DemoRoute.h"
#include "demo/DownloadWriter.h"
#include "schedule/ControlFile.h"
#include "schedule/ControlFiles.h"
#include "schedule/RSModule.h"
#include "tracking/Scoring.h"
#include "tracking/loggers/LoggerTable.h"
#include "workspace/ConfigFields.h"

#include <random>

namespace trakmora {

namespace {

constexpr double kWaitBeforeStart = 300; // seconds at the start line before the start
constexpr int kEveningFixes = 40;        // fixes of the evening before, for one competitor

struct Drive {
    std::vector<TimedPoint> timetable;
    DriveLog log;
};

// The primary of a crew with a backup logger that stops logging from a minute before the second
// control to a minute after the third.
void gapOverTwoControls(Drive& drive) {
    if (drive.timetable.size() < 6) return;
    drive.log.gapFrom = drive.timetable[3].seconds - 60;
    drive.log.gapTo = drive.timetable[4].seconds + 60;
}

// Two crews carry a backup logger as well (DemoRoles): the same drive logged by a second unit of
// the layout after the primary's (h, c, e, x), every second and with a noise of its own, saved
// with a "b" after the number.
Status writeBackupDownload(const ProgramState& state, const SyntheticDrive& road, const Drive& drive, int day,
                           int no, double date, std::vector<std::string>& written) {
    DriveLog log;
    log.noiseMetres = 3;
    log.seed = drive.log.seed + 7919u;
    const LoggerLayout& layout = *loggerLayouts()[static_cast<std::size_t>((no + 1) % 4)];
    const std::string name = std::string(1, layout.letter) + std::to_string(day) + formatCompNo(no) + "b.csv";
    if (auto st = writeFileAtomically(
            state.rallyFile(RallyFolder::CompetitorsLog, name),
            downloadText(layout, road.timedFixes(drive.timetable, log), date, state.config));
        !st)
        return st;
    written.push_back(name);
    return {};
}

// Where competitor `no` of speed group `group` is due, with its own early or late arrivals.
Drive planDrive(const ProgramState& state, int day, int no, const std::vector<ControlRecord>& controls,
                double finishKm, std::uint32_t seed) {
    const RallyConfig& config = state.config;
    const int group = speedGroupFor(config, no);
    const double start = config.dayStartTime[static_cast<std::size_t>(day)] + 60.0 * no;
    std::mt19937 random(seed * 131u + static_cast<std::uint32_t>(day * 1000 + no));
    // Most crews keep within half a minute; a few are far less steady.
    const double spread = std::uniform_real_distribution<double>(2, no % 7 == 0 ? 60 : 25)(random);
    std::normal_distribution<double> error(0, spread);

    Drive d;
    d.timetable.push_back({0, start - kWaitBeforeStart});
    d.timetable.push_back({0, start});
    double lastSeconds = start;
    for (const ControlRecord& c : controls) {
        const double due = c.groupTime[static_cast<std::size_t>(group)] + 60.0 * no + error(random);
        lastSeconds = std::max(due, lastSeconds + 30);
        d.timetable.push_back({c.dist * 1000, lastSeconds});
    }
    const double speed = config.groupSpeed[static_cast<std::size_t>(group)] / 3.6;
    const double lastKm = controls.empty() ? 0 : controls.back().dist;
    d.timetable.push_back(
        {finishKm * 1000, lastSeconds + (finishKm - lastKm) * 1000 / (speed > 0 ? speed : 10)});

    // Easy Loggers log every second and the import keeps every fifth record; the others log at 1 s
    // or 5 s.
    d.log.interval = no % 4 == 2 || no % 3 != 0 ? 1 : 5;
    d.log.noiseMetres = 2 + no % 4;
    d.log.seed = seed + static_cast<std::uint32_t>(no);
    return d;
}

// h, c, e, x in turn by competition number.
const LoggerLayout& layoutFor(int no) {
    return *loggerLayouts()[static_cast<std::size_t>(no % 4)];
}

// Crews 3, 13, 23, ... carry a phone (GPX), crews 9, 19, 29, ... a logger writing NMEA; their
// times are UTC.
std::string downloadFor(const ProgramState& state, int day, int no, const std::vector<TrackFix>& fixes,
                        std::size_t evening, std::string& text) {
    const double date = state.config.startDate + day - 1;
    const std::string dayAndNo = std::to_string(day) + formatCompNo(no);
    const int utcOffset = utcOffsetSeconds(state.config);
    if (no % 10 == 3) {
        text = gpxDownloadText(fixes, date, utcOffset, evening);
        return "g" + dayAndNo + ".gpx";
    }
    if (no % 10 == 9) {
        text = nmeaDownloadText(fixes, date, utcOffset, evening);
        return "n" + dayAndNo + ".nmea";
    }
    const LoggerLayout& layout = layoutFor(no);
    text = downloadText(layout, fixes, date, state.config, evening);
    return std::string(1, layout.letter) + dayAndNo + ".csv";
}

} // namespace

Status writeDemoDownloads(const ProgramState& state, int day, std::uint32_t seed,
                          std::vector<std::string>& written) {
    std::vector<ControlRecord> controls;
    if (auto st = readControlFile(controlFilePath(state, day), controls); !st) return st;
    std::vector<ScheduleLine> lines;
    if (auto st = readScheduleDataFile(scheduleDataFile(state, day), lines); !st) return st;
    const double finishKm = lines.empty() ? 0 : lines.back().distance;
    const SyntheticDrive road = demoRoad(day, seed);
    const DemoRoles roles = demoRoles(day);

    for (const Entry& entry : state.entries.entries) {
        const int no = entry.compNo;
        if (no == roles.nonStarter) continue;
        Drive drive = planDrive(state, day, no, controls, finishKm, seed);
        if (no == roles.nonFinisher) drive.timetable.resize(drive.timetable.size() / 2); // retires half-way
        if (no == roles.missedControl && roles.missedControlNo >= 1 &&
            roles.missedControlNo <= static_cast<int>(controls.size())) {
            const double at = controls[static_cast<std::size_t>(roles.missedControlNo - 1)].dist * 1000;
            drive.log.detourFrom = at - 400;
            drive.log.detourTo = at + 400;
        }
        if (no == roles.loggingGap && controls.size() >= 3) {
            // Four minutes without fixes, after the second control.
            drive.log.gapFrom = drive.timetable[3].seconds + 60;
            drive.log.gapTo = drive.log.gapFrom + 240;
        }
        if (no == roles.backupAfterGap) gapOverTwoControls(drive);
        std::vector<TrackFix> fixes = road.timedFixes(drive.timetable, drive.log);
        std::size_t evening = 0;
        if (no == roles.otherDateFixes && !fixes.empty()) {
            // The logger was switched on at the evening scrutineering the day before.
            std::vector<TrackFix> before;
            for (int k = 0; k < kEveningFixes; ++k)
                before.push_back(TrackFix{0, fixes.front().lat, fixes.front().lon, 19 * 3600.0 + 5 * k});
            fixes.insert(fixes.begin(), before.begin(), before.end());
            for (std::size_t i = 0; i < fixes.size(); ++i)
                fixes[i].fixNo = static_cast<double>(i + 1);
            evening = kEveningFixes;
        }
        std::string text;
        const std::string name = downloadFor(state, day, no, fixes, evening, text);
        if (auto st = writeFileAtomically(state.rallyFile(RallyFolder::CompetitorsLog, name), text); !st)
            return st;
        written.push_back(name);
        if (no == roles.backupLogger || no == roles.backupAfterGap)
            if (auto st = writeBackupDownload(state, road, drive, day, no, state.config.startDate + day - 1,
                                              written);
                !st)
                return st;
    }
    return {};
}

} // namespace trakmora
