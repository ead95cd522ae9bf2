#include "common/Format.h"
#include "demo/DownloadWriter.h"
#include "demo/SyntheticDrive.h"
#include "tracking/ClFile.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/loggers/LoggerTable.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trakmora {
namespace {
using test::writeText;

class Synthetic : public test::TrackingFixture {};

TEST_F(Synthetic, EveryLayoutWrittenAndImportedGivesTheFixesBack) {
    SyntheticDriveSettings settings;
    settings.fixCount = 40;
    const SyntheticDrive drive(settings);
    const std::vector<TrackFix> fixes = drive.competitorFixes(5, 1.0);
    state.config.holuxOffset = 3;
    state.config.lumoOffset = 2;
    for (const LoggerLayout* layout : loggerLayouts()) {
        const std::string name = std::string(1, layout->letter) + "1005.csv";
        writeText(logFile(name), downloadText(*layout, fixes, state.config.startDate, state.config));
        ImportResult result;
        ASSERT_TRUE(importDownload(state, 1, name, result)) << name;
        std::vector<TrackFix> back;
        ASSERT_TRUE(readClFile(logFile("CL1005.csv"), back));
        std::vector<TrackFix> expected;
        for (std::size_t i = 0; i < fixes.size(); i += static_cast<std::size_t>(layout->keepEvery))
            expected.push_back(fixes[i]);
        EXPECT_EQ(back, expected) << name;
    }
}

TEST_F(Synthetic, ACompetitorDrivingToTheScheduleScoresNothing) {
    SyntheticDriveSettings settings;
    settings.fixCount = 3000;
    settings.controlCount = 6;
    const SyntheticDrive drive(settings);
    EXPECT_EQ(SyntheticDrive(settings).controls(), drive.controls()); // same settings, same day
    writeControls(1, drive.controls());
    // Competitor 20 (speed group B) on time, competitor 21 one per cent slow: about 1 % of each
    // control's route time late.
    for (int no : {20, 21}) {
        const std::string name = "c1" + formatCompNo(no) + ".csv";
        writeText(logFile(name),
                  downloadText(*findLoggerLayout('c'), drive.competitorFixes(no, no == 20 ? 1 : 0.99),
                               state.config.startDate, state.config));
        ImportResult imported;
        ASSERT_TRUE(importDownload(state, 1, name, imported));
        ScoringRun run;
        ASSERT_TRUE(scoreCompetitor(state, 1, imported.clFileName, run));
        EXPECT_EQ(run.speedGroup, 2);
        ASSERT_EQ(run.report.size(), 6u);
        for (std::size_t i = 0; i < 6; ++i) {
            const double routeSeconds = drive.controls()[i].groupTime[2] - settings.dayStartTime;
            const double expected = no == 20 ? 0 : -std::round(routeSeconds / 0.99 - routeSeconds);
            EXPECT_NEAR(run.report[i].score, expected, 1) << no << " control " << i + 1;
        }
    }
}

} // namespace
} // namespace trakmora
