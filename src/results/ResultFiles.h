#pragma once
// The names of the files of the group scoring, all under the open rally's folder. <day> is the day
// without leading zeros, <nnn> the competition number as at least three digits.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <filesystem>

namespace trakmora {

// Results/R<day><nnn>.csv: a competitor's control scores of the day, one per line.
std::filesystem::path resultFile(const ProgramState& state, int day, int compNo);
// Results/DayScore_<day>.csv
std::filesystem::path dayScoreFile(const ProgramState& state, int day);
// Working/MatrixDisplay<day>.csv
std::filesystem::path matrixDisplayFile(const ProgramState& state, int day);
// Working/NonFinishers Day<day>.csv
std::filesystem::path nonFinishersFile(const ProgramState& state, int day);
// Working/FinalMatrix<day>.csv
std::filesystem::path finalMatrixFile(const ProgramState& state, int day);
// Results/DayPosition_<day>_SG<A..D>.csv for groups 1..4
std::filesystem::path dayPositionFile(const ProgramState& state, int day, int group);
// Results/FinalScore_SG<A..D>.csv for groups 1..4
std::filesystem::path finalScoreFile(const ProgramState& state, int group);
// Working/SumFinalMatrix.csv and the trace file Working/abc.csv
std::filesystem::path sumFinalMatrixFile(const ProgramState& state);
std::filesystem::path finalTraceFile(const ProgramState& state);
// Marshals/cp<day>.csv, the day's control file
std::filesystem::path dayControlFile(const ProgramState& state, int day);

bool regularFileExists(const std::filesystem::path& file);
// Removes the file when it exists; fails with a message when it exists and cannot be removed.
Status removeIfExists(const std::filesystem::path& file);

} // namespace trakmora
