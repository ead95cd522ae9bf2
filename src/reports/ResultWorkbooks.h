#pragma once
// The result printouts:
// - the day score workbook (Results/DayScore<day>.xlsx): every competitor of a day with every
//   control score;
// - the day position workbook (Results/Position_Day_<day>.xlsx): one sheet per score group;
// - the final workbook (Results/FinalScore.xlsx): one sheet per score group with the day results
//   and the final.
#include "common/ProgramState.h"
#include "common/Status.h"
#include "reports/ResultInput.h"
#include "xlsx/PrintClock.h"
#include "xlsx/Workbook.h"

#include <filesystem>
#include <string>
#include <vector>

namespace trakmora {

// "Name", "No", "ScoreG", "Total", "CP1".."CP<k>" (k limited to 40), then empty texts up to 44.
std::vector<std::string> dayScoreHeader(int controlCount);

Workbook buildDayScoreWorkbook(const DayScoreInput& input, const PrintClock& clock);
Workbook buildDayPositionWorkbook(const DayPositionInput& input, const PrintClock& clock);
Workbook buildFinalWorkbook(const FinalInput& input, const PrintClock& clock);

std::filesystem::path dayScoreWorkbookFile(const ProgramState& state, int day);
std::filesystem::path dayPositionWorkbookFile(const ProgramState& state, int day);
std::filesystem::path finalWorkbookFile(const ProgramState& state);

// Build and save with the state's clock; nothing is written when workbooks are switched off.
// The day score and final workbooks remove their old file first, so a failed save leaves none;
// the day position workbook is saved over its old file. Failures name the file.
Status writeDayScoreWorkbook(const ProgramState& state, const DayScoreInput& input);
Status writeDayPositionWorkbook(const ProgramState& state, const DayPositionInput& input);
Status writeFinalWorkbook(const ProgramState& state, const FinalInput& input);

} // namespace trakmora
