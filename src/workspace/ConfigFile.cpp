#include "workspace/ConfigFile.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "workspace/ConfigFields.h"

#include <climits>

namespace trakmora {
namespace fs = std::filesystem;

namespace {

// Reads the first `fieldCount` fields (26 or 30) in order into a copy, so a failure changes nothing.
Status readFields(const fs::path& file, int fieldCount, RallyConfig& config) {
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    CsvCursor in(doc);
    RallyConfig c = config;
    Status st;
    auto text = [&](std::string& v) {
        if (st) st = in.text(v);
    };
    auto num = [&](double& v) {
        if (st) st = in.number(v);
    };
    text(c.rallyName);
    text(c.permitNo);
    num(c.startDate);
    num(c.noOfDays);
    for (int d = 1; d <= 5; ++d)
        num(c.dayStartTime[d]);
    num(c.noOfSpeedGroups);
    for (int g = 1; g <= 4; ++g)
        num(c.groupSpeed[g]);
    num(c.noOfScoreGroups);
    for (int g = 1; g <= 4; ++g)
        text(c.scoreGroupName[g]);
    for (int g = 1; g <= 4; ++g)
        num(c.lastEntry[g]);
    num(c.distanceWindow);
    num(c.timeWindow);
    num(c.baselineSpeedGroup);
    if (fieldCount == kConfigFieldCount) {
        long holux = 0, canmore = 0;
        if (st) st = in.integer(INT_MIN, INT_MAX, holux);
        if (st) st = in.integer(INT_MIN, INT_MAX, canmore);
        num(c.easyLoggerOffset);
        num(c.lumoOffset);
        c.holuxOffset = static_cast<int>(holux);
        c.canmoreOffset = static_cast<int>(canmore);
    } else {
        const RallyConfig defaults;
        c.holuxOffset = defaults.holuxOffset;
        c.canmoreOffset = defaults.canmoreOffset;
        c.easyLoggerOffset = defaults.easyLoggerOffset;
        c.lumoOffset = defaults.lumoOffset;
    }
    if (!st) return st;
    config = c;
    return {};
}

} // namespace

Status readConfigFile(const fs::path& file, RallyConfig& config) {
    return readFields(file, kConfigFieldCount, config);
}

Status readLegacyConfigFile(const fs::path& file, RallyConfig& config) {
    return readFields(file, 26, config);
}

std::string configRecord(const RallyConfig& c) {
    CsvWriter w;
    w.text(c.rallyName).text(c.permitNo).number(c.startDate).number(c.noOfDays);
    for (int d = 1; d <= 5; ++d)
        w.number(c.dayStartTime[d]);
    w.number(c.noOfSpeedGroups);
    for (int g = 1; g <= 4; ++g)
        w.number(c.groupSpeed[g]);
    w.number(c.noOfScoreGroups);
    for (int g = 1; g <= 4; ++g)
        w.text(c.scoreGroupName[g]);
    for (int g = 1; g <= 4; ++g)
        w.number(c.lastEntry[g]);
    w.number(c.distanceWindow).number(c.timeWindow).number(c.baselineSpeedGroup);
    w.number(c.holuxOffset).number(c.canmoreOffset).number(c.easyLoggerOffset).number(c.lumoOffset);
    w.endRecord();
    return w.take();
}

void normaliseSpeedGroups(RallyConfig& c) {
    // Exact comparisons: a count that is not a whole 1..3 leaves every group as it is.
    int lastInUse = 0;
    if (c.noOfSpeedGroups == 1)
        lastInUse = 1;
    else if (c.noOfSpeedGroups == 2)
        lastInUse = 2;
    else if (c.noOfSpeedGroups == 3)
        lastInUse = 3;
    if (lastInUse == 0) return;
    for (int g = lastInUse + 1; g <= 4; ++g) {
        c.groupSpeed[g] = c.groupSpeed[lastInUse];
        c.lastEntry[g] = c.lastEntry[lastInUse];
    }
}

namespace {

constexpr const char* kUtcOffsetFile = "UtcOffset.csv";

// Working/UtcOffset.csv: one line "UtcOffset,+02:00". A missing file leaves the offset unset.
Status readUtcOffsetFile(const fs::path& file, std::optional<int>& offset) {
    offset.reset();
    std::error_code ec;
    if (!fs::exists(file, ec)) return {};
    CsvDocument doc;
    if (auto st = CsvDocument::load(file, doc); !st) return st;
    for (const CsvRecord& record : doc.records()) {
        if (record.values.size() != 2 || record.values[0].text != "UtcOffset") continue;
        int seconds = 0;
        if (!parseUtcOffset(record.values[1].text, seconds))
            return Status::failure(doc.problem(record.line, "\"" + record.values[1].text +
                                                                "\" is not a UTC offset such as +02:00"));
        offset = seconds;
        return {};
    }
    return Status::failure(file.string() + " holds no line UtcOffset,+hh:mm");
}

// Every opening of the rally saves the settings it read: a file is only written again when that
// changes something, which spares a flush to disk on each start of the command line.
Status writeIfChanged(const fs::path& file, const std::string& content) {
    std::string onDisk;
    if (std::error_code ec; fs::is_regular_file(file, ec) && readWholeFile(file, onDisk) && onDisk == content)
        return {};
    return writeFileAtomically(file, content);
}

} // namespace

Status saveConfig(ProgramState& state, bool deliberate) {
    normaliseSpeedGroups(state.config);
    if (!state.rallyOpen()) return {};
    if (state.configDamaged && !deliberate) return {};
    if (auto st =
            writeIfChanged(state.rallyFile(RallyFolder::Working, "config3.csv"), configRecord(state.config));
        !st)
        return st;
    if (state.config.utcOffset) {
        CsvWriter w;
        w.text("UtcOffset").text(formatUtcOffset(*state.config.utcOffset)).endRecord();
        if (auto st = writeIfChanged(state.rallyFile(RallyFolder::Working, kUtcOffsetFile), w.take()); !st)
            return st;
    }
    state.configDamaged = false;
    return {};
}

Status openRallyConfig(ProgramState& state, const std::string& defaultName) {
    state.configDamaged = false;
    const fs::path legacy = state.rallyFile(RallyFolder::Working, "config.csv");
    const fs::path current = state.rallyFile(RallyFolder::Working, "config3.csv");
    std::error_code ec;
    Status problem;
    if (fs::exists(legacy, ec)) {
        RallyConfig imported = state.config;
        if (auto st = readLegacyConfigFile(legacy, imported); !st) {
            // The legacy file stays where it is so nothing of the organiser's is lost.
            problem = st;
        } else {
            state.config = imported;
            if (auto saved = saveConfig(state); !saved) return saved;
            fs::remove(legacy, ec);
        }
    }
    if (fs::exists(current, ec)) {
        if (auto st = readConfigFile(current, state.config); !st) {
            // The damaged file is not replaced by the defaults: the next opening would then run
            // on them without a word. It stays as it is (and is copied aside) until the settings
            // are saved again, and every opening says so.
            fs::path bad = current;
            bad += ".bad";
            const Status copied = copyFileAtomically(current, bad);
            state.config = RallyConfig::defaults(defaultName);
            state.configDamaged = true;
            if (!copied)
                return Status::failure(st.message() +
                                       "\nNo copy of the damaged file could be kept: " + copied.message() +
                                       "; the default settings are shown until the settings "
                                       "are saved again.");
            return Status::failure(st.message() + "\nA copy of the damaged file is kept as " + bad.string() +
                                   "; the default settings are shown until the settings are saved again.");
        }
    } else {
        state.config = RallyConfig::defaults(defaultName);
    }
    if (auto st =
            readUtcOffsetFile(state.rallyFile(RallyFolder::Working, kUtcOffsetFile), state.config.utcOffset);
        !st && problem)
        problem = Status::failure(st.message() +
                                  "\nThe UTC offset of this computer is used until it is set again.");
    if (auto saved = saveConfig(state); !saved) return saved;
    return problem;
}

} // namespace trakmora
