#include "workspace/ConfigDisplay.h"

#include "common/Format.h"
#include "workspace/ConfigFields.h"

namespace trakmora {

namespace {

bool isTextField(int field) {
    return field >= 1 && field <= kSettingCount && configField(field).kind == ConfigFieldKind::Text;
}

// The day (fields 5..9) or group (11..14, 16..19, 20..23) a field belongs to, or 0.
int dayOf(int field) {
    return field >= 5 && field <= 9 ? field - 4 : 0;
}
int speedGroupOf(int field) {
    if (field >= 11 && field <= 14) return field - 10;
    if (field >= 20 && field <= 23) return field - 19;
    return 0;
}
int scoreGroupOf(int field) {
    return field >= 16 && field <= 19 ? field - 15 : 0;
}

std::string withUnit(double value, const char* unit) {
    return formatNumber(value) + unit;
}

// "A".."D" for the group numbers 1..4; nothing for other values.
std::optional<std::string> letterOf(double group) {
    for (int g = 1; g <= kMaxGroups; ++g)
        if (group == g) return std::string(1, groupLetter(g));
    return std::nullopt;
}

// Whether `count` is exactly one of 1..max.
bool exactCount(double count, int max) {
    for (int n = 1; n <= max; ++n)
        if (count == n) return true;
    return false;
}

// A summary value for item `index` (1-based) of a group of counted items: the text while the
// item is in use, "Not applicable" beyond, nothing when the count is not an exact one.
std::optional<std::string> countedValue(double count, int max, int index, std::string text) {
    if (!exactCount(count, max)) return std::nullopt;
    return index <= count ? std::move(text) : std::string(kNotApplicable);
}

} // namespace

bool fieldApplies(const RallyConfig& config, int field) {
    if (int day = dayOf(field)) return day <= config.noOfDays;
    if (int group = speedGroupOf(field)) return group == 1 || group <= config.noOfSpeedGroups;
    if (int group = scoreGroupOf(field)) return group == 1 || group <= config.noOfScoreGroups;
    return true;
}

std::string panelValueText(const RallyConfig& config, int field) {
    if (field < 1 || field > kSettingCount || isTextField(field)) return {};
    if (field == kUtcOffsetField)
        return formatUtcOffset(utcOffsetSeconds(config)) + (config.utcOffset ? "" : " (this computer)");
    if (!fieldApplies(config, field)) return kNotApplicable;
    const double value = numericValue(config, field);
    if (field >= 11 && field <= 14) return withUnit(value, " k/h");
    if (field >= 20 && field <= 23) return "Competitor No " + formatNumber(value);
    if (field == 24) return withUnit(value, " meters");
    if (field == 25 || field >= 27) return withUnit(value, " seconds");
    if (field == 26) {
        const auto letter = letterOf(value);
        return letter ? " " + *letter + " Speed Group" : formatNumber(value);
    }
    return formatFieldValue(config, field); // date, clock or plain number
}

std::string textBoxText(const RallyConfig& config, int field) {
    if (!isTextField(field)) return {};
    return fieldApplies(config, field) ? textValue(config, field) : std::string(kNotApplicable);
}

PanelLayout panelLayout(const RallyConfig& config, int field) {
    PanelLayout p;
    const bool applies = fieldApplies(config, field);
    switch (field) {
    case 1:
        p = {true, true, false, {}, false, false};
        break;
    case 2:
        p = {true, true, false, false, false, false};
        break;
    case 3:
        p = {false, false, {}, true, {}, {}};
        break;
    case 4:
        p = {{}, {}, true, false, {}, {}};
        break;
    case 15:
        p = {false, false, true, {}, {}, true};
        break;
    case 16:
        p = {true, true, false, {}, false, false};
        break;
    case 17:
    case 18:
    case 19:
        p.textBox = true;
        p.enter = applies;
        if (field == 19) p.steppers = false;
        if (applies) p.previous = p.next = false;
        break;
    case 20:
        p = {false, false, true, {}, {}, {}};
        break;
    case 26:
        p.next = true;
        break;
    default:
        break;
    }
    return p;
}

bool textAwaitsEnter(const RallyConfig& config, int field, const std::string& boxText,
                     bool storedOnThisVisit) {
    if (!isTextField(field) || !fieldApplies(config, field)) return false;
    return !storedOnThisVisit || boxText != textValue(config, field);
}

PanelLayout startLayout() {
    return {true, false, false, false, false, false};
}

PanelLayout afterEnterLayout(int field) {
    PanelLayout p;
    if (!isTextField(field)) return p;
    p.next = true;
    if (field != 1) p.previous = true;
    return p;
}

std::vector<SummaryLine> configSummary(const RallyConfig& c) {
    std::vector<SummaryLine> lines;
    auto add = [&lines](std::string caption, std::optional<std::string> value) {
        lines.push_back({std::move(caption), std::move(value)});
    };
    add("Rally Name", c.rallyName);
    add("TERVAN Permit No", c.permitNo);
    add("Start Date", formatDate(c.startDate));
    add("No of Days", formatNumber(c.noOfDays));
    for (int d = 1; d <= kMaxDays; ++d)
        add("Day " + std::to_string(d) + " Start Time",
            countedValue(c.noOfDays, kMaxDays, d, formatClockSeconds(c.dayStartTime[d])));
    add("No of Speed Groups", formatNumber(c.noOfSpeedGroups));
    for (int g = 1; g <= kMaxGroups; ++g)
        add(std::string("Group ") + groupLetter(g) + " Speed",
            countedValue(c.noOfSpeedGroups, kMaxGroups, g, withUnit(c.groupSpeed[g], " k/h")));
    const char* const lastEntryCaptions[] = {"", "Last A Speed Group Entry", "Last B Speed Group Entry",
                                             "Last C Group Entry", "Last D Speed Group Entry"};
    for (int g = 1; g <= kMaxGroups; ++g)
        add(lastEntryCaptions[g],
            countedValue(c.noOfSpeedGroups, kMaxGroups, g, "Competitor No " + formatNumber(c.lastEntry[g])));
    add("No of Score Groups", formatNumber(c.noOfScoreGroups));
    for (int g = 1; g <= kMaxGroups; ++g)
        add(std::string("Name of Score Group ") + groupLetter(g),
            countedValue(c.noOfScoreGroups, kMaxGroups, g, c.scoreGroupName[g]));
    add("Control Distance Window", withUnit(c.distanceWindow, " m"));
    add("Maximum Error", withUnit(c.timeWindow, " s"));
    add("Baseline Speed", letterOf(c.baselineSpeedGroup));
    add("H - Holux Logger offset", withUnit(c.holuxOffset, " s"));
    add("C - Canmore Logger offset", withUnit(c.canmoreOffset, " s"));
    add("E - Easy Logger offset", withUnit(c.easyLoggerOffset, " s"));
    add("X- Lumo Rally App Offset", withUnit(c.lumoOffset, " s"));
    add("G, N - GPX and NMEA: UTC offset", formatUtcOffset(utcOffsetSeconds(c)));
    return lines;
}

} // namespace trakmora
