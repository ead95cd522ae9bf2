#include "results/ResultFiles.h"

#include "common/Format.h"
#include "common/RallyConfig.h"

#include <string>

namespace trakmora {
namespace fs = std::filesystem;

fs::path resultFile(const ProgramState& state, int day, int compNo) {
    return state.rallyFile(RallyFolder::Results, "R" + std::to_string(day) + formatCompNo(compNo) + ".csv");
}

fs::path dayScoreFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::Results, "DayScore_" + std::to_string(day) + ".csv");
}

fs::path matrixDisplayFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::Working, "MatrixDisplay" + std::to_string(day) + ".csv");
}

fs::path nonFinishersFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::Working, "NonFinishers Day" + std::to_string(day) + ".csv");
}

fs::path finalMatrixFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::Working, "FinalMatrix" + std::to_string(day) + ".csv");
}

fs::path dayPositionFile(const ProgramState& state, int day, int group) {
    return state.rallyFile(RallyFolder::Results, "DayPosition_" + std::to_string(day) + "_SG" +
                                                     std::string(1, groupLetter(group)) + ".csv");
}

fs::path finalScoreFile(const ProgramState& state, int group) {
    return state.rallyFile(RallyFolder::Results,
                           "FinalScore_SG" + std::string(1, groupLetter(group)) + ".csv");
}

fs::path sumFinalMatrixFile(const ProgramState& state) {
    return state.rallyFile(RallyFolder::Working, "SumFinalMatrix.csv");
}

fs::path finalTraceFile(const ProgramState& state) {
    return state.rallyFile(RallyFolder::Working, "abc.csv");
}

fs::path dayControlFile(const ProgramState& state, int day) {
    return state.rallyFile(RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv");
}

bool regularFileExists(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

Status removeIfExists(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return {};
    if (!fs::remove(file, ec) || ec)
        return Status::failure("Cannot delete " + file.string() + (ec ? ": " + ec.message() : std::string()));
    return {};
}

} // namespace trakmora
