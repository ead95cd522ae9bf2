#include "schedule/RSModule.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "schedule/SpeedCalc.h"
#include "schedule/TimeCalc.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace trakmora {
namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 15> kDataHeader = {
    "No",    "Instruction", "Type",      "Distance",  "A_Speed",   "B_Speed", "C_Speed", "D_Speed",
    "Limit", "AddTime_A",   "AddTime_B", "AddTime_C", "AddTime_D", "Lat",     "Long"};

constexpr long kMinLineNo = -32768;
constexpr long kMaxLineNo = 32767;

Status checkDay(int day) {
    if (day >= 1 && day <= kMaxDays) return {};
    return Status::failure("Day " + std::to_string(day) + " is not a rally day (1 to 5)");
}

Status skipHeader(CsvCursor& in, int fields) {
    std::string ignored;
    for (int i = 0; i < fields; ++i)
        if (auto st = in.text(ignored); !st) return st;
    return {};
}

// Names the line that goes beyond the limit, like every other reading failure.
Status tooManyLines(const CsvDocument& doc, int line) {
    return Status::failure(doc.problem(line, "more than " + std::to_string(kMaxScheduleLines) +
                                                 " lines; a day holds at most " +
                                                 std::to_string(kMaxScheduleLines)));
}

Status readDataRecord(CsvCursor& in, ScheduleLine& line) {
    long no = 0;
    Status st = in.integer(kMinLineNo, kMaxLineNo, no);
    if (st) st = in.text(line.instruction);
    if (st) st = in.text(line.type);
    if (st) st = in.number(line.distance);
    for (int g = 1; g <= kMaxGroups && st; ++g)
        st = in.number(line.speed[g]);
    if (st) st = in.number(line.limit);
    for (int g = 1; g <= kMaxGroups && st; ++g)
        st = in.number(line.addTime[g]);
    if (st) st = in.number(line.lat);
    if (st) st = in.number(line.lon);
    return st;
}

Status readImportRecord(CsvCursor& in, ScheduleLine& line) {
    long no = 0;
    Status st = in.integer(kMinLineNo, kMaxLineNo, no);
    if (st) st = in.text(line.instruction);
    if (st) st = in.text(line.type);
    if (st) st = in.number(line.distance);
    if (st) st = in.number(line.importSpeed);
    return st;
}

// Reads records after a header of `headerFields` values, until the end of the file.
template <class ReadRecord>
Status readLines(const fs::path& file, int headerFields, std::vector<ScheduleLine>& lines,
                 ReadRecord readRecord) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    CsvCursor in(doc);
    if (auto st = skipHeader(in, headerFields); !st) return st;
    std::vector<ScheduleLine> read;
    while (!in.atEnd()) {
        if (static_cast<int>(read.size()) == kMaxScheduleLines) return tooManyLines(doc, in.line());
        ScheduleLine line;
        if (auto st = readRecord(in, line); !st) return st;
        line.no = static_cast<int>(read.size()) + 1;
        read.push_back(std::move(line));
    }
    lines = std::move(read);
    return {};
}

std::vector<ScheduleLine> templateLines() {
    const char* const texts[] = {"Start of Rally - edit this line",
                                 "Second instruction/clue - edit this line",
                                 "Third instruction/clue - edit this line", "Use ADD ROW for future lines"};
    std::vector<ScheduleLine> lines;
    for (int i = 0; i < 4; ++i) {
        ScheduleLine line;
        line.no = i + 1;
        line.instruction = texts[i];
        line.type = "o";
        line.distance = i;
        line.limit = 120;
        lines.push_back(line);
    }
    return lines;
}

// Puts the lines at positions 1..n and clears the positions above, so nothing of an earlier day
// lingers in the table.
void install(ScheduleTable& table, std::vector<ScheduleLine> lines) {
    const int n = static_cast<int>(lines.size());
    for (int i = 1; i <= kMaxScheduleLines; ++i)
        table.line(i) = i <= n ? std::move(lines[static_cast<std::size_t>(i - 1)]) : ScheduleLine{};
    for (int i = 1; i <= n; ++i)
        table.line(i).no = i;
    table.lineCount = n;
    table.currentLine = 1;
}

} // namespace

fs::path scheduleDataFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::RouteSchedule, "RS" + std::to_string(day) + "_Data.csv");
}

fs::path scheduleImportFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::RouteSchedule, "Input_RS" + std::to_string(day) + ".csv");
}

Status readScheduleDataFile(const fs::path& file, std::vector<ScheduleLine>& lines) {
    return readLines(file, static_cast<int>(kDataHeader.size()), lines, readDataRecord);
}

Status readScheduleImportFile(const fs::path& file, std::vector<ScheduleLine>& lines) {
    return readLines(file, 5, lines, readImportRecord);
}

std::string scheduleDataText(const ScheduleTable& table, int count) {
    CsvWriter w;
    for (const char* name : kDataHeader)
        w.text(name);
    w.endRecord();
    for (int i = 1; i <= count; ++i) {
        const ScheduleLine& line = table.line(i);
        w.number(i).text(line.instruction).text(line.type).number(line.distance);
        for (int g = 1; g <= kMaxGroups; ++g)
            w.number(line.speed[g]);
        w.number(line.limit);
        for (int g = 1; g <= kMaxGroups; ++g)
            w.number(line.addTime[g]);
        w.number(line.lat).number(line.lon).endRecord();
    }
    return w.take();
}

std::string scheduleWarnings(const std::vector<ScheduleLine>& lines) {
    static const std::string kTypes = "foasvcmp";
    std::string out;
    std::size_t shown = 0;
    const auto add = [&](const std::string& text) {
        if (++shown <= 10) out += "\n" + text;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ScheduleLine& line = lines[i];
        const std::string no = "line " + std::to_string(i + 1);
        if (!line.type.empty() && (line.type.size() != 1 || kTypes.find(line.type[0]) == std::string::npos)) {
            std::string text = no + ": the type \"" + line.type +
                               "\" is no line type, so the line is neither a control "
                               "nor a change of speed";
            if (line.type.size() == 1 &&
                kTypes.find(static_cast<char>(std::tolower(static_cast<unsigned char>(line.type[0])))) !=
                    std::string::npos)
                text += " (the types are small letters: \"" +
                        std::string(
                            1, static_cast<char>(std::tolower(static_cast<unsigned char>(line.type[0])))) +
                        "\")";
            add(text);
        }
        if (i > 0 && line.distance < lines[i - 1].distance)
            add(no + ": " + formatNumber(line.distance) + " km comes before line " + std::to_string(i) +
                " at " + formatNumber(lines[i - 1].distance) +
                " km, which gives the stretch a negative running time");
    }
    if (shown > 10) out += "\n... and " + std::to_string(shown - 10) + " more";
    return out;
}

Status loadDay(ProgramState& state, LoadSource* source) {
    const int day = state.rally.selectedDay;
    if (auto st = checkDay(day); !st) return st;
    const fs::path dataFile = scheduleDataFile(state, day);
    const fs::path importFile = scheduleImportFile(state, day);
    std::error_code ec;
    std::vector<ScheduleLine> lines;
    fs::path readFrom = dataFile;
    if (fs::exists(dataFile, ec)) {
        if (auto st = readScheduleDataFile(dataFile, lines); !st) return st;
        if (source) *source = LoadSource::DataFile;
    } else if (fs::exists(importFile, ec)) {
        readFrom = importFile;
        if (auto st = readScheduleImportFile(importFile, lines); !st) return st;
        const int b = baselineGroup(state.config);
        for (ScheduleLine& line : lines) {
            line.limit = 120;
            if (b != 0) line.speed[b] = line.importSpeed;
        }
        if (source) *source = LoadSource::ImportFile;
    } else {
        state.messages->info("No data to load");
        install(state.schedule, templateLines());
        if (source) *source = LoadSource::Template;
        return saveDay(state);
    }
    const std::string warnings = scheduleWarnings(lines);
    install(state.schedule, std::move(lines));
    if (!warnings.empty()) state.messages->info(readFrom.filename().string() + ":" + warnings);
    return recalculateSchedule(state);
}

Status saveDay(ProgramState& state) {
    const int day = state.rally.selectedDay;
    if (auto st = checkDay(day); !st) return st;
    const int count = std::clamp(state.schedule.lineCount, 1, kMaxScheduleLines);
    if (auto st = writeFileAtomically(scheduleDataFile(state, day), scheduleDataText(state.schedule, count));
        !st)
        return st;
    state.schedule.lineCount = count;
    return {};
}

Status recalculateSchedule(ProgramState& state) {
    Status st = propagateSpeeds(state.schedule, state.config);
    calculateTimes(state.schedule, state.config, state.rally.selectedDay);
    return st;
}

} // namespace trakmora
