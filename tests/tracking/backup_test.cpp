// A primary and a backup logger per car: simulated drives through the whole batch.
#include "common/Csv.h"
#include "common/Format.h"
#include "demo/DownloadWriter.h"
#include "demo/SyntheticDrive.h"
#include "explain/ExplainData.h"
#include "explain/ExplainPicture.h"
#include "reports/ProvisionalSheet.h"
#include "reports/ReportFixtures.h"
#include "reports/ReportInputs.h"
#include "results/ControlAudit.h"
#include "tracking/BackupLogger.h"
#include "tracking/ScoreDay.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"
#include "tracking/loggers/LoggerTable.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::writeText;

constexpr int kNo = 20; // speed group B

class BackupLoggerTest : public test::TrackingFixture {
protected:
    void SetUp() override {
        SyntheticDriveSettings settings;
        settings.fixCount = 3000;
        settings.controlCount = 6;
        drive = std::make_unique<SyntheticDrive>(settings);
        writeControls(1, drive->controls());
        // Each logger has its own offset, taken off at its import.
        state.config.holuxOffset = 3;
        state.config.canmoreOffset = 7;
    }

    double idealTime(int control) const {
        return drive->controls()[static_cast<std::size_t>(control - 1)].groupTime[2] + 60.0 * kNo;
    }
    double routeSeconds(int control) const {
        return drive->controls()[static_cast<std::size_t>(control - 1)].groupTime[2] - 28800;
    }
    // The score a car at `pace` gets at a control (whole seconds, +/- 1 for the GPS noise).
    double expectedScore(int control, double pace) const {
        return -std::round(routeSeconds(control) / pace - routeSeconds(control));
    }

    // Competitor 20 at `pace`, logging nothing within two minutes of the controls `missing`, its
    // clock `clockError` seconds out; written as the download `name` (its letter the layout).
    void writeDownload(const std::string& name, double pace, const std::vector<int>& missing,
                       double clockError = 0) const {
        std::vector<TrackFix> kept;
        for (TrackFix f : drive->competitorFixes(kNo, pace)) {
            const bool inGap = std::any_of(missing.begin(), missing.end(), [&](int c) {
                return std::fabs(f.seconds - idealTime(c)) < 120 + routeSeconds(c) * 0.02;
            });
            if (inGap) continue;
            f.seconds += clockError;
            kept.push_back(f);
        }
        writeText(logFile(name),
                  downloadText(*findLoggerLayout(name[0]), kept, state.config.startDate, state.config));
    }

    std::vector<double> resultScores() const {
        CsvDocument doc;
        EXPECT_TRUE(CsvDocument::load(state.rallyFile(RallyFolder::Results, "R1020.csv"), doc));
        std::vector<double> scores;
        for (const CsvRecord& r : doc.records()) {
            double v = 0;
            EXPECT_TRUE(doc.number(r, 0, v));
            scores.push_back(v);
        }
        return scores;
    }
    // The loggers of the controls as the Sources file gives them, "PPBBPP".
    std::string sources() const {
        const fs::path file = sourcesFile(state, 1, kNo);
        if (!fs::exists(file)) return "(none)";
        CsvDocument doc;
        EXPECT_TRUE(CsvDocument::load(file, doc));
        std::string letters;
        for (const CsvRecord& r : doc.records()) {
            double control = 0;
            std::string source;
            EXPECT_TRUE(doc.number(r, 0, control) && doc.text(r, 1, source));
            EXPECT_EQ(control, static_cast<double>(letters.size() + 1));
            letters += source;
        }
        return letters;
    }

    std::unique_ptr<SyntheticDrive> drive;
};

TEST_F(BackupLoggerTest, NamesPairAPrimaryWithItsBackupAndRefuseTwoOfOneKind) {
    for (const auto& [name, backup] : std::vector<std::pair<std::string, bool>>{{"h1045b.csv", true},
                                                                                {"g1045b.gpx", true},
                                                                                {"X1045B.csv", true},
                                                                                {"h1045.csv", false},
                                                                                {"h1045-1.csv", false},
                                                                                {"h104b.csv", false},
                                                                                {"hb.csv", false}})
        EXPECT_EQ(isBackupName(name, 1), backup) << name;
    EXPECT_TRUE(isBackupName("CL1045b.csv", 2));

    EXPECT_TRUE(sameCompetitorFiles({"h1045.csv", "c1045b.csv"}, 1).empty()) << "a pair is no clash";
    const auto twoBackups = sameCompetitorFiles({"h1045.csv", "h1045b.csv", "x1045b.csv"}, 1);
    EXPECT_EQ(twoBackups.size(), 2u);
    EXPECT_NE(twoBackups.at("x1045b.csv").find("competitor 45 on day 1 as backup loggers"),
              std::string::npos);
    EXPECT_EQ(sameCompetitorFiles({"h1045.csv", "c1045.csv", "h1045b.csv"}, 1).size(), 2u);

    // The score step: a primary takes its backup along; a backup whose primaries clash waits.
    const std::vector<std::string> clFiles{"CL1001.csv", "CL1001b.csv",  "CL1002b.csv",
                                           "CL1003.csv", "CL1003-1.csv", "CL1003b.csv"};
    std::string jobs;
    for (const ScoringJob& j : scoringJobs(clFiles, sameCompetitorFiles(clFiles, 2)))
        jobs += (j.refused.empty() ? j.pair.primaryClFile + "+" + j.pair.backupClFile : "!" + j.file) + " ";
    EXPECT_EQ(jobs, "CL1001.csv+CL1001b.csv +CL1002b.csv !CL1003.csv !CL1003-1.csv !CL1003b.csv ");
}

TEST_F(BackupLoggerTest, TheBackupFillsOnlyTheControlsThePrimaryMissed) {
    // The primary (2 % slow) logs nothing at controls 3 and 4; the backup is complete and on
    // time, so it would score better everywhere.
    writeDownload("h1020.csv", 0.98, {3, 4});
    writeDownload("c1020b.csv", 1.0, {});
    const DaySummary summary = scoreDay(state, 1);
    ASSERT_EQ(summary.competitors.size(), 1u) << daySummaryText(summary);
    EXPECT_EQ(summary.downloadsImported, 2);
    EXPECT_EQ(summary.competitorsScored, 1);
    EXPECT_EQ(summary.competitors[0].backupControls, 2);
    EXPECT_EQ(summary.competitors[0].message, "2 of 6 controls from the backup logger CL1020b.csv");
    EXPECT_TRUE(summary.messages.empty()) << daySummaryText(summary);

    const std::vector<double> scores = resultScores();
    ASSERT_EQ(scores.size(), 6u) << "one score per control";
    for (int c = 1; c <= 6; ++c) {
        const bool backup = c == 3 || c == 4;
        EXPECT_NEAR(scores[c - 1], expectedScore(c, backup ? 1.0 : 0.98), 1) << "control " << c;
        if (!backup) {
            EXPECT_LE(scores[c - 1], -5) << "the primary's score stands at control " << c;
        }
    }
    EXPECT_EQ(sources(), "PPBBPP");
    for (const char* gone : {"CL1020.csv", "CL1020b.csv"})
        EXPECT_FALSE(fs::exists(logFile(gone))) << gone;
    EXPECT_TRUE(fs::exists(bakFile("c1020b.csv")));
    for (const auto& f : fs::directory_iterator(state.rallyFolder(RallyFolder::Working))) {
        const std::string name = f.path().filename().string();
        EXPECT_TRUE(name.find("Shortlist") == std::string::npos && name.rfind("Report", 0) != 0)
            << "working file left: " << name;
    }
}

TEST_F(BackupLoggerTest, ABackupWithItsClockTenMinutesOutIsNeverUsedBesideAFullPrimary) {
    writeDownload("h1020.csv", 1.0, {});
    writeDownload("x1020b.csv", 1.0, {}, 600);
    scoreDay(state, 1);
    for (int c = 1; c <= 6; ++c)
        EXPECT_NEAR(resultScores().at(static_cast<std::size_t>(c - 1)), 0, 1) << "control " << c;
    EXPECT_EQ(sources(), "PPPPPP");
}

TEST_F(BackupLoggerTest, ABackupAloneIsScoredAsThePrimaryAndSaysSo) {
    writeDownload("c1020b.csv", 0.995, {2});
    const DaySummary summary = scoreDay(state, 1);
    ASSERT_EQ(summary.competitorsScored, 1) << daySummaryText(summary);
    const std::string note =
        "CL1020b.csv: no primary download of competitor 20 on day 1: the backup is scored as the primary";
    EXPECT_EQ(summary.messages, std::vector<std::string>{note});
    const std::vector<double> scores = resultScores();
    EXPECT_EQ(scores.at(1), 600) << "nothing logged at control 2";
    EXPECT_NEAR(scores.at(4), expectedScore(5, 0.995), 1);
    EXPECT_EQ(sources(), "BBBBBB");

    // The primary turns up later: both are scored together, the backup imported again from Bak.
    writeDownload("h1020.csv", 1.0, {5});
    const DaySummary late = scoreDay(state, 1);
    EXPECT_TRUE(late.messages.empty()) << daySummaryText(late);
    const std::vector<double> pair = resultScores();
    EXPECT_NEAR(pair.at(1), 0, 1) << "the primary's passage";
    EXPECT_EQ(pair.at(4), scores.at(4)) << "the backup's score of control 5, exactly";
    EXPECT_EQ(sources(), "PPPPBP");
}

TEST_F(BackupLoggerTest, AControlBothLoggersMissedStaysCapped) {
    writeDownload("h1020.csv", 1.0, {2, 5});
    writeDownload("e1020b.csv", 1.0, {2});
    scoreDay(state, 1);
    const std::vector<double> scores = resultScores();
    EXPECT_EQ(scores.at(1), 600);
    EXPECT_NEAR(scores.at(4), 0, 1);
    EXPECT_EQ(sources(), "PPPPBP");
}

TEST_F(BackupLoggerTest, ABackupArrivingAfterItsPrimaryWasScoredIsScoredWithItAgain) {
    writeDownload("h1020.csv", 1.0, {1, 6});
    scoreDay(state, 1);
    EXPECT_EQ(resultScores().at(0), 600);
    EXPECT_EQ(sources(), "(none)") << "a primary alone has no Sources file";

    // "Score again": every download of the day back from Bak, the late backup beside them.
    writeDownload("c1020b.csv", 1.0, {});
    std::vector<std::string> restored;
    ASSERT_TRUE(restoreDownloads(state, 1, restored));
    EXPECT_EQ(restored, std::vector<std::string>{"h1020.csv"});
    const DaySummary again = scoreDay(state, 1);
    EXPECT_TRUE(again.messages.empty()) << daySummaryText(again);
    EXPECT_EQ(again.competitorsScored, 1);
    std::vector<double> scores = resultScores();
    EXPECT_NEAR(scores.at(0), 0, 1);
    EXPECT_NEAR(scores.at(5), 0, 1);
    EXPECT_EQ(sources(), "BPPPPB");

    // Both now go back together, and score the same again.
    ASSERT_TRUE(restoreDownloads(state, 1, restored));
    EXPECT_EQ(restored, (std::vector<std::string>{"h1020.csv", "c1020b.csv"}));
    scoreDay(state, 1);
    EXPECT_EQ(resultScores(), scores);

    // A primary stepped through alone is refused while its backup is in Bak.
    writeDownload("h1020.csv", 1.0, {1, 6});
    ImportResult imported;
    ASSERT_TRUE(importDownload(state, 1, "h1020.csv", imported));
    ScoringRun alone;
    const Status refusedAlone = loadCompetitor(state, 1, "CL1020.csv", alone);
    EXPECT_NE(refusedAlone.message().find("has a backup logger (c1020b.csv)"), std::string::npos)
        << refusedAlone.message();
    scoreDay(state, 1);
    EXPECT_EQ(resultScores(), scores);

    // A backup alone never replaces the R file of a primary that is no longer in Bak.
    fs::remove(bakFile("h1020.csv"));
    writeDownload("x1020b.csv", 1.0, {});
    const DaySummary refused = scoreDay(state, 1);
    EXPECT_EQ(refused.competitorsScored, 0);
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_NE(refused.messages[0].find("the backup is not scored alone over that result"), std::string::npos);
    EXPECT_EQ(resultScores(), scores);
}

TEST_F(BackupLoggerTest, TheBackupsControlsAreMarkedOnTheSheetInExplainAndInTheAudit) {
    writeDownload("h1020.csv", 1.0, {3, 4});
    writeDownload("c1020b.csv", 1.0, {});
    state.keepExplainFiles = true;
    ScoringRun scored;
    scoreDay(state, 1, {}, [&](const ScoringRun& run) {
        scored = run;
        return Status{};
    });
    ASSERT_EQ(scored.competitorNo, kNo);

    const ProvisionalSheet input = provisionalSheetFor(state, scored);
    std::vector<bool> marked;
    for (const ProvisionalLine& l : input.lines)
        marked.push_back(l.fromBackup);
    EXPECT_EQ(marked, (std::vector<bool>{false, false, true, true, false, false}));
    test::TempDir dir;
    const auto d =
        test::saveAndDump(buildProvisionalSheet(input, test::pinnedClock()), dir, "DayScore1_20.xlsx");
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d["Sheet1!I10"], "s:Logger");
    EXPECT_EQ(d["Sheet1!I13"], "s:B");
    EXPECT_EQ(d["Sheet1!I14"], "s:B");
    EXPECT_FALSE(d.has("Sheet1!I12")) << "no mark at a control of the primary";

    // Explain: the backup's candidates and track at control 3, the primary's at control 1 with
    // the backup's track beside it.
    ExplainScene fromBackup, fromPrimary;
    ASSERT_TRUE(loadExplainScene(state, 1, kNo, 3, fromBackup));
    ASSERT_TRUE(loadExplainScene(state, 1, kNo, 1, fromPrimary));
    EXPECT_TRUE(fromBackup.fromBackup);
    EXPECT_TRUE(fromBackup.hasFirst && fromBackup.inside);
    EXPECT_FALSE(fromBackup.track.empty());
    EXPECT_TRUE(fromBackup.otherTrack.empty()) << "the primary logged nothing there";
    EXPECT_FALSE(fromPrimary.fromBackup);
    EXPECT_FALSE(fromPrimary.otherTrack.empty());
    EXPECT_NE(explainCaption(fromBackup).at(1).find("B (BACKUP LOGGER)"), std::string::npos);
    EXPECT_EQ(explainCaption(fromPrimary).at(1).find("BACKUP"), std::string::npos);

    ControlAudit audit;
    ASSERT_TRUE(auditDay(state, 1, audit));
    std::vector<int> backups;
    for (const ControlAuditRow& r : audit.rows)
        backups.push_back(r.backup);
    EXPECT_EQ(backups, (std::vector<int>{0, 0, 1, 1, 0, 0}));
    EXPECT_NE(auditTableText(audit).find("Capped  Backup   Median"), std::string::npos);
}

TEST(BackupMerge, APrimaryPassageAlwaysStandsAndACapIsReplacedOnlyByAPassage) {
    const auto line = [](double control, double passage, double score) {
        ReportLine l;
        l.controlNo = control;
        l.passageClock = passage;
        l.score = score;
        return l;
    };
    std::vector<ReportLine> primary{line(1, 0.4, 5), line(2, 0, 600), line(3, 0, 600), line(4, 0.5, -30)};
    const std::vector<ReportLine> backup{line(1, 0.4, 0), line(2, 0.45, -4), line(3, 0, 600),
                                         line(4, 0.5, 1)};
    EXPECT_EQ(mergeBackupReport(primary, backup), (std::vector<bool>{false, true, false, false}));
    std::vector<double> scores;
    for (const ReportLine& l : primary)
        scores.push_back(l.score);
    EXPECT_EQ(scores, (std::vector<double>{5, -4, 600, -30}));
}

} // namespace
} // namespace trakmora
