// The individual and group scoring screens over a rally in a temporary data root. With
// TRAKMORA_SCREENSHOTS set to a folder, both screens are saved there on a scored day
// (score1.png, score2.png).
#include "gui/frmHome.h"
#include "gui/results/frmDayMatrixView.h"
#include "gui/results/frmScore2.h"
#include "gui/tracking/frmScore1.h"
#include "gui/tracking/frmTrackPlot.h"
#include "support/RallyFixture.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace trakmora;
namespace fs = std::filesystem;

namespace {

const fs::path kCase = fs::path(TRAKMORA_TEST_DATA) / "tracking_e2e";

using test::writeText;

std::string readText(const fs::path& file) {
    return test::readFile(file);
}

// A rally "Spring" with `days` days, opened in its own state.
struct Rally : test::TestRally {
    explicit Rally(int days) : TestRally("Spring Run", "Spring", days) {}
    void copyControls(int day) const {
        copyIn(kCase / "Marshals/cp1.csv", RallyFolder::Marshals, "cp" + std::to_string(day) + ".csv");
    }
    // Entries 1..count, groups by LastEntry (A up to 15, B up to 30, ...).
    void writeEntries(int count) const {
        TestRally::writeEntries(count,
                                [](int n) { return std::string(1, static_cast<char>('A' + (n - 1) / 15)); });
    }
    void writeScores(int day, int compNo, const std::string& lines) const {
        char name[16];
        std::snprintf(name, sizeof name, "R%d%03d.csv", day, compNo);
        write(RallyFolder::Results, name, lines);
    }
};

void clickItem(QListWidget* list, const QString& text) {
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
}

void clickCell(frmScore2& screen, int n) {
    QTest::mouseClick(screen.matrixView(), Qt::LeftButton, {}, screen.matrixView()->cellCentre(n));
}

// "Select Day" once it is back after its re-arm.
void selectDay(frmScore2& screen) {
    QTRY_VERIFY_WITH_TIMEOUT(
        screen.selectDayButton()->isVisibleTo(&screen) && screen.selectDayButton()->isEnabled(), 3000);
    QTest::mouseClick(screen.selectDayButton(), Qt::LeftButton);
}

void save(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("TRAKMORA_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QVERIFY(window->grab().save(QDir(folder).filePath(name)));
}

} // namespace

class ScoreScreensTest : public QObject {
    Q_OBJECT
private slots:
    void individualScoringOpensOnTheLastDayAndCycles() {
        Rally rally(3);
        frmScore1 screen(rally.state);
        QCOMPARE(screen.dayLabel()->text(), QStringLiteral("Day 3"));
        for (const char* expected : {"Day 1", "Day 2", "Day 3", "Day 1"}) {
            QTest::mouseClick(screen.dayButton(), Qt::LeftButton);
            QCOMPARE(screen.dayLabel()->text(), QString::fromUtf8(expected));
        }
        for (QPushButton* b :
             {screen.importButton(), screen.loadButton(), screen.stepButton(0), screen.stepButton(3)})
            QVERIFY(!b->isEnabled());
        QCOMPARE(screen.modeTimer()->interval(), 500);
        QCOMPARE(screen.controlTimer()->interval(), 1000);
    }

    void reimportingKeepsTheEarlierDownloadAndSaysWhere() {
        Rally rally(1);
        const fs::path download = rally.file(RallyFolder::CompetitorsLog, "x1004.csv");
        frmScore1 screen(rally.state);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        for (const char* time : {"08:00:00", "08:00:05"}) {
            std::ofstream(download, std::ios::binary)
                << "Fix,Lat,Lon,Time\r\n1,51.3,12.4,\"2015-06-26T" << time << "Z\"\r\n";
            QTest::mouseClick(screen.dayButton(), Qt::LeftButton); // refreshes the lists
            clickItem(screen.downloadList(), "x1004.csv");
            QTest::mouseClick(screen.importButton(), Qt::LeftButton);
        }
        QCOMPARE(rally.messages.texts,
                 std::vector<std::string>{
                     "The earlier download x1004.csv in CompetitorsLog\\Bak is kept as x1004-1.csv"});
        QVERIFY(fs::exists(rally.file(RallyFolder::CompetitorsLogBak, "x1004-1.csv")));
    }

    void autoModeScoresACompetitorWithOneClick() {
        Rally rally(1);
        rally.copyControls(1);
        rally.copyIn(kCase / "expected/CL1001.csv", RallyFolder::CompetitorsLog);
        frmScore1 screen(rally.state);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QCOMPARE(screen.modeLabel()->text(), QStringLiteral("auto"));

        clickItem(screen.clFileList(), "CL1001.csv");
        QVERIFY(!screen.clFileList()->isEnabled());
        QVERIFY(!screen.dayButton()->isEnabled());
        QVERIFY(screen.loadButton()->isEnabled());
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);

        QCOMPARE(readText(rally.file(RallyFolder::Results, "R1001.csv")),
                 readText(kCase / "expected/R1001.csv"));
        QVERIFY(screen.clFileList()->isEnabled());
        QVERIFY(screen.dayButton()->isEnabled());
        QCOMPARE(screen.clFileList()->count(), 0); // the scored CL file has gone
        QCOMPARE(screen.countValue(0)->text(), QStringLiteral("8"));
        QCOMPARE(screen.countValue(1)->text(), QStringLiteral("747"));
        QVERIFY(!screen.countValue(4)->text().isEmpty());
        for (int i = 0; i < 4; ++i)
            QVERIFY(!screen.stepButton(i)->isEnabled());
        QVERIFY(rally.messages.texts.empty());
        QCOMPARE(screen.plot()->controls().size(), std::size_t{8});
        QVERIFY(!screen.plot()->segments().empty());
        save(&screen, "score1.png");
        QVERIFY(!screen.trackMapButton()->isEnabled()); // scoring files were not kept
    }

    void trackMapStepsThroughTheScoredControls() {
        Rally rally(1);
        rally.state.keepExplainFiles = true;
        rally.copyControls(1);
        rally.copyIn(kCase / "expected/CL1001.csv", RallyFolder::CompetitorsLog);
        frmScore1 screen(rally.state);
        screen.show();
        clickItem(screen.clFileList(), "CL1001.csv");
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);
        QVERIFY(screen.trackMapButton()->isEnabled());
        QTest::mouseClick(screen.trackMapButton(), Qt::LeftButton);
        QVERIFY(screen.trackMap() && screen.trackMap()->isVisible());
        QCOMPARE(screen.trackMap()->currentIndex(), 0);
        QTest::mouseClick(screen.trackMap()->nextButton(), Qt::LeftButton);
        QCOMPARE(screen.trackMap()->currentIndex(), 1);
        QVERIFY(screen.trackMap()->captionLabel()->text().contains(QStringLiteral("2")));
        QVERIFY(rally.messages.texts.empty());
    }

    void manualModeRunsOneStepPerButton() {
        Rally rally(1);
        rally.copyControls(1);
        rally.copyIn(kCase / "expected/CL1001.csv", RallyFolder::CompetitorsLog);
        frmScore1 screen(rally.state);
        screen.show();
        QTest::mouseClick(screen.modeLabel(), Qt::LeftButton);
        QCOMPARE(screen.modeLabel()->text(), QStringLiteral("man"));
        clickItem(screen.clFileList(), "CL1001.csv");
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j)
                QCOMPARE(screen.stepButton(j)->isEnabled(), i == j);
            QVERIFY(!fs::exists(rally.file(RallyFolder::Results, "R1001.csv")));
            QTest::mouseClick(screen.stepButton(i), Qt::LeftButton);
        }
        QVERIFY(fs::exists(rally.file(RallyFolder::Results, "R1001.csv")));
        QVERIFY(screen.clFileList()->isEnabled());
    }

    void aFortySecondGapLeavesAHoleInTheTrack() {
        Rally rally(1);
        rally.copyControls(1);
        std::string cl;
        const double times[] = {45400, 45405, 45410, 45450, 45455, 45460};
        for (int i = 0; i < 6; ++i)
            cl += std::to_string(i + 1) + ",51.3,12.37," + std::to_string(int(times[i])) + "\r\n";
        writeText(rally.file(RallyFolder::CompetitorsLog, "CL1002.csv"), cl);
        frmScore1 screen(rally.state);
        QTest::mouseClick(screen.modeLabel(), Qt::LeftButton); // man: only load
        clickItem(screen.clFileList(), "CL1002.csv");
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);
        const std::vector<PlotSegment> expected = {{plotX(45400), plotX(45410)},
                                                   {plotX(45450), plotX(45460)}};
        QCOMPARE(screen.plot()->segments(), expected);
        QCOMPARE(screen.plot()->controls().front(), plotX(45441)); // group A time of control 1
    }

    void missingControlsAreReportedAndTheScreenCarriesOn() {
        Rally rally(1);
        rally.copyIn(kCase / "expected/CL1001.csv", RallyFolder::CompetitorsLog);
        frmScore1 screen(rally.state);
        clickItem(screen.clFileList(), "CL1001.csv");
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);
        QCOMPARE(rally.messages.texts,
                 std::vector<std::string>{"No Coordinates for controls have been loaded"});
        QVERIFY(screen.clFileList()->isEnabled());
        QVERIFY(screen.dayButton()->isEnabled());
        QVERIFY(!screen.loadButton()->isEnabled());
        QVERIFY(!screen.stepButton(0)->isEnabled());
        QCOMPARE(screen.clFileList()->count(), 1); // the CL file waits for the controls

        rally.copyControls(1);
        clickItem(screen.clFileList(), "CL1001.csv");
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);
        QVERIFY(fs::exists(rally.file(RallyFolder::Results, "R1001.csv")));
    }

    void scoreAllScoresTheWholeDayAndSummarises() {
        Rally rally(1);
        rally.copyControls(1);
        for (const char* name : {"h1001.csv", "c1002.csv"})
            rally.copyIn(kCase / "CompetitorsLog" / name, RallyFolder::CompetitorsLog);
        frmScore1 screen(rally.state);
        screen.show();
        QCOMPARE(screen.downloadList()->count(), 2);
        QTest::mouseClick(screen.scoreAllButton(), Qt::LeftButton);
        // The run ends with the table of its competitors, not a message box.
        QVERIFY(rally.messages.texts.empty());
        QVERIFY(screen.competitorTable() && screen.competitorTable()->isVisible());
        QCOMPARE(screen.competitorTable()->table()->rowCount(), 2);
        QTest::mouseClick(
            screen.competitorTable()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
            Qt::LeftButton);
        QTRY_VERIFY(!screen.competitorTable());
        QVERIFY(fs::exists(rally.file(RallyFolder::Results, "R1002.csv")));
        // Each competitor's provisional result sheet, as when scoring them one by one.
        for (const char* sheet : {"DayScore1_1.xlsx", "DayScore1_2.xlsx"})
            QVERIFY2(fs::exists(rally.file(RallyFolder::Results, sheet)), sheet);
        QCOMPARE(screen.downloadList()->count(), 0);
        QCOMPARE(screen.clFileList()->count(), 0);
        QVERIFY(!screen.progressBar()->isVisibleTo(&screen));

        // Scoring again after a doubt: declined, nothing happens; accepted, the downloads come
        // back from Bak and every competitor is scored anew.
        const std::string r1002 = readText(rally.file(RallyFolder::Results, "R1002.csv"));
        fs::remove(rally.file(RallyFolder::Results, "R1002.csv"));
        rally.messages.setAnswer(false);
        QTest::mouseClick(screen.scoreAgainButton(), Qt::LeftButton);
        QCOMPARE(rally.messages.questions.size(), std::size_t{1});
        QVERIFY(!fs::exists(rally.file(RallyFolder::Results, "R1002.csv")));
        rally.messages.setAnswer(true);
        QTest::mouseClick(screen.scoreAgainButton(), Qt::LeftButton);
        QCOMPARE(readText(rally.file(RallyFolder::Results, "R1002.csv")), r1002);
        QVERIFY(rally.messages.texts.empty());
        QCOMPARE(screen.competitorTable()->summaryLabel()->text(),
                 QStringLiteral("Downloads imported: 2. Competitors scored: 2. No messages."));
        QCOMPARE(screen.downloadList()->count(), 0);
    }

    void cellClicksToggleNonFinishers() {
        Rally rally(2);
        rally.writeEntries(60);
        for (int n : {4, 5, 7, 12, 20, 33, 41})
            rally.writeScores(1, n, "10\r\n-5\r\n");
        frmScore2 screen(rally.state);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QCOMPARE(screen.matrixView()->shownCells(), 60);
        QVERIFY(!screen.finalButton()->isEnabled());
        QVERIFY(!screen.scrapButton()->isEnabled());
        selectDay(screen);
        QCOMPARE(screen.dayTitle()->text(), QStringLiteral("1"));
        QVERIFY(!screen.selectDayButton()->isVisibleTo(&screen));
        QVERIFY(screen.rearmTimer()->isActive());
        QCOMPARE(screen.rearmTimer()->interval(), 2000);
        QCOMPARE(screen.scoring().matrix().state(4), CellState::Finisher);

        clickCell(screen, 4);
        QCOMPARE(screen.scoring().matrix().state(4), CellState::NonFinisher);
        clickCell(screen, 9); // red, no R file: yellow too
        QCOMPARE(screen.scoring().matrix().state(9), CellState::NonFinisher);
        QTRY_VERIFY_WITH_TIMEOUT(screen.selectDayButton()->isVisible(), 3000);
        save(&screen, "score2.png"); // green, yellow 4 and 9, red
        clickCell(screen, 9);
        clickCell(screen, 4);
        QCOMPARE(screen.scoring().matrix().state(4), CellState::Finisher);
        QCOMPARE(screen.scoring().matrix().state(9), CellState::NonStarter);
        QVERIFY(rally.messages.texts.empty());
    }

    void twoDaysReachFinalAndBack() {
        Rally rally(2);
        rally.writeEntries(30);
        rally.writeScores(1, 4, "1\r\n");
        rally.writeScores(2, 4, "2\r\n");
        frmScore2 screen(rally.state);
        screen.show();
        for (const char* expected : {"1", "2", "Final", "1"}) {
            selectDay(screen);
            QCOMPARE(screen.dayTitle()->text(), QString::fromUtf8(expected));
            const bool final = screen.dayTitle()->text() == "Final";
            QCOMPARE(screen.finalButton()->isEnabled(), final);
            QCOMPARE(screen.combinedButton()->isVisibleTo(&screen), !final);
            if (final) {
                QCOMPARE(screen.scoring().matrix().state(4), CellState::Finisher);
                clickCell(screen, 4); // no effect in the Final position
                QCOMPARE(screen.scoring().matrix().state(4), CellState::Finisher);
            }
        }
        QVERIFY(rally.messages.texts.empty());
    }

    void scrappingBuildsTheDayAgainAtOnce() {
        Rally rally(1);
        rally.writeEntries(20);
        rally.copyControls(1); // 8 controls
        rally.writeScores(1, 3, "1\r\n2\r\n30\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
        frmScore2 screen(rally.state);
        screen.show();
        selectDay(screen);
        QCOMPARE(screen.scoring().dayScore().lines.size(), std::size_t{1});
        QCOMPARE(screen.scoring().dayScore().lines.at(0).total, 63.0);

        QTest::mouseClick(screen.scrapButton(), Qt::LeftButton);
        QVERIFY(screen.scrapPanel()->isVisibleTo(&screen));
        QVERIFY(!screen.combinedButton()->isEnabled());
        // The audit beside the panel shows the day's scores per control, the 30 of control 3 too.
        QVERIFY(screen.auditView()->isVisibleTo(&screen));
        QVERIFY(screen.auditView()->toPlainText().startsWith(
            QStringLiteral("Control audit, day 1: 1 competitor")));
        QVERIFY(screen.auditView()->toPlainText().contains(QStringLiteral("30.0")));
        QTest::mouseClick(screen.previousControlButton(), Qt::LeftButton);
        QCOMPARE(screen.scrapControlLabel()->text(), QStringLiteral("1"));
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(screen.nextControlButton(), Qt::LeftButton);
        QCOMPARE(screen.scrapControlLabel()->text(), QStringLiteral("3"));
        QTest::mouseClick(screen.scrapNowButton(), Qt::LeftButton);
        QCOMPARE(readText(rally.file(RallyFolder::Results, "R1003.csv")),
                 std::string("1\r\n2\r\n0\r\n4\r\n5\r\n6\r\n7\r\n8\r\n"));
        // The day score, the entry list total and the matrix follow the scrap at once; the
        // combined results of before are not ranked.
        QCOMPARE(screen.scoring().dayScore().lines.at(0).total, 33.0);
        QCOMPARE(screen.scoring().combined().day, 0);
        QVERIFY(!screen.auditView()->toPlainText().contains(QStringLiteral("30.0")));
        QTest::mouseClick(screen.closePanelButton(), Qt::LeftButton);
        QVERIFY(!screen.scrapPanel()->isVisibleTo(&screen));
        QVERIFY(!screen.auditView()->isVisibleTo(&screen));

        // A one-day rally selects day 1 again and never reaches Final.
        for (int i = 0; i < 2; ++i) {
            selectDay(screen);
            QCOMPARE(screen.dayTitle()->text(), QStringLiteral("1"));
            QVERIFY(!screen.finalButton()->isEnabled());
        }
        QCOMPARE(screen.scoring().dayScore().lines.at(0).total, 33.0);
        QVERIFY(rally.messages.texts.empty());
    }

    void answeringNoToTheQuestionChangesNothing() {
        Rally rally(1);
        rally.writeEntries(20);
        rally.writeScores(1, 3, "5\r\n");
        frmScore2 screen(rally.state);
        screen.show();
        selectDay(screen);
        const std::string dayScore = readText(rally.file(RallyFolder::Results, "DayScore_1.csv"));
        rally.messages.setAnswer(false);
        QTest::mouseClick(screen.combinedButton(), Qt::LeftButton);
        QCOMPARE(rally.messages.questions.size(), std::size_t{1});
        QVERIFY(rally.messages.questions[0].rfind("Question: The combined day results should only be printed",
                                                  0) == 0);
        QCOMPARE(screen.scoring().combined().day, 0);
        QVERIFY(!screen.dayPositionButton()->isEnabled());
        QCOMPARE(readText(rally.file(RallyFolder::Results, "DayScore_1.csv")), dayScore);
        QVERIFY(rally.messages.texts.empty());

        rally.messages.setAnswer(true);
        QTest::mouseClick(screen.combinedButton(), Qt::LeftButton);
        QCOMPARE(screen.scoring().combined().day, 1);
        QVERIFY(screen.dayPositionButton()->isEnabled());
        QTest::mouseClick(screen.dayPositionButton(), Qt::LeftButton);
        QCOMPARE(screen.scoring().dayPositions()[0].rows.size(), std::size_t{1});
        QVERIFY(rally.messages.texts.empty());
    }

    void closingEitherScoringScreenClosesTheOther() {
        Rally rally(1);
        frmHome home(rally.root.path(), &rally.messages);
        QVERIFY(home.startUp());
        home.openRally("Spring");
        home.enableScoringMenu();
        for (const char* first : {"Individual Scoring", "Group Scoring"}) {
            home.menuEntry("Individual Scoring")->trigger();
            home.menuEntry("Group Scoring")->trigger();
            auto* one = home.findChild<frmScore1*>();
            auto* two = home.findChild<frmScore2*>();
            QVERIFY(one && two && one->isVisible() && two->isVisible());
            QWidget* closed = QString(first) == "Individual Scoring" ? static_cast<QWidget*>(one) : two;
            closed->close();
            QTRY_VERIFY(!home.findChild<frmScore1*>() && !home.findChild<frmScore2*>());
        }
    }
};

QTEST_MAIN(ScoreScreensTest)
#include "score_guitest.moc"
