#include "tracking/TrackingFiles.h"

#include "common/Format.h"
#include "common/Paths.h"
#include "common/RallyConfig.h"

namespace trakmora {

std::string clFileNameFor(std::string_view downloadName) {
    return "CL" + std::string(downloadName.substr(downloadName.empty() ? 0 : 1));
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
        return Status::failure("Day " + std::to_string(day) + " is not a rally day (1 to " + std::to_string(kMaxDays) + ")");
    if (fileName.size() > position && fileName[position] == static_cast<char>('0' + day)) return {};
    return Status::failure(std::string(fileName) + " is not a file of day " + std::to_string(day));
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

CompetitorFiles listCompetitorFiles(const ProgramState& state, int day) {
    CompetitorFiles files;
    const auto folder = state.rallyFolder(RallyFolder::CompetitorsLog);
    const std::string dayText = std::to_string(day);
    const auto matching = [&](const std::string& prefix) {
        return listFiles(folder, [&](const std::string& name) {
            return startsWithIgnoreCase(name, prefix) && endsWithIgnoreCase(name, ".csv");
        });
    };
    for (const auto& p : matching("CL" + dayText)) files.clFiles.push_back(p.filename().string());
    for (const char* letter : {"h", "c", "e", "x"})
        for (const auto& p : matching(letter + dayText)) files.downloads.push_back(p.filename().string());
    return files;
}

} // namespace trakmora
