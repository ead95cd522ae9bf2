#include "common/Format.h"
#include "demo/DownloadWriter.h"
#include "demo/SyntheticDrive.h"
#include "results/ControlAudit.h"
#include "schedule/ControlFile.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/loggers/LoggerTable.h"

#include "ResultsRally.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trakmora {
namespace {
using test::ResultsRally;

TEST(ControlAudit, RowsFromScores) {
    struct Case {
        std::vector<double> scores;
        int inside, capped;
        double median, mean, iqr;
        bool flagged;
    };
    const Case cases[] = {
        {{}, 0, 0, 0, 0, 0, false},
        {{0, 2, -2, 4}, 4, 0, 1, 1, 3, false},                // quartiles -0.5 and 2.5
        {{31, 31, -40, 600}, 3, 1, 31, 22 / 3.0, 35.5, true}, // median just beyond 30 s
        {{30, 30, -30}, 3, 0, 30, 10, 30, false},             // 30 s itself is not beyond
        {{-31, -35, -33}, 3, 0, -33, -33, 2, true},           // late counts too
        {{600, 600, 1, 2}, 2, 2, 1.5, 1.5, 0.5, false},       // half capped is not more than half
        {{600, 600, 600, 2}, 1, 3, 2, 2, 0, true},            // more than half capped
        {{-600, 600}, 1, 1, -600, -600, 0, true},             // -TimeWindow is a deviation
    };
    for (const auto& c : cases) {
        const ControlAuditRow row = auditControl(3, c.scores, 600);
        const std::string what = ::testing::PrintToString(c.scores);
        EXPECT_EQ(row.controlNo, 3);
        EXPECT_EQ(row.competitors, static_cast<int>(c.scores.size())) << what;
        EXPECT_EQ(row.inside, c.inside) << what;
        EXPECT_EQ(row.capped, c.capped) << what;
        EXPECT_DOUBLE_EQ(row.median, c.median) << what;
        EXPECT_DOUBLE_EQ(row.mean, c.mean) << what;
        EXPECT_DOUBLE_EQ(row.iqr, c.iqr) << what;
        EXPECT_EQ(row.flagged, c.flagged) << what;
    }
}

TEST(ControlAudit, DayFromResultFilesWithShortFilesAndNoWorkingFiles) {
    ResultsRally rally;
    rally.writeControls(2, 3);
    rally.writeScores(2, 1, {0, 40, 600});
    rally.writeScores(2, 7, {-2, 45, 600});
    rally.writeScores(2, 250, {4});           // stopped after control 1
    rally.writeScores(1, 3, {600, 600, 600}); // another day
    ControlAudit audit;
    ASSERT_TRUE(auditDay(rally.state, 2, audit));
    EXPECT_EQ(audit.competitors, 3);
    ASSERT_EQ(audit.rows.size(), 3u);
    EXPECT_EQ(audit.rows[0], auditControl(1, {0, -2, 4}, 600));
    EXPECT_EQ(audit.rows[1], auditControl(2, {40, 45}, 600));
    EXPECT_EQ(audit.rows[2], auditControl(3, {600, 600}, 600));
    EXPECT_FALSE(audit.rows[0].flagged);
    EXPECT_TRUE(audit.rows[1].flagged);
    EXPECT_TRUE(audit.rows[2].flagged);
    const std::string text = auditTableText(audit);
    EXPECT_NE(text.find("      2       2       2       0     42.5     42.5      2.5  CHECK\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("      1       3       3       0      0.0      0.7      3.0\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("      3       2       0       2        -        -        -  CHECK\n"),
              std::string::npos)
        << text;

    rally.writeScores(2, 9,
                      {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,  17, 18, 19, 20, 21,
                       22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37,  38, 39, 40, 41, 42,
                       43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58,  59, 60, 61, 62, 63,
                       64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79,  80, 81, 82, 83, 84,
                       85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101});
    const Status tooMany = auditDay(rally.state, 2, audit);
    EXPECT_FALSE(tooMany);
    EXPECT_NE(tooMany.message().find("R2009.csv"), std::string::npos) << tooMany.message();

    ControlAudit none;
    const Status missing = auditDay(rally.state, 4, none);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message().find("cp4.csv"), std::string::npos) << missing.message();
}

// A generated day scored through the whole chain, with one control placed 300 m from where the
// route passes it: across the road (no fix inside the distance window, every competitor capped)
// or along it (37.5 s of driving at 8 m/s). The audit flags that control and no other.
TEST(ControlAudit, AControlMovedBy300MetresIsTheOneFlagged) {
    SyntheticDriveSettings settings;
    settings.fixCount = 2400;
    settings.controlCount = 8;
    settings.metresPerSecond = 8;
    const SyntheticDrive drive(settings);
    const std::size_t moved = 4; // control 5
    const ControlRecord& original = drive.controls()[moved];
    // The route's heading at the control, from the on-time fixes just before and after it.
    const std::vector<TrackFix> onTime = drive.competitorFixes(1, 1.0);
    std::size_t nearest = 1;
    for (std::size_t i = 1; i + 1 < onTime.size(); ++i)
        if (std::hypot(onTime[i].lat - original.lat, onTime[i].lon - original.lon) <
            std::hypot(onTime[nearest].lat - original.lat, onTime[nearest].lon - original.lon))
            nearest = i;
    const double cosLat = std::cos(original.lat * 3.14159265358979323846 / 180);
    double east = (onTime[nearest + 1].lon - onTime[nearest - 1].lon) * cosLat;
    double north = onTime[nearest + 1].lat - onTime[nearest - 1].lat;
    const double length = std::hypot(east, north);
    east /= length;
    north /= length;

    struct Case {
        const char* what;
        double east, north; // unit direction of the move
        bool allCapped;
    };
    const Case cases[] = {{"across the road", -north, east, true}, {"along the road", east, north, false}};
    for (const auto& c : cases) {
        ResultsRally rally;
        ProgramState& state = rally.state;
        std::vector<ControlRecord> controls = drive.controls();
        const double metres = 300.0 / 111195.0; // degrees of latitude
        controls[moved].lat += c.north * metres;
        controls[moved].lon += c.east * metres / cosLat;
        rally.write(RallyFolder::Marshals, "cp1.csv", controlFileText(controls));

        const double paces[] = {1.0, 0.999, 1.001, 1.0, 0.9995, 1.0005};
        for (int no = 1; no <= 6; ++no) {
            const std::string name = "h1" + formatCompNo(no) + ".csv";
            rally.write(RallyFolder::CompetitorsLog, name,
                        downloadText(*findLoggerLayout('h'), drive.competitorFixes(no, paces[no - 1]),
                                     state.config.startDate, state.config));
            ImportResult imported;
            ASSERT_TRUE(importDownload(state, 1, name, imported)) << name;
            ScoringRun run;
            ASSERT_TRUE(scoreCompetitor(state, 1, imported.clFileName, run)) << name;
        }
        ControlAudit audit;
        ASSERT_TRUE(auditDay(state, 1, audit));
        EXPECT_EQ(audit.competitors, 6);
        ASSERT_EQ(audit.rows.size(), 8u);
        for (std::size_t i = 0; i < audit.rows.size(); ++i)
            EXPECT_EQ(audit.rows[i].flagged, i == moved) << c.what << '\n' << auditTableText(audit);
        const auto& row = audit.rows[moved];
        if (c.allCapped)
            EXPECT_EQ(row.capped, 6) << c.what;
        else
            EXPECT_NEAR(std::fabs(row.median), 37.5, 3) << c.what << '\n' << auditTableText(audit);
    }
}

} // namespace
} // namespace trakmora
