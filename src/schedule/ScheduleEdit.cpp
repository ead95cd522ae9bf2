#include "schedule/ScheduleEdit.h"

#include "schedule/SpeedCalc.h"
#include "schedule/TimeCalc.h"

#include <algorithm>

namespace trakmora {

namespace {

constexpr double kMaxAddedMinutes = 120;

Status tableFull() {
    return Status::failure("The route schedule is full: a day holds at most " +
                           std::to_string(kMaxScheduleLines) + " lines");
}

ScheduleLine newLine(const std::string& instruction, double distance) {
    ScheduleLine line;
    line.instruction = instruction;
    line.type = "o";
    line.distance = distance;
    line.limit = 120;
    return line;
}

void recalculateTimes(ProgramState& state) {
    calculateTimes(state.schedule, state.config, state.rally.selectedDay);
}

} // namespace

Status insertRow(ProgramState& state) {
    ScheduleTable& t = state.schedule;
    if (t.lineCount >= kMaxScheduleLines) return tableFull();
    const int count = std::max(t.lineCount, 0);
    const int n = std::clamp(t.currentLine, 1, count + 1);
    for (int i = count; i >= n; --i) {
        t.line(i + 1) = t.line(i);
        t.line(i + 1).no = i + 1;
    }
    t.lineCount = count + 1;
    ScheduleLine line = newLine("line inserted", t.line(n - 1).distance);
    if (n < t.lineCount) line.speed = t.line(n + 1).speed;
    line.no = n;
    t.line(n) = line;
    recalculateTimes(state);
    return {};
}

void deleteRow(ProgramState& state) {
    ScheduleTable& t = state.schedule;
    const int count = std::clamp(t.lineCount, 0, kMaxScheduleLines);
    const int n = t.currentLine;
    if (n < 1 || n > count) return;
    for (int i = n; i < count; ++i) {
        t.line(i) = t.line(i + 1);
        t.line(i).no = i;
    }
    t.line(count) = ScheduleLine{};
    t.lineCount = count - 1;
    // Left beyond the last line, the screen would edit a line that is never shown or saved.
    t.currentLine = std::clamp(t.currentLine, 1, std::max(t.lineCount, 1));
    recalculateTimes(state);
}

Status addRow(ProgramState& state) {
    ScheduleTable& t = state.schedule;
    if (t.lineCount >= kMaxScheduleLines) return tableFull();
    const int n = std::max(t.lineCount, 0) + 1;
    ScheduleLine line = newLine("line added", t.line(n - 1).distance);
    line.speed = t.line(n - 1).speed;
    line.no = n;
    t.line(n) = line;
    t.lineCount = n;
    // The organiser adds a line to fill it in: it is the line the edit fields show at once.
    t.currentLine = n;
    recalculateTimes(state);
    return {};
}

double applyDistanceEntry(ProgramState& state, std::optional<double> enteredKm) {
    ScheduleTable& t = state.schedule;
    const int n = t.currentLine;
    if (n < 1 || n > t.lineCount || n > kMaxScheduleLines) return 0;
    const ScheduleLine& prev = t.line(n - 1);
    double stored = prev.distance;
    if (prev.type != "s" && enteredKm && *enteredKm >= prev.distance) stored = *enteredKm;
    t.line(n).distance = stored;
    return stored;
}

Status changeAddedTime(ProgramState& state, int group, int stepSeconds) {
    ScheduleTable& t = state.schedule;
    const int n = t.currentLine;
    if (group < 1 || group > kMaxGroups)
        return Status::failure("There is no speed group " + std::to_string(group));
    if (n < 1 || n > t.lineCount || n > kMaxScheduleLines) return Status::failure("No line is selected");
    ScheduleLine& line = t.line(n);
    double minutes = line.addTime[group] + stepSeconds / 60.0;
    if (minutes > kMaxAddedMinutes) minutes = kMaxAddedMinutes;
    // Less than a second is none; the margin keeps a whole second made of steps from being lost
    // to binary fractions (11 s - 10 s is a hair under 1/60 minute).
    if (minutes * 60.0 < 1.0 - 1e-9) minutes = 0;
    line.addTime[group] = minutes;
    mirrorAddedTime(line, state.config);
    recalculateTimes(state);
    return {};
}

} // namespace trakmora
