#include "tracking/KeptExplainFiles.h"

#include "common/FileIo.h"
#include "common/Format.h"
#include "tracking/TrackingFiles.h"

namespace trakmora {
namespace fs = std::filesystem;

namespace {

std::string clNameFor(int day, int competitorNo) {
    return "CL" + std::to_string(day) + formatCompNo(competitorNo) + ".csv";
}

} // namespace

fs::path explainFolder(const ProgramState& state) {
    return state.rallyFolder(RallyFolder::Working) / "Explain";
}

Status keepExplainFiles(const ProgramState& state, int day, int competitorNo, const std::string& clFileName,
                        const std::string& backupClFileName) {
    const fs::path folder = explainFolder(state);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return Status::failure("Cannot create the folder " + folder.string() + ": " + ec.message());
    const fs::path working = state.rallyFolder(RallyFolder::Working);
    const std::pair<fs::path, std::string> copies[] = {
        {state.rallyFile(RallyFolder::CompetitorsLog, clFileName), clNameFor(day, competitorNo)},
        {working / shortlistFileName(3, day, competitorNo), shortlistFileName(3, day, competitorNo)},
        {working / reportFileName(day, competitorNo), reportFileName(day, competitorNo)},
    };
    for (const auto& [from, name] : copies) {
        if (auto st = copyFileAtomically(from, folder / name); !st)
            return Status::failure("Cannot keep " + from.string() + " in " + folder.string() + ": " +
                                   st.message());
    }
    const fs::path backupCopy = keptExplainFile(state, 3, day, competitorNo);
    if (backupClFileName.empty()) {
        std::error_code ignored;
        fs::remove(backupCopy, ignored);
        return {};
    }
    const fs::path backup = state.rallyFile(RallyFolder::CompetitorsLog, backupClFileName);
    if (auto st = copyFileAtomically(backup, backupCopy); !st)
        return Status::failure("Cannot keep " + backup.string() + " in " + folder.string() + ": " +
                               st.message());
    return {};
}

void removeExplainFiles(const ProgramState& state, int day, int competitorNo) {
    const fs::path folder = explainFolder(state);
    std::error_code ignored;
    for (const std::string& name : {clNameFor(day, competitorNo), shortlistFileName(3, day, competitorNo),
                                    reportFileName(day, competitorNo)})
        fs::remove(folder / name, ignored);
    fs::remove(keptExplainFile(state, 3, day, competitorNo), ignored);
}

fs::path keptExplainFile(const ProgramState& state, int which, int day, int competitorNo) {
    const fs::path folder = explainFolder(state);
    switch (which) {
    case 0:
        return folder / clNameFor(day, competitorNo);
    case 1:
        return folder / shortlistFileName(3, day, competitorNo);
    case 3:
        return folder / ("CL" + std::to_string(day) + formatCompNo(competitorNo) + "b.csv");
    default:
        return folder / reportFileName(day, competitorNo);
    }
}

bool allExplainFilesKept(const ProgramState& state, int day, int competitorNo) {
    std::error_code ec;
    for (int which = 0; which < 3; ++which)
        if (!fs::is_regular_file(keptExplainFile(state, which, day, competitorNo), ec)) return false;
    return true;
}

} // namespace trakmora
