#include "tracking/TrackingFiles.h"

#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Format.h"
#include "common/Paths.h"
#include "common/RallyConfig.h"
#include "tracking/loggers/TrackFormats.h"

#include <algorithm>
#include <optional>

namespace trakmora {

std::string clFileNameFor(std::string_view downloadName) {
    std::string name = "CL" + std::string(downloadName.substr(downloadName.empty() ? 0 : 1));
    // A GPX or NMEA download's competitor log is a comma-separated file like every other.
    if (findTrackFormat(downloadName)) {
        const auto dot = name.rfind('.');
        name = name.substr(0, dot) + ".csv";
    }
    return name;
}

Status competitorNoFromClName(std::string_view clFileName, int& competitorNo) {
    int number = 0;
    bool digits = clFileName.size() >= 6;
    for (std::size_t i = 3; digits && i < 6; ++i) {
        digits = clFileName[i] >= '0' && clFileName[i] <= '9';
        if (digits) number = number * 10 + (clFileName[i] - '0');
    }
    if (!digits || !startsWithIgnoreCase(clFileName, "CL"))
        return Status::failure(std::string(clFileName) +
                               " is not a competitor log name: CL, the day and a three-digit "
                               "competition number, as CL1007.csv");
    competitorNo = number;
    return {};
}

Status checkDayInName(std::string_view fileName, std::size_t position, int day) {
    if (day < 1 || day > kMaxDays)
        return Status::failure("Day " + std::to_string(day) + " is not a rally day (1 to " +
                               std::to_string(kMaxDays) + ")");
    if (fileName.size() > position && fileName[position] == static_cast<char>('0' + day)) return {};
    return Status::failure(std::string(fileName) + " is not a file of day " + std::to_string(day));
}

bool isBackupName(std::string_view name, std::size_t dayPosition) {
    if (name.size() < dayPosition + 5) return false;
    for (std::size_t i = dayPosition + 1; i < dayPosition + 4; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return name[dayPosition + 4] == 'b' || name[dayPosition + 4] == 'B';
}

int competitorNoInName(std::string_view name, std::size_t dayPosition) {
    if (name.size() < dayPosition + 4) return 0;
    int number = 0;
    for (std::size_t i = dayPosition + 1; i < dayPosition + 4; ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::map<std::string, std::string> sameCompetitorFiles(const std::vector<std::string>& names,
                                                       std::size_t dayPosition) {
    std::map<std::string, std::vector<std::string>> byCompetitor;
    for (const std::string& name : names) {
        // Names that carry no day and number are left to the import or scoring to refuse; a
        // name given twice is one file.
        if (name.size() < dayPosition + 4) continue;
        std::string key = name.substr(dayPosition, 4);
        if (key.find_first_not_of("0123456789") != std::string::npos) continue;
        // A primary and a backup logger of the competitor are a pair, not a clash.
        if (isBackupName(name, dayPosition)) key += 'b';
        auto& files = byCompetitor[key];
        if (std::find(files.begin(), files.end(), name) == files.end()) files.push_back(name);
    }
    std::map<std::string, std::string> clashes;
    for (const auto& [key, files] : byCompetitor) {
        if (files.size() < 2) continue;
        std::string list;
        for (std::size_t i = 0; i < files.size(); ++i)
            list += (i == 0 ? "" : i + 1 == files.size() ? " and " : ", ") + files[i];
        for (const std::string& f : files)
            clashes[f] = list + " belong to competitor " + std::to_string(std::stoi(key.substr(1, 3))) +
                         " on day " + key.substr(0, 1) + (key.size() > 4 ? " as backup loggers" : "") +
                         ": none of them is taken; leave only the right one in CompetitorsLog";
    }
    return clashes;
}

std::filesystem::path scrappedControlsFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::Working, "ScrappedControls Day" + std::to_string(day) + ".csv");
}

namespace {

bool sameControl(const ControlRecord& a, const ControlRecord& b) {
    return a.lat == b.lat && a.lon == b.lon && a.dist == b.dist && a.groupTime == b.groupTime;
}

Status readScrappedRecords(const ProgramState& state, int day, std::vector<ControlRecord>& records) {
    const auto file = scrappedControlsFile(state, day);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        records.clear();
        return {};
    }
    return readControlFile(file, records);
}

} // namespace

Status readScrappedControls(const ProgramState& state, int day, const std::vector<ControlRecord>& current,
                            std::vector<int>& controls) {
    std::vector<ControlRecord> scrapped;
    if (auto st = readScrappedRecords(state, day, scrapped); !st) return st;
    std::vector<int> found;
    for (const ControlRecord& c : current)
        for (const ControlRecord& s : scrapped)
            if (sameControl(c, s)) found.push_back(c.no);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    controls = std::move(found);
    return {};
}

namespace {

// The control `controlNo` of the day's control file; none without the file or the control.
Status currentControl(const ProgramState& state, int day, int controlNo,
                      std::optional<ControlRecord>& control) {
    control.reset();
    std::vector<ControlRecord> current;
    const auto controlFile = state.rallyFile(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv");
    std::error_code ec;
    if (!std::filesystem::exists(controlFile, ec)) return {};
    if (auto st = readControlFile(controlFile, current); !st) return st;
    const auto it = std::find_if(current.begin(), current.end(),
                                 [&](const ControlRecord& c) { return c.no == controlNo; });
    if (it != current.end()) control = *it;
    return {};
}

} // namespace

Status recordScrappedControl(const ProgramState& state, int day, int controlNo) {
    std::optional<ControlRecord> control;
    // Without the control file there is nothing to know the control by, and nothing to score later.
    if (auto st = currentControl(state, day, controlNo, control); !st || !control) return st;
    std::vector<ControlRecord> scrapped;
    if (auto st = readScrappedRecords(state, day, scrapped); !st) return st;
    for (const ControlRecord& s : scrapped)
        if (sameControl(s, *control)) return {};
    scrapped.push_back(*control);
    return writeFileAtomically(scrappedControlsFile(state, day), controlFileText(scrapped));
}

Status forgetScrappedControl(const ProgramState& state, int day, int controlNo, bool& removed) {
    removed = false;
    std::optional<ControlRecord> control;
    if (auto st = currentControl(state, day, controlNo, control); !st || !control) return st;
    std::vector<ControlRecord> scrapped;
    if (auto st = readScrappedRecords(state, day, scrapped); !st) return st;
    const auto kept = std::remove_if(scrapped.begin(), scrapped.end(),
                                     [&](const ControlRecord& s) { return sameControl(s, *control); });
    if (kept == scrapped.end()) return {};
    scrapped.erase(kept, scrapped.end());
    if (auto st = writeFileAtomically(scrappedControlsFile(state, day), controlFileText(scrapped)); !st)
        return st;
    removed = true;
    return {};
}

std::string shortlistFileName(int which, int day, int competitorNo) {
    return std::to_string(which) + "Shortlist_" + std::to_string(day) + "_" + std::to_string(competitorNo) +
           ".csv";
}

std::string reportFileName(int day, int competitorNo) {
    return "Report" + std::to_string(day) + "_" + std::to_string(competitorNo) + ".csv";
}

std::string resultFileName(int day, int competitorNo) {
    return "R" + std::to_string(day) + formatCompNo(competitorNo) + ".csv";
}

namespace {

std::vector<std::string> namesStartingWith(const std::filesystem::path& folder, const std::string& prefix,
                                           const std::vector<const char*>& extensions = {".csv"}) {
    std::vector<std::string> names;
    for (const auto& p : listFiles(folder, [&](const std::string& name) {
             if (!startsWithIgnoreCase(name, prefix)) return false;
             for (const char* extension : extensions)
                 if (endsWithIgnoreCase(name, extension)) return true;
             return false;
         }))
        names.push_back(p.filename().string());
    return names;
}

} // namespace

std::vector<std::string> listDownloads(const std::filesystem::path& folder, int day) {
    // The logger letters in the order listed, each with its name extensions; the folder is read
    // once and every name goes to the one letter it starts with.
    struct Kind {
        std::string prefix;
        std::vector<const char*> extensions;
        std::vector<std::string> names;
    };
    std::vector<Kind> kinds;
    for (const char letter : {'h', 'c', 'e', 'x'})
        kinds.push_back({letter + std::to_string(day), {".csv"}, {}});
    for (const TrackFormat* format : trackFormats())
        kinds.push_back({format->letter + std::to_string(day), format->extensions, {}});
    const auto kindOf = [&](const std::string& name) -> Kind* {
        for (Kind& kind : kinds) {
            if (!startsWithIgnoreCase(name, kind.prefix)) continue;
            for (const char* extension : kind.extensions)
                if (endsWithIgnoreCase(name, extension)) return &kind;
        }
        return nullptr;
    };
    for (const auto& file :
         listFiles(folder, [&](const std::string& name) { return kindOf(name) != nullptr; })) {
        std::string name = file.filename().string();
        kindOf(name)->names.push_back(std::move(name));
    }
    std::vector<std::string> downloads;
    for (Kind& kind : kinds)
        for (std::string& name : kind.names)
            downloads.push_back(std::move(name));
    return downloads;
}

CompetitorFiles listCompetitorFiles(const ProgramState& state, int day) {
    const auto folder = state.rallyFolder(RallyFolder::CompetitorsLog);
    return {namesStartingWith(folder, "CL" + std::to_string(day)), listDownloads(folder, day)};
}

} // namespace trakmora
