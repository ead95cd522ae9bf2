#include "schedule/EditorFields.h"

#include "common/Format.h"
#include "schedule/ScheduleDisplay.h"
#include "schedule/ScheduleEdit.h"
#include "schedule/SpeedCalc.h"
#include "schedule/TimeCalc.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace trakmora {

namespace {

constexpr double kDefaultLimit = 120;

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](char c) { return isDigit(static_cast<unsigned char>(c)); });
}

// A whole number typed into a digits-only box; nothing when empty or not a number (pasted text).
std::optional<double> digitsValue(const std::string& text) {
    if (!allDigits(text) || text.size() > 15) return std::nullopt;
    return std::stod(text);
}

// A plain decimal number such as "100" or "62.5"; nothing for anything else.
std::optional<double> plainNumber(const std::string& text) {
    std::size_t digits = 0;
    std::size_t points = 0;
    for (char c : text) {
        if (isDigit(static_cast<unsigned char>(c)))
            ++digits;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1 || text.size() > 15) return std::nullopt;
    return std::stod(text);
}

bool refusedInInstruction(char c) {
    return c == '\'' || c == ',' || c == '"';
}

bool isOneOf(const std::string& type, std::initializer_list<const char*> codes) {
    return std::any_of(codes.begin(), codes.end(), [&](const char* code) { return type == code; });
}

ScheduleLine* currentLine(ProgramState& state) {
    ScheduleTable& t = state.schedule;
    const int n = t.currentLine;
    if (n < 1 || n > t.lineCount || n > kMaxScheduleLines) return nullptr;
    return &t.line(n);
}

// Steps of the added-time keys F1..F6, in seconds.
constexpr std::array<int, 6> kTimeSteps = {10, 60, 300, -10, -60, -300};

} // namespace

int speedFieldGroup(EditField field) {
    const int f = static_cast<int>(field);
    return f >= static_cast<int>(EditField::SpeedA) && f <= static_cast<int>(EditField::SpeedD)
               ? f - static_cast<int>(EditField::SpeedA) + 1
               : 0;
}

int addTimeFieldGroup(EditField field) {
    const int f = static_cast<int>(field);
    return f >= static_cast<int>(EditField::AddTimeA) && f <= static_cast<int>(EditField::AddTimeD)
               ? f - static_cast<int>(EditField::AddTimeA) + 1
               : 0;
}

bool fieldTakesCharacter(EditField field, char32_t c) {
    switch (field) {
    case EditField::Instruction:
        return c != U'\'' && c != U',' && c != U'"';
    case EditField::Type:
    case EditField::Limit:
        return true;
    case EditField::Distance:
        return isDigit(c);
    case EditField::Latitude:
    case EditField::Longitude:
        // A minus sign for the coordinates south of the equator or west of Greenwich, where
        // the loggers give them signed.
        return isDigit(c) || c == U'-';
    default:
        return speedFieldGroup(field) != 0 && isDigit(c);
    }
}

bool fieldOpenForType(EditField field, const std::string& type, int baselineGroup) {
    switch (field) {
    case EditField::Instruction:
    case EditField::Type:
    case EditField::Distance:
    case EditField::Limit:
        return true;
    case EditField::Latitude:
    case EditField::Longitude:
        return type == "v";
    default:
        break;
    }
    if (const int g = speedFieldGroup(field))
        return type == "a" || (isOneOf(type, {"f", "o"}) && g == baselineGroup);
    return addTimeFieldGroup(field) != 0 && isOneOf(type, {"f", "o", "a", "s"});
}

std::vector<std::string> functionKeyHints(EditField field) {
    if (field == EditField::Type)
        return {"Calculated speeds (f)", "Equal speeds (o)", "Nominated speeds (a)", "Zero speed (s)",
                "Virtual Control (v)"};
    if (field == EditField::Limit) return {"60", "80", "100", "120"};
    if (addTimeFieldGroup(field))
        return {"Add 10 seconds",      "Add 1 minute",      "Add 5 minutes",
                "Subtract 10 seconds", "Subtract 1 minute", "Subtract 5 minutes"};
    return {};
}

bool applyFunctionKey(ProgramState& state, EditField field, int key, Status& status) {
    status = {};
    ScheduleLine* line = currentLine(state);
    if (!line || key < 1 || key > 6) return false;
    if (field == EditField::Type) {
        static const std::array<const char*, 5> types = {"f", "o", "a", "s", "v"};
        if (key > 5) return false;
        line->type = types[static_cast<std::size_t>(key - 1)];
        status = propagateSpeeds(state.schedule, state.config);
        return true;
    }
    if (field == EditField::Limit) {
        if (key > 4) return false;
        line->limit = 40.0 + 20.0 * key;
        return true;
    }
    if (const int g = addTimeFieldGroup(field)) {
        status = changeAddedTime(state, g, kTimeSteps[static_cast<std::size_t>(key - 1)]);
        return true;
    }
    return false;
}

Status leaveField(ProgramState& state, EditField field, const std::string& text) {
    ScheduleLine* line = currentLine(state);
    if (!line) return {};
    switch (field) {
    case EditField::Instruction: {
        // Pasted text passes no key filter; the data file cannot hold these characters.
        std::string clean = text;
        std::erase_if(clean, refusedInInstruction);
        line->instruction = clean;
        return {};
    }
    case EditField::Type:
        line->type = text;
        return propagateSpeeds(state.schedule, state.config);
    case EditField::Distance:
        applyDistanceEntry(state, distanceEntryKm(text));
        return {};
    case EditField::Limit:
        if (text.empty())
            line->limit = kDefaultLimit;
        else if (const auto v = plainNumber(text))
            line->limit = *v;
        return {};
    case EditField::Latitude:
    case EditField::Longitude: {
        double& stored = field == EditField::Latitude ? line->lat : line->lon;
        const auto v = coordinateEntry(text);
        if (!v)
            return Status::failure("\"" + text +
                                   "\" is no coordinate (hundred-thousandths of a degree, a minus sign "
                                   "only in front): the " +
                                   (field == EditField::Latitude ? "latitude" : "longitude") + " stays " +
                                   formatNumber(stored));
        stored = *v;
        return {};
    }
    default:
        break;
    }
    if (const int g = speedFieldGroup(field)) {
        const auto v = digitsValue(text);
        if (!v) return {};
        line->speed[static_cast<std::size_t>(g)] = *v;
        return propagateSpeeds(state.schedule, state.config);
    }
    return {};
}

std::optional<double> distanceEntryKm(const std::string& entry) {
    const auto v = digitsValue(entry);
    if (!v) return std::nullopt;
    return *v / 100.0;
}

std::optional<double> coordinateEntry(const std::string& entry) {
    if (entry.empty()) return 0.0;
    const bool negative = entry.front() == '-';
    const auto v = digitsValue(negative ? entry.substr(1) : entry);
    if (!v) return std::nullopt;
    return (negative ? -*v : *v) / 100000.0;
}

double coordinateEntryDegrees(const std::string& entry) {
    return coordinateEntry(entry).value_or(0.0);
}

std::string distanceEntryText(double km) {
    return std::to_string(std::llround(std::fabs(km) * 100.0));
}

std::string coordinateEntryText(double degrees) {
    return std::to_string(std::llround(degrees * 100000.0)); // the sign stays with the value
}

std::string entryBoxText(const ScheduleTable& table, EditField field) {
    const int n = table.currentLine;
    if (n < 1 || n > table.lineCount || n > kMaxScheduleLines) return {};
    const ScheduleLine& line = table.line(n);
    switch (field) {
    case EditField::Distance:
        return distanceEntryText(line.distance);
    case EditField::Latitude:
        return coordinateEntryText(line.lat);
    case EditField::Longitude:
        return coordinateEntryText(line.lon);
    default:
        return {};
    }
}

int nextSelectedDay(int selectedDay, double noOfDays) {
    const int next = selectedDay + 1;
    return next > noOfDays ? 1 : next;
}

void stepCurrentLine(ProgramState& state, int delta) {
    ScheduleTable& t = state.schedule;
    t.currentLine = std::clamp(t.currentLine + delta, 1, std::clamp(t.lineCount, 1, kMaxScheduleLines));
    calculateTimes(t, state.config, state.rally.selectedDay);
}

bool goToWindowRow(ProgramState& state, int row) {
    const ScheduleTable& t = state.schedule;
    if (row < 0 || row >= kWindowRows) return false;
    const int line = t.currentLine + row - kWindowRows / 2;
    if (line < 1 || line > std::min(t.lineCount, kMaxScheduleLines)) return false;
    stepCurrentLine(state, line - t.currentLine);
    return true;
}

} // namespace trakmora
