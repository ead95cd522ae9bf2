#pragma once
// Publishing the results as one static page, read from the result files the group scoring wrote
// (nothing of the rally is rewritten):
//   day    Results/DayPosition_<day>_SG<A..D>.csv ranked as the day positions rank them, marks from
//          Working/FinalMatrix<day>.csv, control scores from Results/DayScore_<day>.csv
//   final  Results/FinalScore_SG<A..D>.csv ranked by the exact final, marks from the sum of the
//          FinalMatrix files of every day
#include "common/ProgramState.h"
#include "common/Status.h"
#include "results/ResultsPage.h"

#include <filesystem>
#include <string>

namespace trakmora {

Status dayPageContent(const ProgramState& state, int day, bool official, ResultsPageContent& content);
Status finalPageContent(const ProgramState& state, bool official, ResultsPageContent& content);

// "Day<day>.html" or "Final.html" (day 0) in `outDir`, created when missing.
std::filesystem::path publishedPageFile(const std::filesystem::path& outDir, int day);
Status writeResultsPage(const ResultsPageContent& content, const std::filesystem::path& file);

} // namespace trakmora
