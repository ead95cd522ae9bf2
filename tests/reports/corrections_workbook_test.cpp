// The jury's corrections on the printouts: asterisks on the day score workbook and the provisional
// result sheet, and the "Corrections" sheet.
#include "reports/Printouts.h"
#include "reports/ProvisionalSheet.h"
#include "reports/ReportInputs.h"
#include "reports/ResultWorkbooks.h"
#include "reports/WorkbookDump.h"
#include "results/GroupScoring.h"
#include "support/RallyFixture.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

TEST(CorrectionsWorkbook, MarksCorrectedScoresAndListsEveryDecision) {
    test::TestRally r("Spring Run", "Spring", 1);
    r.writeEntries({{2, "Ann", "A"}, {5, "Lee, Bob", "A"}, {7, "Cy", "B"}});
    r.writeControls(1, 3);
    r.writeScores(1, 2, {10, -20, 30});
    r.writeScores(1, 5, {1, 2, 3});
    r.writeScores(1, 7, {4, 4, 4});
    GroupScoring scoring(r.state);
    ASSERT_TRUE(scoring.enterDay(1));
    ASSERT_TRUE(scoring.scrapControl(3));
    ASSERT_TRUE(scoring.enterDay(1));
    Correction added;
    std::string outcome;
    const Correction corrections[] = {
        {0, {}, 2, CorrectionKind::SetControl, 2, 5, "Blocked by a tractor, all crews"},
        {0, {}, 5, CorrectionKind::Penalty, 0, 60, "Stopped in the control area"},
        {0, {}, 5, CorrectionKind::Exclude, 0, 0, "Missed the start"},
        {0, {}, 7, CorrectionKind::SetControl, 3, 9, "Too late: scrapped since"},
        {0, {}, 9, CorrectionKind::Penalty, 0, 10, "No result"},
    };
    for (const Correction& c : corrections)
        ASSERT_TRUE(scoring.addCorrection(c, added, outcome));
    r.messages.setAnswer(true);
    bool proceeded = false;
    ASSERT_TRUE(scoring.printCombinedDayResults(proceeded));
    ASSERT_TRUE(writeDayScoreWorkbook(r.state, scoring));

    const test::WorkbookDump d = test::dumpWorkbook(dayScoreWorkbookFile(r.state, 1));
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["sheets"], "Day Score|Corrections");
    const std::pair<const char*, const char*> cells[] = {
        // Ann: control 2 corrected, so the total too; Bob: penalty and exclusion on the total;
        // Cy: the correction of a scrapped control changes nothing.
        {"Day Score!D3", "s:15*"},
        {"Day Score!E3", "n:10.0"},
        {"Day Score!F3", "s:5*"},
        {"Day Score!G3", "n:0.0"},
        {"Day Score!D4", "s:63*"},
        {"Day Score!E4", "n:1.0"},
        {"Day Score!D5", "n:8.0"},
        {"Day Score!G5", "n:0.0"},
        {"Corrections!A1", "s:Comp No"},
        {"Corrections!G1", "s:Reason"},
        {"Corrections!A3", "n:2.0"},
        {"Corrections!B3", "s:Ann"},
        {"Corrections!C3", "s:control"},
        {"Corrections!D3", "n:2.0"},
        {"Corrections!E3", "n:-20.0"},
        {"Corrections!F3", "n:5.0"},
        {"Corrections!G3", "s:Blocked by a tractor, all crews"},
        {"Corrections!B4", "s:Lee, Bob"},
        {"Corrections!C4", "s:penalty"},
        {"Corrections!E4", "n:3.0"},
        {"Corrections!F4", "n:63.0"},
        {"Corrections!C5", "s:exclude"},
        {"Corrections!F5", "s:NF"},
        {"Corrections!F6", "s:No effect: control 3 is scrapped"},
        {"Corrections!A7", "n:9.0"},
        {"Corrections!F7", "s:Not applied: competitor 9 has no result"},
    };
    for (const auto& [cell, value] : cells)
        EXPECT_EQ(d[cell], value) << cell;
    EXPECT_FALSE(d.has("Corrections!D4"));

    // The provisional sheet of a competitor scored after the decisions carries them.
    ScoringRun run;
    run.day = 1;
    run.competitorNo = 2;
    run.dayTotal = 60;
    for (int cp = 1; cp <= 3; ++cp)
        run.report.push_back(
            ReportLine{static_cast<double>(cp), 0.3, 0.3, 0.01, 0.01, cp == 2 ? -20.0 : 10.0, 1});
    const ProvisionalSheet sheet = provisionalSheetFor(r.state, run);
    EXPECT_TRUE(sheet.totalCorrected);
    EXPECT_EQ(sheet.dayTotal, 15);
    ASSERT_EQ(sheet.lines.size(), 3u);
    EXPECT_FALSE(sheet.lines[0].corrected);
    EXPECT_TRUE(sheet.lines[1].corrected);
    EXPECT_EQ(sheet.lines[1].score, 5);
    ASSERT_TRUE(writeProvisionalSheet(r.state, sheet));
    const test::WorkbookDump p = test::dumpWorkbook(provisionalSheetFile(r.state, 1, 2));
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p["Sheet1!H1"], "s:Day Score:  15*");
    EXPECT_EQ(p["Sheet1!H12"], "s:5*");
    EXPECT_EQ(p["Sheet1!H11"], "n:10.0");
}

} // namespace
} // namespace trakmora
