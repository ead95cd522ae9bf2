#include "tracking/ScoreDay.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;

const fs::path kCase = fs::path(TRAKMORA_TEST_DATA) / "tracking_e2e";

// What the batch told, one line per call: "import 1" for a step of one file, then
// "import 0/1 c1002.csv ok" per file.
struct Told {
    std::vector<std::string> lines;
    std::vector<BatchFileDone> files;
    void watch(DayBatch& batch) {
        batch.stepStarts = [this](BatchStep step, std::size_t count) {
            lines.push_back(std::string(step == BatchStep::Import ? "import " : "score ") +
                            std::to_string(count));
        };
        batch.fileDone = [this](const BatchFileDone& done) {
            lines.push_back(std::string(done.step == BatchStep::Import ? "import " : "score ") +
                            std::to_string(done.index) + "/" + std::to_string(done.count) + " " + done.file +
                            (done.status ? " ok" : " failed"));
            files.push_back(done);
        };
    }
};

class DayBatchTest : public test::TrackingFixture {
protected:
    void SetUp() override {
        for (const char* name : {"h1001.csv", "c1002.csv"})
            fs::copy_file(kCase / "CompetitorsLog" / name, logFile(name));
    }
    void copyControls() const {
        fs::copy_file(kCase / "Marshals/cp1.csv", state.rallyFile(RallyFolder::Marshals, "cp1.csv"));
    }
};

TEST_F(DayBatchTest, ImportAndScoreCanEachRunAloneOnTheFilesNamed) {
    copyControls();
    Told told;
    DayBatch importOne;
    importOne.scoreLogs = false;
    importOne.downloads = {"c1002.csv"};
    told.watch(importOne);
    const DaySummary imported = runDayBatch(state, 1, importOne);
    EXPECT_EQ(told.lines, (std::vector<std::string>{"import 1", "import 0/1 c1002.csv ok"}));
    EXPECT_EQ(told.files.at(0).import.clFileName, "CL1002.csv");
    EXPECT_EQ(imported.downloadsImported, 1);
    EXPECT_TRUE(fs::exists(logFile("h1001.csv"))) << "a download not named stays waiting";
    EXPECT_FALSE(fs::exists(state.rallyFile(RallyFolder::Results, "R1002.csv"))) << "nothing scored";

    Told scored;
    DayBatch scoreOne;
    scoreOne.importDownloads = false;
    scoreOne.clFiles = {"CL1002.csv"};
    std::vector<int> hooked;
    scoreOne.afterScoring = [&](const ScoringRun& run) {
        hooked.push_back(run.competitorNo);
        return Status::failure("the sheet is open in another program");
    };
    scored.watch(scoreOne);
    const DaySummary summary = runDayBatch(state, 1, scoreOne);
    EXPECT_EQ(scored.lines, (std::vector<std::string>{"score 1", "score 0/1 CL1002.csv ok"}));
    EXPECT_EQ(hooked, std::vector<int>{2});
    EXPECT_EQ(scored.files.at(0).run.competitorNo, 2);
    EXPECT_EQ(scored.files.at(0).afterScoring.message(), "the sheet is open in another program");
    EXPECT_EQ(summary.competitorsScored, 1);
    EXPECT_TRUE(fs::exists(state.rallyFile(RallyFolder::Results, "R1002.csv")));

    // The whole batch takes what is still waiting: the download not named, then its CL file (the
    // one scored already has its R file).
    Told whole;
    DayBatch all;
    whole.watch(all);
    EXPECT_EQ(runDayBatch(state, 1, all).competitorsScored, 1);
    EXPECT_EQ(whole.lines, (std::vector<std::string>{"import 1", "import 0/1 h1001.csv ok", "score 1",
                                                     "score 0/1 CL1001.csv ok"}));
}

TEST_F(DayBatchTest, FailuresCarryTheirKindAndAMissingControlFileStopsTheScoring) {
    // A download of the evening before only: no fix of the rally day.
    test::writeText(logFile("c1020.csv"), "h\r\n1,T,S,2015/06/25,07:00:00,1,N,2,E,0,0\r\n");
    Told told;
    DayBatch batch;
    told.watch(batch);
    const DaySummary summary = runDayBatch(state, 1, batch);
    ASSERT_EQ(told.files.size(), 4u) << "three imports, then the first CL file only";
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(told.files[i].status.kind(),
                  told.files[i].file == "c1020.csv" ? StatusKind::NoRecordsForRallyDate : StatusKind::Ok)
            << told.files[i].file;
    EXPECT_EQ(told.files[3].status.kind(), StatusKind::NoControlsLoaded);
    EXPECT_EQ(told.lines.back(), "score 0/2 CL1001.csv failed");
    ASSERT_EQ(summary.competitors.size(), 3u);
    EXPECT_EQ(summary.competitors[1].message, kNoControlsLoaded) << "CL1002.csv is listed, not tried";
    EXPECT_EQ(Status::failure("any").kind(), StatusKind::Failed);
    EXPECT_EQ(Status::failure(StatusKind::Ok, "not fine after all").ok(), false);
}

} // namespace
} // namespace trakmora
