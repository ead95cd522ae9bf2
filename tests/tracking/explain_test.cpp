#include "common/Format.h"
#include "demo/DownloadWriter.h"
#include "demo/SyntheticDrive.h"
#include "explain/ExplainData.h"
#include "explain/ExplainPicture.h"
#include "explain/PngWriter.h"
#include "tracking/KeptExplainFiles.h"
#include "tracking/PassageTime.h"
#include "tracking/Scoring.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"
#include "tracking/loggers/LoggerTable.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::writeText;

std::uint32_t bigEndian(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

TEST(Png, ChecksumsOfKnownTexts) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc32(""), 0u);
    EXPECT_EQ(adler32("Wikipedia"), 0x11E60398u);
    EXPECT_EQ(adler32(""), 1u);
}

// Decodes the file as a viewer would: chunks with their CRC, then the stored blocks of the zlib
// stream back into rows, which must be the image's pixels.
TEST(Png, DecodesBackToThePixels) {
    for (const auto& [w, h] : {std::pair{3, 2}, std::pair{300, 100}}) { // the larger one needs two blocks
        RgbImage img(w, h, {10, 20, 30});
        img.set(0, 0, {255, 0, 0});
        img.set(w - 1, h - 1, {0, 0, 255});
        const std::string png = pngBytes(img);
        ASSERT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
        std::vector<std::string> types;
        std::string idat, ihdr;
        for (std::size_t at = 8; at < png.size();) {
            const std::uint32_t len = bigEndian(png, at);
            const std::string typed = png.substr(at + 4, 4 + len);
            EXPECT_EQ(bigEndian(png, at + 8 + len), crc32(typed)) << typed.substr(0, 4);
            types.push_back(typed.substr(0, 4));
            if (types.back() == "IDAT") idat += typed.substr(4);
            if (types.back() == "IHDR") ihdr = typed.substr(4);
            at += 12 + len;
        }
        EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
        ASSERT_EQ(ihdr.size(), 13u);
        EXPECT_EQ(bigEndian(ihdr, 0), static_cast<std::uint32_t>(w));
        EXPECT_EQ(bigEndian(ihdr, 4), static_cast<std::uint32_t>(h));
        EXPECT_EQ(ihdr.substr(8), std::string({8, 2, 0, 0, 0}));
        const unsigned cmf = static_cast<unsigned char>(idat[0]), flg = static_cast<unsigned char>(idat[1]);
        EXPECT_EQ((cmf * 256 + flg) % 31, 0u);
        EXPECT_EQ(cmf & 0x0F, 8u);
        std::string raw;
        std::size_t at = 2;
        int blocks = 0;
        for (bool last = false; !last; ++blocks) {
            ASSERT_LT(at + 5, idat.size());
            last = idat[at] & 1;
            EXPECT_EQ((idat[at] >> 1) & 3, 0) << "stored block";
            const unsigned len =
                static_cast<unsigned char>(idat[at + 1]) | static_cast<unsigned char>(idat[at + 2]) << 8;
            const unsigned nlen =
                static_cast<unsigned char>(idat[at + 3]) | static_cast<unsigned char>(idat[at + 4]) << 8;
            EXPECT_EQ(len ^ 0xFFFFu, nlen);
            raw += idat.substr(at + 5, len);
            at += 5 + len;
        }
        EXPECT_EQ(blocks, w == 3 ? 1 : 2);
        EXPECT_EQ(at + 4, idat.size());
        EXPECT_EQ(bigEndian(idat, at), adler32(raw));
        std::string expected;
        const auto& px = img.bytes();
        for (int y = 0; y < h; ++y)
            expected += '\0' + std::string(px.begin() + y * w * 3, px.begin() + (y + 1) * w * 3);
        EXPECT_EQ(raw, expected);
    }
}

TEST(PlanView, ProjectsWithTheCosineOfTheLatitudeAndScalesToFit) {
    // 400 x 300 pixels, 100 m around the control: 140 pixels for 100 m from the centre (200, 150).
    const PlanView view(60, 10, 100, 400, 300, 10);
    EXPECT_DOUBLE_EQ(view.pixelsPerMetre(), 1.4);
    struct Case {
        double lat, lon;
        double x, y;   // metres
        double px, py; // pixels
    };
    const double m = kMetresPerDegree / 1000; // metres in a thousandth of a degree of latitude
    const Case cases[] = {
        {60, 10, 0, 0, 200, 150},
        {60.001, 10, 0, m, 200, 150 - 1.4 * m},
        {60, 10.001, m / 2, 0, 200 + 0.7 * m, 150}, // cos 60 = 0.5
        {59.999, 9.998, -m, -m, 200 - 1.4 * m, 150 + 1.4 * m},
    };
    for (const auto& c : cases) {
        const PlanPoint p = view.toPlan(c.lat, c.lon);
        EXPECT_NEAR(p.x, c.x, 1e-6) << c.lat << ' ' << c.lon;
        EXPECT_NEAR(p.y, c.y, 1e-6) << c.lat << ' ' << c.lon;
        const PixelPoint q = view.toPixel(c.lat, c.lon);
        EXPECT_NEAR(q.x, c.px, 1e-6);
        EXPECT_NEAR(q.y, c.py, 1e-6);
    }
    EXPECT_NEAR(m, 111.19492664, 1e-6);
}

TEST(RgbImage, ShapesStayInsideAndTextUsesTheFont) {
    RgbImage img(40, 30, {255, 255, 255});
    const Rgb red{255, 0, 0};
    img.circle(20, 15, 10, red);
    int onCircle = 0, off = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if (img.pixel(x, y) == red)
                (std::fabs(std::hypot(x - 20, y - 15) - 10) <= 0.75 ? onCircle : off)++;
    EXPECT_GT(onCircle, 40);
    EXPECT_EQ(off, 0);
    img.line(-100, -100, 1e12, 5, red); // far off: ignored, not a long loop
    img.disc(39, 29, 3, red);           // partly outside: clipped
    EXPECT_EQ(img.pixel(39, 29), red);
    RgbImage t(20, 10, {0, 0, 0});
    EXPECT_EQ(t.text(0, 0, "1-", {255, 255, 255}, 1), 8);
    // "1" is 010 / 110 / 010 / 010 / 111; "-" lights the middle row only.
    EXPECT_EQ(t.pixel(1, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(t.pixel(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(t.pixel(0, 4), (Rgb{255, 255, 255}));
    EXPECT_EQ(t.pixel(4, 2), (Rgb{255, 255, 255}));
    EXPECT_EQ(t.pixel(4, 1), (Rgb{0, 0, 0}));
}

class Explain : public test::TrackingFixture {
protected:
    // A generated day of five controls; competitor 7 drives 0.2 % slow.
    void scoreCompetitor7(bool keep) {
        SyntheticDriveSettings settings;
        settings.fixCount = 1500;
        settings.controlCount = 5;
        settings.metresPerSecond = 12;
        settings.secondsPerFix = 5;
        const SyntheticDrive drive(settings);
        writeControls(1, drive.controls());
        writeText(logFile("h1007.csv"), downloadText(*findLoggerLayout('h'), drive.competitorFixes(7, 0.998),
                                                     state.config.startDate, state.config));
        ImportResult imported;
        ASSERT_TRUE(importDownload(state, 1, "h1007.csv", imported));
        state.keepExplainFiles = keep;
        ASSERT_TRUE(scoreCompetitor(state, 1, imported.clFileName, run));
    }
    ScoringRun run;
};

TEST_F(Explain, KeptFilesGiveThePassageTheScoringFound) {
    scoreCompetitor7(false);
    const std::string plainResult = readFile(state.rallyFile(RallyFolder::Results, "R1007.csv"));
    EXPECT_FALSE(fs::exists(explainFolder(state)));
    ExplainScene scene;
    const Status none = loadExplainScene(state, 1, 7, 2, scene);
    EXPECT_FALSE(none);
    EXPECT_NE(none.message().find("No kept scoring data for competitor 7 on day 1"), std::string::npos);

    scoreCompetitor7(true);
    EXPECT_EQ(readFile(state.rallyFile(RallyFolder::Results, "R1007.csv")), plainResult);
    for (const char* working :
         {"1Shortlist_1_7.csv", "2Shortlist_1_7.csv", "3Shortlist_1_7.csv", "Report1_7.csv"})
        EXPECT_FALSE(fs::exists(state.rallyFile(RallyFolder::Working, working))) << working << " left behind";
    EXPECT_FALSE(fs::exists(logFile("CL1007.csv")));
    for (const char* kept : {"CL1007.csv", "3Shortlist_1_7.csv", "Report1_7.csv"})
        EXPECT_TRUE(fs::exists(explainFolder(state) / kept)) << kept;

    for (int control = 1; control <= 5; ++control) {
        ASSERT_TRUE(loadExplainScene(state, 1, 7, control, scene)) << control;
        const ReportLine& line = run.report[static_cast<std::size_t>(control - 1)];
        EXPECT_EQ(scene.score, line.score);
        EXPECT_TRUE(scene.inside);
        ASSERT_TRUE(scene.hasFirst && scene.hasSecond && scene.hasPassage);
        EXPECT_EQ(roundHalfEven(scene.idealTime - scene.passageTime), line.score) << control;
        EXPECT_NEAR(scene.passageTime, line.passageClock * 86400, 1e-6);
        EXPECT_FALSE(scene.track.empty());

        // The passage point lies between the candidates, inside the window; the control is in the
        // middle of the map and the circle has the window's radius.
        const ExplainGeometry g = explainGeometry(scene, 600, 500, 20);
        EXPECT_DOUBLE_EQ(g.control.x, 300);
        EXPECT_DOUBLE_EQ(g.control.y, 250);
        EXPECT_NEAR(g.circleRadius * g.metresPerPixel, state.config.distanceWindow, 1e-9);
        EXPECT_LT(std::hypot(g.passage.x - 300, g.passage.y - 250), g.circleRadius)
            << control << ": " << g.passage.x << ' ' << g.passage.y << " r " << g.circleRadius;
        const double along = std::hypot(g.passage.x - g.first.x, g.passage.y - g.first.y) +
                             std::hypot(g.second.x - g.passage.x, g.second.y - g.passage.y);
        EXPECT_NEAR(along, std::hypot(g.second.x - g.first.x, g.second.y - g.first.y), 0.01) << control;
        ASSERT_EQ(g.track.size(), scene.track.size());

        // The picture's map is 500 high above its 88-pixel caption: the same geometry, the
        // control's label "CP n" beside the control: the top of the C's first column.
        const RgbImage img = explainPicture(scene, 600, 588);
        EXPECT_EQ(img.pixel(314, 258), (Rgb{210, 30, 30}));
    }
    const Status unknown = loadExplainScene(state, 1, 7, 6, scene);
    EXPECT_EQ(unknown.message(), "Day 1 has no control 6");
}

TEST_F(Explain, CaptionSaysTimesAndScore) {
    ExplainScene scene;
    scene.day = 2;
    scene.competitorNo = 12;
    scene.controlNo = 4;
    scene.idealTime = 36000;
    scene.hasPassage = true;
    scene.passageTime = 36012.46;
    scene.inside = true;
    scene.score = -12;
    EXPECT_EQ(explainCaption(scene),
              (std::vector<std::string>{"DAY 2  COMPETITOR 12  CONTROL 4  WINDOW 200 M",
                                        "IDEAL 10:00:00  PASSAGE 10:00:12.5", "DEVIATION -12 S (LATE)"}));
    scene.inside = false;
    scene.score = 600;
    EXPECT_EQ(explainCaption(scene).back(), "OUTSIDE THE TIME WINDOW: SCORE 600 S");
    scene.hasPassage = false;
    EXPECT_EQ(explainCaption(scene)[1], "IDEAL 10:00:00");
    EXPECT_EQ(explainCaption(scene).back(), "NO FIX NEAR THE CONTROL: SCORE 600 S");
}

} // namespace
} // namespace trakmora

namespace trakmora {
namespace {

// The i-Blue 747 drive of the end-to-end case through the command line: score keeping the
// explain files, then audit and explain.
TEST(ExplainCli, ScoreKeepsFilesOnlyWhenAskedThenExplainAndAudit) {
    test::TempDir root;
    const fs::path data = fs::path(TRAKMORA_TEST_DATA) / "tracking_e2e";
    const std::string cli = "--data-root '" + root.path().string() + "' ";
    std::string out;
    ASSERT_EQ(test::runCli(cli + "new --name 'Leipzig Run' --short T", out), 0) << out;
    const fs::path rally = root / "T";
    fs::copy_file(data / "Marshals/cp1.csv", rally / "Marshals/cp1.csv");
    for (const char* download : {"h1001.csv", "c1002.csv"})
        fs::copy_file(data / "CompetitorsLog" / download, rally / "CompetitorsLog" / download);
    ASSERT_EQ(test::runCli(cli + "--rally T import --day 1", out), 0) << out;
    ASSERT_EQ(test::runCli(cli + "--rally T score --day 1 CL1002.csv", out), 0) << out;
    EXPECT_FALSE(fs::exists(rally / "Working/Explain"));
    ASSERT_EQ(test::runCli(cli + "--rally T score --day 1 --keep-explain", out), 0) << out;
    EXPECT_TRUE(fs::exists(rally / "Working/Explain/Report1_1.csv"));
    EXPECT_FALSE(fs::exists(rally / "Working/Explain/Report1_2.csv"));

    const fs::path png = root / "cp4.png";
    ASSERT_EQ(test::runCli(
                  cli + "--rally T explain --day 1 --comp 1 --control 4 --png '" + png.string() + "'", out),
              0)
        << out;
    // Control 4: half-way between fixes 340 (47002) and 341 (47007), ideal 47049: 45 s early.
    EXPECT_EQ(out, "DAY 1  COMPETITOR 1  CONTROL 4  WINDOW 200 M\nIDEAL 13:04:09  PASSAGE 13:03:24.5\n"
                   "DEVIATION +45 S (EARLY)\nPicture written to " +
                       png.string() + "\n");
    EXPECT_EQ(readFile(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(test::runCli(cli + "--rally T explain --day 1 --comp 2 --control 4", out), 1);
    EXPECT_NE(out.find("No kept scoring data for competitor 2 on day 1"), std::string::npos) << out;

    ASSERT_EQ(test::runCli(cli + "--rally T audit --day 1", out), 0) << out;
    EXPECT_NE(out.find("Control audit, day 1: 2 competitors, time window 600 s\n"), std::string::npos) << out;
    EXPECT_NE(out.find("      4       2       2       0     45.0     45.0      0.0  CHECK\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("      2       2       2       0      0.0      0.0      0.0\n"), std::string::npos)
        << out;

    // Control 4 scrapped: the kept files still explain the 45 s, and say the R file holds 0.
    ASSERT_EQ(test::runCli(cli + "--rally T config --set NoOfDays=1", out), 0) << out;
    test::writeText(
        rally / "EntryList/EntryList.csv",
        "\"Comp No\",\"Name\",\"Year\",\"Vehicle\",\"Type\",\"Speed\",\"Score Group\",\"Day 1\",\"Day 2\","
        "\"Day 3\",\"Day 4\",\"Day 5\"\r\n1,\"Ann\",1936,\"Riley\",\"K\",\"A\",\"A\",0,0,0,0,0\r\n");
    ASSERT_EQ(test::runCli(cli + "--rally T day --day 1 --scrap 4", out), 0) << out;
    ASSERT_EQ(test::runCli(cli + "--rally T explain --day 1 --comp 1 --control 4", out), 0) << out;
    EXPECT_NE(
        out.find("DEVIATION +45 S (EARLY)\nThe control is scrapped for the day: it counts 0 in the R file\n"),
        std::string::npos)
        << out;
    test::writeText(rally / "Results/R1001.csv",
                    "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n"); // changed by hand
    ASSERT_EQ(test::runCli(cli + "--rally T explain --day 1 --comp 1 --control 2", out), 0) << out;
    EXPECT_NE(
        out.find("The R file now holds 2 for this control: it has changed since these files were kept\n"),
        std::string::npos)
        << out;
    // The jury's decisions on the control are said with their reasons; one on a scrapped control
    // is said to have no effect.
    for (const char* decision : {"--control 2 --score 0 --reason 'Blocked, \"tractor\"'",
                                 "--control 4 --score 9 --reason 'Late claim'"})
        ASSERT_EQ(test::runCli(cli + "--rally T correct --day 1 --comp 1 " + decision, out), 0) << out;
    ASSERT_EQ(test::runCli(cli + "--rally T explain --day 1 --comp 1 --control 2", out), 0) << out;
    EXPECT_NE(out.find("\nCorrected by the jury from 2 to 0 (correction 1, entered "), std::string::npos)
        << out;
    EXPECT_NE(out.find("): Blocked, \"tractor\"\n"), std::string::npos) << out;
    ASSERT_EQ(test::runCli(cli + "--rally T explain --day 1 --comp 1 --control 4", out), 0) << out;
    EXPECT_NE(out.find("\nA jury correction to 9 (correction 2, entered "), std::string::npos) << out;
    EXPECT_NE(out.find("): Late claim. No effect: control 4 is scrapped\n"), std::string::npos) << out;
    EXPECT_EQ(readFile(rally / "Results/R1001.csv"), "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    // Scored again without keeping the files: the old copies go, they explain a score no longer there.
    fs::copy_file(data / "CompetitorsLog/h1001.csv", rally / "CompetitorsLog/h1001.csv");
    ASSERT_EQ(test::runCli(cli + "--rally T import --day 1", out), 0) << out;
    ASSERT_EQ(test::runCli(cli + "--rally T score --day 1", out), 0) << out;
    EXPECT_FALSE(fs::exists(rally / "Working/Explain/Report1_1.csv"));
    EXPECT_EQ(test::runCli(cli + "--rally T explain --day 1 --comp 1 --control 4", out), 1) << out;
}

} // namespace
} // namespace trakmora

namespace trakmora {
namespace {

TEST_F(Explain, KeptCompetitorsAndAllTheirScenes) {
    EXPECT_TRUE(keptCompetitors(state, 1).empty()); // no Explain folder yet
    scoreCompetitor7(true);
    // A competitor with only part of the files kept, and a file of another kind, are no choice.
    test::writeText(explainFolder(state) / "CL1009.csv", "1,51.3,12.4,36000\r\n");
    test::writeText(explainFolder(state) / "CL1007 copy.csv", "");
    EXPECT_EQ(keptCompetitors(state, 1), std::vector<int>{7});
    EXPECT_TRUE(keptCompetitors(state, 2).empty());

    std::vector<ExplainScene> scenes;
    ASSERT_TRUE(loadExplainScenes(state, 1, 7, scenes));
    ASSERT_EQ(scenes.size(), 5u);
    for (int control = 1; control <= 5; ++control) {
        const ExplainScene& s = scenes[static_cast<std::size_t>(control - 1)];
        ExplainScene one;
        ASSERT_TRUE(loadExplainScene(state, 1, 7, control, one));
        EXPECT_EQ(s.controlNo, control);
        EXPECT_EQ(s.score, run.report[static_cast<std::size_t>(control - 1)].score);
        EXPECT_EQ(s.resultScore, one.resultScore);
        EXPECT_EQ(s.passageTime, one.passageTime);
        EXPECT_EQ(s.track.size(), one.track.size());
    }
    EXPECT_FALSE(loadExplainScenes(state, 1, 9, scenes));
    EXPECT_EQ(scenes.size(), 5u); // left as it was

    // Scored again without keeping the files, the competitor is no longer offered.
    scoreCompetitor7(false);
    EXPECT_TRUE(keptCompetitors(state, 1).empty());
}

} // namespace
} // namespace trakmora
