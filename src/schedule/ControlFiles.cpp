#include "schedule/ControlFiles.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

namespace trakmora {
namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 8> kPassingWindowHeader = {"LineNo",    "Dist",     "Lat",         "Lon",
                                                             "FirstTime", "LastTime", "Instruction", "Type"};

bool isControl(const std::string& type) {
    return type == "v";
}
bool inSpeedTable(const std::string& type) {
    return type != "m" && type != "v";
}
bool inPassingWindows(const std::string& type) {
    return type == "v" || type == "m" || type == "c" || type == "p";
}

int lineCount(const ScheduleTable& table) {
    return std::clamp(table.lineCount, 0, kMaxScheduleLines);
}

// Added times built from ten-second steps carry binary fractions (three steps make
// 0.49999999999999994 minutes); the note shows the value to 15 significant digits, as typed.
std::string noteNumber(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    double rounded = value;
    parseNumber(buf, rounded);
    return formatNumber(rounded);
}

} // namespace

fs::path controlFilePath(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv");
}

fs::path speedTableFilePath(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::RouteSchedule, "SpeedABCD_RS" + std::to_string(day) + ".csv");
}

fs::path passingWindowFilePath(const ProgramState& state) {
    return state.rallyFile(RallyFolder::RouteSchedule, "abc.csv");
}

std::string timeAddedNote(const std::string& instruction, double addedMinutes) {
    if (addedMinutes == 0) return instruction;
    if (addedMinutes < 2) return instruction + " [Time added: " + noteNumber(addedMinutes * 60) + " seconds]";
    return instruction + " [Time added: " + noteNumber(addedMinutes) + " minutes]";
}

std::vector<ControlRecord> controlRecords(const ScheduleTable& table, double dayStartSeconds) {
    std::vector<ControlRecord> controls;
    for (int i = 1; i <= lineCount(table); ++i) {
        const ScheduleLine& line = table.line(i);
        if (!isControl(line.type)) continue;
        ControlRecord c;
        c.no = static_cast<int>(controls.size()) + 1;
        c.lat = line.lat;
        c.lon = line.lon;
        c.dist = line.distance;
        for (int g = 1; g <= kMaxGroups; ++g)
            c.groupTime[static_cast<std::size_t>(g)] =
                roundHalfEven(line.rallyTime[g] * 3600.0 + dayStartSeconds);
        controls.push_back(c);
    }
    return controls;
}

std::string speedTableText(const ScheduleTable& table) {
    CsvWriter w;
    for (int i = 1; i <= lineCount(table); ++i) {
        const ScheduleLine& line = table.line(i);
        if (!inSpeedTable(line.type)) continue;
        w.number(line.distance);
        for (int g = 1; g <= kMaxGroups; ++g)
            w.number(line.speed[g]);
        for (int g = 1; g <= kMaxGroups; ++g)
            w.number(line.rallyTime[g]);
        for (int g = 1; g <= kMaxGroups; ++g)
            w.text(timeAddedNote(line.instruction, line.addTime[g]));
        w.endRecord();
    }
    return w.take();
}

std::string passingWindowText(const ScheduleTable& table) {
    CsvWriter w;
    for (const char* name : kPassingWindowHeader)
        w.text(name);
    w.endRecord();
    for (int i = 1; i <= lineCount(table); ++i) {
        const ScheduleLine& line = table.line(i);
        if (!inPassingWindows(line.type)) continue;
        w.number(i).number(line.distance).number(line.lat).number(line.lon);
        w.number(line.firstTime).number(line.lastTime).text(line.instruction).text(line.type).endRecord();
    }
    return w.take();
}

Status readSpeedTable(const fs::path& file, SpeedTable& table) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    CsvCursor in(doc);
    std::vector<SpeedTableRow> rows;
    while (!in.atEnd()) {
        if (static_cast<int>(rows.size()) == kMaxScheduleLines)
            return Status::failure(
                doc.problem(in.line(), "more than " + std::to_string(kMaxScheduleLines) + " rows"));
        SpeedTableRow row;
        Status st = in.number(row.distance);
        for (int g = 1; g <= kMaxGroups && st; ++g)
            st = in.number(row.speed[g]);
        for (int g = 1; g <= kMaxGroups && st; ++g)
            st = in.number(row.rallyTime[g]);
        for (int g = 1; g <= kMaxGroups && st; ++g)
            st = in.text(row.note[g]);
        if (!st) return st;
        rows.push_back(std::move(row));
    }
    table.rows = std::move(rows);
    return {};
}

Status readPassingWindowTable(const fs::path& file, PassingWindowTable& table) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    CsvCursor in(doc);
    std::string ignored;
    for (std::size_t i = 0; i < kPassingWindowHeader.size(); ++i)
        if (auto st = in.text(ignored); !st) return st;
    std::vector<PassingWindowRow> rows;
    while (!in.atEnd()) {
        PassingWindowRow row;
        long lineNo = 0;
        Status st = in.integer(INT_MIN, INT_MAX, lineNo);
        if (st) st = in.number(row.distance);
        if (st) st = in.number(row.lat);
        if (st) st = in.number(row.lon);
        if (st) st = in.number(row.firstTime);
        if (st) st = in.number(row.lastTime);
        if (st) st = in.text(row.instruction);
        if (st) st = in.text(row.type);
        if (!st) return st;
        row.lineNo = static_cast<int>(lineNo);
        rows.push_back(std::move(row));
    }
    table.rows = std::move(rows);
    return {};
}

Status writeControlFiles(ProgramState& state, int* controlsWritten) {
    const int day = state.rally.selectedDay;
    if (day < 1 || day > kMaxDays)
        return Status::failure("Day " + std::to_string(day) + " is not a rally day (1 to 5)");
    state.selectedDayStartTime = state.config.dayStartTime[static_cast<std::size_t>(day)];
    ScheduleTable& table = state.schedule;

    const std::vector<ControlRecord> controls = controlRecords(table, state.selectedDayStartTime);
    // A day whose schedule holds no "v" line (the template of a day whose file went missing)
    // never replaces a control file that holds controls: the day could no longer be scored.
    if (controls.empty()) {
        std::vector<ControlRecord> existing;
        std::error_code ec;
        if (fs::exists(controlFilePath(state, day), ec) &&
            readControlFile(controlFilePath(state, day), existing) && !existing.empty())
            return Status::failure(
                controlFilePath(state, day).string() + " holds " + std::to_string(existing.size()) +
                " controls and the route schedule of day " + std::to_string(day) +
                " has none (no \"v\" line): the control file is left as it is. Delete it first "
                "if the day really has no virtual control.");
    }
    if (auto st = writeFileAtomically(controlFilePath(state, day), controlFileText(controls)); !st) return st;

    const fs::path speedFile = speedTableFilePath(state, day);
    if (auto st = writeFile(speedFile, speedTableText(table)); !st) return st;
    if (auto st = readSpeedTable(speedFile, table.speedTable); !st) return st;

    const fs::path windowFile = passingWindowFilePath(state);
    if (auto st = writeFile(windowFile, passingWindowText(table)); !st) return st;
    if (auto st = readPassingWindowTable(windowFile, table.passingWindows); !st) return st;

    if (controlsWritten) *controlsWritten = static_cast<int>(controls.size());
    return {};
}

} // namespace trakmora
