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

namespace {

std::vector<std::string> namesStartingWith(const std::filesystem::path& folder, const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& p : listFiles(folder, [&](const std::string& name) {
             return startsWithIgnoreCase(name, prefix) && endsWithIgnoreCase(name, ".csv");
         }))
        names.push_back(p.filename().string());
    return names;
}

} // namespace

std::vector<std::string> listDownloads(const std::filesystem::path& folder, int day) {
    std::vector<std::string> downloads;
    for (const char* letter : {"h", "c", "e", "x"})
        for (std::string& name : namesStartingWith(folder, letter + std::to_string(day)))
            downloads.push_back(std::move(name));
    return downloads;
}

CompetitorFiles listCompetitorFiles(const ProgramState& state, int day) {
    const auto folder = state.rallyFolder(RallyFolder::CompetitorsLog);
    return {namesStartingWith(folder, "CL" + std::to_string(day)), listDownloads(folder, day)};
}

} // namespace trakmora
