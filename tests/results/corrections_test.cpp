#include "common/FileIo.h"
#include "results/Corrections.h"
#include "results/GroupScoring.h"
#include "results/PublishResults.h"
#include "results/ResultFiles.h"
#include "results/ResultsRally.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>

namespace trakmora {
namespace {
using test::readFile;
using test::ResultsRally;

Correction setControl(int compNo, int control, double score, std::string reason = "Marshal report") {
    return Correction{0, {}, compNo, CorrectionKind::SetControl, control, score, std::move(reason)};
}
Correction penalty(int compNo, double seconds, std::string reason = "Late at the start") {
    return Correction{0, {}, compNo, CorrectionKind::Penalty, 0, seconds, std::move(reason)};
}
Correction exclude(int compNo, std::string reason = "Missed the start") {
    return Correction{0, {}, compNo, CorrectionKind::Exclude, 0, 0, std::move(reason)};
}

// Day 1 of a rally with three scored crews and a fourth that has no result.
struct JuryDay {
    JuryDay() {
        r.writeEntries({{2, "Ann", "A"}, {5, "Bob", "A"}, {7, "Cy", "B"}, {9, "Di", "B"}});
        r.writeControls(1, 3);
        r.writeScores(1, 2, {10, -20, 30});
        r.writeScores(1, 5, {1, 2, 3});
        r.writeScores(1, 7, {-5, 0, 5});
        EXPECT_TRUE(scoring.enterDay(1));
    }
    const DayScoreLine& line(int compNo) const {
        for (const auto& l : scoring.dayScore().lines)
            if (l.compNo == compNo) return l;
        throw std::runtime_error("no line");
    }
    std::string add(const Correction& c) {
        Correction added;
        std::string outcome;
        const Status st = scoring.addCorrection(c, added, outcome);
        return st ? outcome : "refused: " + st.message();
    }
    ResultsRally r{2};
    GroupScoring scoring{r.state};
};

TEST(Corrections, EachKindChangesTheDayAndSaysWhatChanged) {
    JuryDay d;
    const std::string measured = readFile(resultFile(d.r.state, 1, 2));
    struct Case {
        Correction correction;
        const char* outcome;
        CorrectionEffect effect;
    };
    const Case cases[] = {
        {setControl(2, 2, 80), "Competitor 2: day total 60 -> 120 (+60)", CorrectionEffect::Applied},
        {penalty(2, 30), "Competitor 2: day total 120 -> 150 (+30)", CorrectionEffect::Applied},
        {penalty(5, -4), "Competitor 5: day total 6 -> 2 (-4)", CorrectionEffect::Applied},
        // A bonus never takes a total below 0.
        {penalty(5, -100), "Competitor 5: day total 2 -> 0 (-2)", CorrectionEffect::Applied},
        {exclude(7), "Competitor 7: day total 10 -> 10 (no change), non-finisher of the day",
         CorrectionEffect::Applied},
        {penalty(9, 60), "Competitor 9: no result on day 1; the correction is kept but not applied",
         CorrectionEffect::NoResult},
        {setControl(5, 4, 0), "Competitor 5: day total 0 -> 0 (no change)", CorrectionEffect::NoSuchControl},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(d.add(c.correction), c.outcome);
        ASSERT_FALSE(d.scoring.corrections().empty());
        EXPECT_EQ(d.scoring.corrections().back().effect, c.effect) << c.outcome;
    }
    // The day score file, the entry list and the matrix carry the corrected day; the R file stays
    // the measurement.
    EXPECT_EQ(readFile(dayScoreFile(d.r.state, 1)), "\"Ann\",2,\"A\",150,10,80,30\r\n"
                                                    "\"Bob\",5,\"A\",0,1,2,3\r\n"
                                                    "\"Cy\",7,\"B\",10,-5,0,5\r\n");
    EXPECT_EQ(readFile(resultFile(d.r.state, 1, 2)), measured);
    EXPECT_EQ(d.r.state.entries.entries.at(0).dayResult[1], 150);
    EXPECT_EQ(d.scoring.matrix().state(7), CellState::NonFinisher);
    EXPECT_EQ(d.scoring.matrix().state(9), CellState::NonStarter);
    EXPECT_EQ(d.line(2).correctedControls, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(d.line(2).totalCorrected);
    EXPECT_EQ(d.line(2).measuredTotal, 60);
    EXPECT_EQ(d.scoring.cellDescription(2),
              "No. 2: Ann\nDay 1 total 150 (corrected by the jury; measured 60)");
    EXPECT_EQ(d.scoring.cellDescription(7),
              "No. 7: Cy\nDay 1 total 10 (corrected by the jury; measured 10)\nNon-finisher");
    const AppliedCorrection& first = d.scoring.corrections().front();
    EXPECT_EQ(first.measured, -20);
    EXPECT_EQ(first.corrected, 80);
    EXPECT_EQ(d.scoring.corrections()[1].measured, 120);
    EXPECT_EQ(d.scoring.corrections()[1].corrected, 150);
    EXPECT_TRUE(std::regex_match(first.correction.entered, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d)")))
        << first.correction.entered;

    // Refused with nothing written: no reason, a control outside 1..100, a number without entry range.
    const std::string file = readFile(correctionsFile(d.r.state, 1));
    EXPECT_EQ(d.add(penalty(2, 10, "  ")), "refused: A correction needs a reason");
    EXPECT_EQ(d.add(setControl(2, 101, 0)), "refused: Control 101 is not one of 1 to 100");
    EXPECT_EQ(d.add(penalty(0, 10)), "refused: Competition number 0 is not one of 1 to 300");
    EXPECT_EQ(readFile(correctionsFile(d.r.state, 1)), file);
    EXPECT_FALSE(std::filesystem::exists(correctionsFile(d.r.state, 2)));
}

TEST(Corrections, RemovingOneRestoresTheMeasuredTotal) {
    JuryDay d;
    const std::string dayScore = readFile(dayScoreFile(d.r.state, 1));
    const std::string entries = readFile(d.r.entryList());
    EXPECT_EQ(d.add(setControl(2, 1, 0)), "Competitor 2: day total 60 -> 50 (-10)");
    EXPECT_EQ(d.add(exclude(5)), "Competitor 5: day total 6 -> 6 (no change), non-finisher of the day");
    Correction removed;
    std::string outcome;
    EXPECT_EQ(d.scoring.removeCorrection(3, removed, outcome).message(), "Day 1 has no correction number 3");
    ASSERT_TRUE(d.scoring.removeCorrection(1, removed, outcome));
    EXPECT_EQ(outcome, "Competitor 2: day total 50 -> 60 (+10)");
    EXPECT_EQ(removed.control, 1);
    ASSERT_TRUE(d.scoring.removeCorrection(2, removed, outcome));
    EXPECT_EQ(outcome, "Competitor 5: day total 6 -> 6 (no change), no longer excluded");
    EXPECT_EQ(d.scoring.matrix().state(5), CellState::Finisher);
    EXPECT_EQ(readFile(dayScoreFile(d.r.state, 1)), dayScore);
    EXPECT_EQ(readFile(d.r.entryList()), entries);
    EXPECT_FALSE(std::filesystem::exists(correctionsFile(d.r.state, 1)));
    // The next running number follows the highest in the file.
    d.add(penalty(2, 5));
    EXPECT_EQ(d.scoring.corrections().back().correction.id, 1);
}

TEST(Corrections, AScrapKeepsThemAndAScrappedControlsCorrectionHasNoEffect) {
    JuryDay d;
    d.add(setControl(2, 3, 0, "Approach blocked"));
    d.add(penalty(2, 100));
    d.add(setControl(5, 1, 50));
    ASSERT_TRUE(d.scoring.scrapControl(3));
    ASSERT_TRUE(d.scoring.enterDay(1));
    // 10 + 20 + 0 (scrapped) + 100; Bob's control 1 correction still counts.
    EXPECT_EQ(d.line(2).total, 130);
    EXPECT_EQ(d.line(5).total, 52);
    const auto& applied = d.scoring.corrections();
    ASSERT_EQ(applied.size(), 3u);
    EXPECT_EQ(applied[0].effect, CorrectionEffect::ScrappedControl);
    EXPECT_EQ(correctionEffectText(applied[0]), "No effect: control 3 is scrapped");
    EXPECT_EQ(applied[1].effect, CorrectionEffect::Applied);
    EXPECT_EQ(applied[2].effect, CorrectionEffect::Applied);
    EXPECT_EQ(d.line(2).correctedControls, (std::vector<bool>{false, false, false}));

    // The published page counts the corrected totals and lists every correction.
    bool proceeded = false;
    d.r.messages.setAnswer(true);
    ASSERT_TRUE(d.scoring.printCombinedDayResults(proceeded));
    ASSERT_TRUE(d.scoring.printDayPositions());
    ResultsPageContent page;
    ASSERT_TRUE(dayPageContent(d.r.state, 1, false, page)) << "the page must accept the corrected totals";
    EXPECT_EQ(page.corrections,
              (std::vector<std::string>{
                  "Day 1: No. 1, competitor 2, control 3 set to 0: Approach blocked (No effect: control 3 is "
                  "scrapped)",
                  "Day 1: No. 2, competitor 2, penalty of 100 s: Late at the start",
                  "Day 1: No. 3, competitor 5, control 1 set to 50: Marshal report"}));
    EXPECT_NE(resultsPageHtml(page).find("<li>Day 1: No. 2, competitor 2, penalty of 100 s"),
              std::string::npos);
}

TEST(Corrections, AReasonWithQuotesAndCommasReadsBackAsWritten) {
    JuryDay d;
    const std::string reason = "Marshal \"Tom\" saw it, at CP 3,\nstopped; 50% \xC3\xA9t\xC3\xA9";
    d.add(penalty(2, 60, reason));
    const std::string file = readFile(correctionsFile(d.r.state, 1));
    EXPECT_EQ(file.substr(0, file.find("\r\n")),
              "\"Id\",\"Entered\",\"Comp No\",\"Kind\",\"Control\",\"Value\",\"Reason\"");
    EXPECT_NE(file.find(",2,\"penalty\",0,60,\"Marshal \"\"Tom\"\" saw it, at CP 3,\nstopped;"),
              std::string::npos)
        << file;
    std::vector<Correction> read;
    ASSERT_TRUE(readCorrections(d.r.state, 1, read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].reason, reason);
    EXPECT_EQ(read[0].compNo, 2);
    EXPECT_EQ(read[0].value, 60);

    // A damaged line (the fourth: the reason above runs over two) is reported with file and line rather than
    // taken for no corrections.
    d.r.write(RallyFolder::Working, "Corrections Day1.csv", file + "2,\"x\",5,\"fine\",0,1,\"why\"\r\n");
    const Status st = readCorrections(d.r.state, 1, read);
    EXPECT_NE(st.message().find("line 4: unknown kind of correction \"fine\""), std::string::npos)
        << st.message();
    EXPECT_FALSE(d.scoring.enterDay(1));
}

TEST(Corrections, AnInterruptedWriteLeavesTheOldFile) {
    JuryDay d;
    d.add(penalty(2, 60));
    const std::string before = readFile(correctionsFile(d.r.state, 1));
    int failures = 0;
    for (int n = 1;; ++n) {
        test_faults::failWriteNumber(n, ENOSPC);
        Correction added;
        const Status st = addCorrection(d.r.state, 1, penalty(5, 30), added);
        const bool happened = test_faults::failureHappened();
        test_faults::reset();
        if (!happened) {
            ASSERT_TRUE(st);
            break;
        }
        ++failures;
        EXPECT_FALSE(st) << "write " << n;
        EXPECT_EQ(readFile(correctionsFile(d.r.state, 1)), before) << "write " << n;
    }
    EXPECT_GE(failures, 1);
    std::vector<Correction> read;
    ASSERT_TRUE(readCorrections(d.r.state, 1, read));
    EXPECT_EQ(read.size(), 2u);
}

} // namespace
} // namespace trakmora
