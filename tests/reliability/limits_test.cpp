// The limits of the data model: input one beyond a limit is refused with a message (or, where the
// behaviour passes it over, reported), never stored or written past the end of a table.
#include "common/Csv.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "entries/EntryList.h"
#include "results/DayMatrix.h"
#include "results/DayScore.h"
#include "results/MatrixFiles.h"
#include "results/ResultFiles.h"
#include "schedule/RSModule.h"
#include "support/RallyTest.h"
#include "tracking/ClFile.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/loggers/LoggerTable.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace trakmora {
namespace {
namespace fs = std::filesystem;

std::string repeatLines(const std::string& header, int count, const std::function<std::string(int)>& line) {
    std::string s = header.empty() ? "" : header + "\r\n";
    for (int n = 1; n <= count; ++n)
        s += line(n) + "\r\n";
    return s;
}

const std::string kEntryHeader =
    R"("Comp No","Name","Year","Vehicle","Type","Speed","Score Group","Day 1","Day 2","Day 3","Day 4","Day 5")";
const std::string kRsHeader =
    R"("No","Instruction","Type","Distance","A_Speed","B_Speed","C_Speed","D_Speed","Limit","AddTime_A","AddTime_B","AddTime_C","AddTime_D","Lat","Long")";

std::string entryLine(int n) {
    return std::to_string(n) + ",\"Driver\",1936,\"Riley\",\"Kestrel\",\"B\",\"A\",0,0,0,0,0";
}
std::string rsLine(int n) {
    return std::to_string(n) + ",\"Straight on\",\"o\"," + std::to_string(n) + ",60,60,60,60,100,0,0,0,0,0,0";
}
std::string fixLine(int n) {
    return std::to_string(n) + ",41.8,12.6," + std::to_string(30000 + n % 40000);
}

class Limits : public test::RallyTest {
protected:
    Limits() : RallyTest("Limits", "Lim") {}
};

TEST_F(Limits, FilesAtTheLimitReadAndOneBeyondIsRefusedWithItsLine) {
    struct Case {
        std::string name;
        std::string header;
        std::function<std::string(int)> line;
        int limit;
        int headerLines;
        std::function<Status(const fs::path&, std::size_t&)> read;
    };
    const std::vector<Case> cases = {
        {"EntryList.csv", kEntryHeader, entryLine, kMaxEntries, 1,
         [](const fs::path& f, std::size_t& n) {
             EntryTable t;
             const Status st = readEntryList(f, t);
             n = t.entries.size();
             return st;
         }},
        {"RS1_Data.csv", kRsHeader, rsLine, kMaxScheduleLines, 1,
         [](const fs::path& f, std::size_t& n) {
             std::vector<ScheduleLine> v;
             const Status st = readScheduleDataFile(f, v);
             n = v.size();
             return st;
         }},
        {"CL1007.csv", "", fixLine, kMaxFixes, 0,
         [](const fs::path& f, std::size_t& n) {
             std::vector<TrackFix> v;
             const Status st = readClFile(f, v);
             n = v.size();
             return st;
         }},
        {"R1007.csv", "", [](int n) { return std::to_string(n % 7); }, kMaxControlScores, 0,
         [](const fs::path& f, std::size_t& n) {
             std::vector<double> v;
             const Status st = readResultScores(f, v);
             n = v.size();
             return st;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = root / c.name;
        test::writeText(file, repeatLines(c.header, c.limit, c.line));
        std::size_t read = 0;
        const Status atLimit = c.read(file, read);
        ASSERT_TRUE(atLimit) << atLimit.message();
        EXPECT_EQ(read, static_cast<std::size_t>(c.limit));

        test::writeText(file, repeatLines(c.header, c.limit + 1, c.line));
        const Status beyond = c.read(file, read);
        ASSERT_FALSE(beyond);
        EXPECT_NE(
            beyond.message().find(file.string() + " line " + std::to_string(c.limit + 1 + c.headerLines)),
            std::string::npos)
            << beyond.message();
    }
}

TEST_F(Limits, DownloadOfMoreThanAHundredThousandFixesIsRefused) {
    const LoggerLayout& holux = *findLoggerLayout('h');
    std::string text = std::string(holux.header) + "\r\n";
    CsvWriter w;
    for (int n = 1; n <= kMaxFixes + 1; ++n)
        holux.write(
            w, LoggedRecord{static_cast<double>(n), 41.8, 12.6, 2015, 6, 26, 30000.0 + n % 40000, {}, {}});
    text += w.str();
    write(RallyFolder::CompetitorsLog, "h1007.csv", text);
    ImportResult result;
    const Status st = importDownload(state, 1, "h1007.csv", result);
    ASSERT_FALSE(st);
    EXPECT_NE(st.message().find("line " + std::to_string(kMaxFixes + 2)), std::string::npos) << st.message();
    EXPECT_FALSE(fs::exists(state.rallyFile(RallyFolder::CompetitorsLog, "CL1007.csv")));
    EXPECT_TRUE(fs::exists(state.rallyFile(RallyFolder::CompetitorsLog, "h1007.csv")));
}

TEST_F(Limits, CompetitionNumbersOutsideTheTablesAreReportedNotStored) {
    // Scoring: a competitor log of a number outside 1..300 is refused before anything is written.
    for (const char* name : {"CL1000.csv", "CL1301.csv", "CL1999.csv"}) {
        ScoringRun run;
        const Status st = loadCompetitor(state, 1, name, run);
        ASSERT_FALSE(st) << name;
        EXPECT_NE(st.message().find("outside 1..300"), std::string::npos) << st.message();
    }

    // The matrix: marks of numbers without a cell (0, negative, above 250) colour nothing.
    test::writeText(nonFinishersFile(state, 1), "251\r\n-4\r\n0\r\n32767\r\n250\r\n");
    DayMatrix matrix;
    ASSERT_TRUE(rebuildDayMatrix(state, 1, matrix));
    EXPECT_EQ(matrix.state(250), CellState::NonFinisher);
    EXPECT_EQ(matrix.counts(kMatrixCells).nonFinishers, 1);
    std::string expected;
    for (int n = 1; n <= kMatrixCells; ++n)
        expected += n == 250 ? "1\r\n" : "0\r\n";
    EXPECT_EQ(test::readFile(finalMatrixFile(state, 1)), expected);
    DayMatrix untouched;
    ASSERT_TRUE(toggleNonFinisher(state, 1, 251, untouched));
    EXPECT_EQ(untouched.counts(kMatrixCells).nonFinishers, 0) << "a number without a cell changed the matrix";

    // The day score: an R file above 250 is left out and said so.
    test::writeText(resultFile(state, 1, 7), "3\r\n");
    test::writeText(resultFile(state, 1, 260), "5\r\n");
    write(RallyFolder::EntryList, "EntryList.csv",
          repeatLines(kEntryHeader, 1, [](int) { return entryLine(7); }));
    DayScoreBuild build;
    ASSERT_TRUE(buildDayScore(state, 1, 0, build));
    ASSERT_EQ(build.lines.size(), 1u);
    EXPECT_EQ(build.lines[0].compNo, 7);
    bool told = false;
    for (const auto& m : messages.texts)
        told = told || m.find("260") != std::string::npos;
    EXPECT_TRUE(told);
}

TEST_F(Limits, DaysAndGroupsBeyondTheTablesAreRefused) {
    // A day of 9 in a download name, in the schedule and in the day results.
    ImportResult result;
    write(RallyFolder::CompetitorsLog, "h9007.csv", "INDEX\r\n");
    const Status import = importDownload(state, 9, "h9007.csv", result);
    EXPECT_FALSE(import);
    EXPECT_NE(import.message().find("not a rally day"), std::string::npos) << import.message();
    ScoringRun run;
    const Status score = loadCompetitor(state, 9, "CL9007.csv", run);
    EXPECT_NE(score.message().find("not a rally day"), std::string::npos) << score.message();
    state.rally.selectedDay = 9;
    EXPECT_FALSE(saveDay(state));
    state.rally.selectedDay = 1;
    std::map<int, double> totals{{7, 5}};
    write(RallyFolder::EntryList, "EntryList.csv",
          repeatLines(kEntryHeader, 1, [](int) { return entryLine(7); }));
    const std::string before = test::readFile(state.rallyFile(RallyFolder::EntryList, "EntryList.csv"));
    ASSERT_TRUE(writeBackDayResults(state, 9, totals));
    EXPECT_EQ(test::readFile(state.rallyFile(RallyFolder::EntryList, "EntryList.csv")), before);

    // Speed groups: numbers beyond the last group boundary fall into group D, never a fifth.
    for (int n : {0, 1, 60, 61, 300, 32767}) {
        const int g = speedGroupFor(state.config, n);
        EXPECT_GE(g, 1);
        EXPECT_LE(g, kMaxGroups);
    }
}

} // namespace
} // namespace trakmora
