// The group scoring screen: scrapping with its question, printing right after a scrap, restoring a
// scrapped control, the cells' tooltips, the status line and the screen on a small desktop. With
// TRAKMORA_SCREENSHOTS set to a folder, the screen is saved there at laptop size
// (score2-small.png, score2-small-restore.png, score2-corrections.png).
#include "entries/EntryList.h"
#include "gui/ScreenCheck.h"
#include "gui/StatusLine.h"
#include "gui/results/frmDayMatrixView.h"
#include "gui/results/frmScore2.h"
#include "reports/ProvisionalSheet.h"
#include "reports/WorkbookDump.h"
#include "support/RallyFixture.h"
#include "tracking/ScoreDay.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolTip>
#include <QtTest>

#include <filesystem>

using namespace trakmora;
namespace fs = std::filesystem;

namespace {

const fs::path kCase = fs::path(TRAKMORA_TEST_DATA) / "tracking_e2e";

using test::writeText;

std::string readText(const fs::path& file) {
    return test::readFile(file);
}

// A rally "Spring" with `days` days, entries 1..20 in score group A, the eight controls of the
// tracking case on day 1.
struct Rally : test::TestRally {
    explicit Rally(int days) : TestRally("Spring Run", "Spring", days) {
        writeEntries(20, [](int) { return "A"; });
        copyIn(kCase / "Marshals/cp1.csv", RallyFolder::Marshals);
    }
    fs::path rFile(int day, int n) const {
        return file(RallyFolder::Results, "R" + std::to_string(day) + "00" + std::to_string(n) + ".csv");
    }
    // Competitors 1 and 3 scored from their downloads, which then wait in CompetitorsLog/Bak.
    void scoreDownloads() {
        for (const char* name : {"h1001.csv", "e1003.csv"})
            copyIn(kCase / "CompetitorsLog" / name, RallyFolder::CompetitorsLog);
        QCOMPARE(scoreDay(state, 1).competitorsScored, 2);
    }
};

void selectDay(frmScore2& screen) {
    QTRY_VERIFY_WITH_TIMEOUT(
        screen.selectDayButton()->isVisibleTo(&screen) && screen.selectDayButton()->isEnabled(), 3000);
    QTest::mouseClick(screen.selectDayButton(), Qt::LeftButton);
}

void click(QPushButton* button) {
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->text()));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Opens the scrap panel and steps to `control`.
void chooseControl(frmScore2& screen, int control) {
    click(screen.scrapButton());
    for (int i = 1; i < control; ++i)
        click(screen.nextControlButton());
    QCOMPARE(screen.scrapControlLabel()->text(), QString::number(control));
}

} // namespace

class Score2ScreenTest : public QObject {
    Q_OBJECT
private slots:
    void scrappingAsksFirstAndNoChangesNothing() {
        Rally rally(1);
        rally.scoreDownloads();
        const std::string r1 = readText(rally.rFile(1, 1));
        frmScore2 screen(rally.state);
        screen.show();
        selectDay(screen);
        chooseControl(screen, 2); // competitor 1 scored 0 there, competitor 3 scored 5
        rally.messages.setAnswer(false);
        click(screen.scrapNowButton());
        QCOMPARE(
            rally.messages.questions,
            std::vector<std::string>{
                "Scrap a control: Scrap control 2 of day 1 for every competitor? It sets 1 score to 0."});
        QVERIFY(!fs::exists(rally.file(RallyFolder::Working, "ScrappedControls Day1.csv")));
        QCOMPARE(readText(rally.rFile(1, 1)), r1);
        QVERIFY(screen.statusLine()->text().isEmpty());
        QVERIFY(!screen.restoreButton()->isEnabled());
        QVERIFY(rally.messages.texts.empty());
    }

    void afterAScrapTheDayPrintsAtOnce() {
        Rally rally(1);
        rally.scoreDownloads();
        frmScore2 screen(rally.state);
        screen.show();
        selectDay(screen);
        // The day printed once before the scrap: its workbook exists.
        click(screen.combinedButton());
        click(screen.dayPositionButton());
        QVERIFY(fs::exists(rally.file(RallyFolder::Results, "DayScore1.xlsx")));

        chooseControl(screen, 4);
        QVERIFY(!screen.combinedButton()->isEnabled());
        click(screen.scrapNowButton());
        QCOMPARE(
            rally.messages.questions.back(),
            std::string(
                "Scrap a control: Scrap control 4 of day 1 for every competitor? It sets 2 scores to 0."));
        QCOMPARE(screen.statusLine()->text(),
                 QStringLiteral(
                     "Saved ScrappedControls Day1.csv, DayScore_1.csv, EntryList.csv. Control 4 of day 1 "
                     "scrapped: 2 scores set to 0"));
        // Printing is open again at once; the day positions wait for the combined results, even
        // though the workbook printed before the scrap is there.
        QVERIFY(screen.combinedButton()->isEnabled());
        QVERIFY(!screen.dayPositionButton()->isEnabled());
        QTest::qWait(700); // the periodic check finds the old workbook
        QVERIFY(!screen.dayPositionButton()->isEnabled());
        click(screen.closePanelButton());
        QVERIFY(screen.combinedButton()->isEnabled());
        QVERIFY(!screen.dayPositionButton()->isEnabled());

        click(screen.combinedButton());
        QCOMPARE(screen.statusLine()->text(), QStringLiteral("Saved DayScore1.xlsx"));
        QVERIFY(screen.statusLine()->toolTip().endsWith(QStringLiteral("DayScore1.xlsx")));
        click(screen.dayPositionButton());
        QCOMPARE(screen.statusLine()->text(),
                 QStringLiteral("Saved Position_Day_1.xlsx, DayPosition_1_SGA.csv"));
        QVERIFY(rally.messages.texts.empty());

        // Both printouts carry the scrap: 45 of competitor 1 at control 4 is gone from its total.
        QCOMPARE(readText(rally.file(RallyFolder::Results, "DayPosition_1_SGA.csv")),
                 std::string("\"Crew 1\",\"1\",\"1464\"\r\n\"Crew 3\",\"3\",\"1474\"\r\n"));
        const test::WorkbookDump book =
            test::dumpWorkbook(rally.file(RallyFolder::Results, "DayScore1.xlsx"));
        QVERIFY2(book.error.empty(), book.error.c_str());
        // Row 3 is competitor 1, row 4 competitor 3; D the total, E.. the controls (H control 4).
        const std::pair<const char*, const char*> cells[] = {
            {"Day Score!D3", "n:1464.0"}, {"Day Score!G3", "n:7.0"}, {"Day Score!H3", "n:0.0"},
            {"Day Score!D4", "n:1474.0"}, {"Day Score!H4", "n:0.0"}, {"Day Score!I4", "n:-250.0"}};
        for (const auto& [cell, value] : cells)
            QCOMPARE(QString::fromStdString(book[cell]), QString(value));
    }

    void restoringAControlScoresTheDayAgain() {
        Rally rally(1);
        rally.scoreDownloads();
        const std::string r1 = readText(rally.rFile(1, 1));
        const std::string r3 = readText(rally.rFile(1, 3));
        frmScore2 screen(rally.state);
        screen.show();
        selectDay(screen);
        QVERIFY(!screen.restoreButton()->isEnabled());
        chooseControl(screen, 3);
        click(screen.scrapNowButton());
        QCOMPARE(screen.scoring().dayScore().lines.at(0).total, 1502.0);
        QVERIFY(screen.restoreButton()->isEnabled());

        // The restore panel replaces the scrap panel and offers the scrapped controls only.
        click(screen.restoreButton());
        QVERIFY(!screen.scrapPanel()->isVisibleTo(&screen));
        QVERIFY(screen.restorePanel()->isVisibleTo(&screen));
        QCOMPARE(screen.restoreChoice()->count(), 1);
        QCOMPARE(screen.restoreChoice()->currentText(), QStringLiteral("Control 3"));
        rally.messages.setAnswer(false);
        click(screen.restoreNowButton());
        QCOMPARE(rally.messages.questions.back(),
                 std::string(
                     "Restore a control: Restore control 3 of day 1? Every download of the day kept in "
                     "CompetitorsLog\\Bak is imported and scored again, replacing the competitors' R files, "
                     "so that the control counts again. Do you wish to proceed?"));
        QVERIFY(readText(rally.rFile(1, 1)) != r1);

        // The progress bar shows the re-scoring while it runs.
        int shownSteps = 0, lastMaximum = 0;
        connect(screen.progressBar(), &QProgressBar::valueChanged, this, [&] {
            if (screen.progressBar()->isVisible()) ++shownSteps;
            lastMaximum = screen.progressBar()->maximum();
        });
        QVERIFY(!fs::exists(provisionalSheetFile(rally.state, 1, 1)));
        rally.messages.setAnswer(true);
        click(screen.restoreNowButton());
        QVERIFY(shownSteps >= 4);
        QCOMPARE(lastMaximum, 4);
        QVERIFY(!screen.progressBar()->isVisible());
        QCOMPARE(readText(rally.rFile(1, 1)), r1);
        QCOMPARE(readText(rally.rFile(1, 3)), r3);
        QCOMPARE(screen.scoring().dayScore().lines.at(0).total, 1509.0);
        QCOMPARE(screen.statusLine()->text(),
                 QStringLiteral(
                     "Saved ScrappedControls Day1.csv, DayScore_1.csv, EntryList.csv. Control 3 of day 1 "
                     "restored: 2 competitors scored again"));
        // Each competitor scored again has its provisional sheet, as "Score all" gives.
        for (int n : {1, 3})
            QVERIFY(fs::exists(provisionalSheetFile(rally.state, 1, n)));
        QVERIFY(!screen.restorePanel()->isVisibleTo(&screen));
        QVERIFY(!screen.restoreButton()->isEnabled()); // nothing scrapped any more
        QVERIFY(screen.combinedButton()->isEnabled());
        QVERIFY(rally.messages.texts.empty());
    }

    void juryCorrectionsRebuildTheDayAtOnce() {
        Rally rally(1);
        rally.scoreDownloads();
        const std::string r1 = readText(rally.rFile(1, 1));
        frmScore2 screen(rally.state);
        screen.resize(1200, 800);
        screen.show();
        QVERIFY(!screen.correctionsPanel()->isVisibleTo(&screen));
        selectDay(screen);
        QVERIFY(screen.correctionsPanel()->isVisibleTo(&screen));
        QCOMPARE(screen.correctionsList()->count(), 0);
        QVERIFY(!screen.removeCorrectionButton()->isEnabled());

        const auto enter = [&](int compNo, int kind, double value, const QString& reason) {
            screen.correctionCompetitor()->setValue(compNo);
            screen.correctionKind()->setCurrentIndex(kind);
            screen.correctionValue()->setValue(value);
            screen.correctionReason()->setText(reason);
            click(screen.addCorrectionButton());
        };
        enter(1, 1, 60, QStringLiteral("Late at the start, \"5 min\""));
        QCOMPARE(screen.scoring().dayScore().lines.at(0).total, 1569.0);
        QCOMPARE(
            screen.statusLine()->text(),
            QStringLiteral("Saved Corrections Day1.csv, DayScore_1.csv, EntryList.csv. Competitor 1: day "
                           "total 1509 -> 1569 (+60)"));
        QVERIFY(screen.correctionReason()->text().isEmpty());
        QVERIFY(!screen.correctionControl()->isEnabled());
        enter(3, 2, 0, QStringLiteral("Missed the start"));
        QCOMPARE(screen.scoring().matrix().state(3), CellState::NonFinisher);
        // No reason: refused, and said so.
        enter(1, 0, 0, QString());
        QCOMPARE(rally.messages.texts.back(), std::string("A correction needs a reason"));
        QCOMPARE(screen.correctionsList()->count(), 2);
        QCOMPARE(screen.correctionsList()->item(0)->text(),
                 QStringLiteral("No. 1, competitor 1, penalty of 60 s: Late at the start, \"5 min\""));
        test::saveScreenshot(&screen, QStringLiteral("score2-corrections.png"));

        // Removing asks first; No keeps it.
        screen.correctionsList()->setCurrentRow(0);
        QVERIFY(screen.removeCorrectionButton()->isEnabled());
        rally.messages.setAnswer(false);
        click(screen.removeCorrectionButton());
        QCOMPARE(
            rally.messages.questions.back(),
            std::string("Remove a correction: Remove this correction of day 1?\nNo. 1, competitor 1, "
                        "penalty of 60 s: Late at the start, \"5 min\"\nThe day is built again without it."));
        QCOMPARE(screen.correctionsList()->count(), 2);
        rally.messages.setAnswer(true);
        click(screen.removeCorrectionButton());
        QCOMPARE(screen.correctionsList()->count(), 1);
        QCOMPARE(screen.scoring().dayScore().lines.at(0).total, 1509.0);
        QCOMPARE(readText(rally.rFile(1, 1)), r1);
    }

    void cellsNameTheCrewAndItsTotal() {
        Rally rally(1);
        rally.scoreDownloads();
        QVERIFY(loadEntryList(rally.state)); // as the home screen has before it offers scoring
        frmScore2 screen(rally.state);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        DayMatrixView* matrix = screen.matrixView();
        QCOMPARE(matrix->toolTipAt(matrix->cellCentre(2)), QStringLiteral("No. 2: Crew 2"));
        selectDay(screen);
        QCOMPARE(matrix->toolTipAt(matrix->cellCentre(1)), QStringLiteral("No. 1: Crew 1\nDay 1 total 1509"));
        QCOMPARE(matrix->toolTipAt(matrix->cellCentre(2)), QStringLiteral("No. 2: Crew 2\nDay 1: no result"));
        // The tooltip event the mouse raises shows it.
        const QPoint at = matrix->cellCentre(3);
        QHelpEvent help(QEvent::ToolTip, at, matrix->mapToGlobal(at));
        QCoreApplication::sendEvent(matrix, &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("No. 3: Crew 3\nDay 1 total 1519"));
    }

    void finalResultsSayWhatTheyWrote() {
        Rally rally(2);
        writeText(rally.rFile(1, 3), "4\r\n");
        writeText(rally.rFile(2, 3), "6\r\n");
        frmScore2 screen(rally.state);
        screen.show();
        for (int i = 0; i < 3; ++i)
            selectDay(screen);
        QCOMPARE(screen.dayTitle()->text(), QStringLiteral("Final"));
        click(screen.finalButton());
        QCOMPARE(screen.statusLine()->text(), QStringLiteral("Saved FinalScore.xlsx, FinalScore_SGA.csv"));
        QVERIFY(screen.statusLine()->toolTip().contains(
            QString::fromStdString(rally.file(RallyFolder::Results, "FinalScore_SGA.csv").string())));
        QVERIFY(rally.messages.texts.empty());
    }

    void theActionButtonsStayInViewOnALaptop() {
        Rally rally(1);
        rally.scoreDownloads();
        frmScore2 screen(rally.state);
        screen.setFixedSize(1093, 590);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        selectDay(screen);
        chooseControl(screen, 2);
        const auto checkInside = [&](const QString& when) {
            for (QPushButton* b :
                 {screen.selectDayButton(), screen.combinedButton(), screen.dayPositionButton(),
                  screen.finalButton(), screen.scrapNowButton(), screen.closePanelButton()}) {
                if (!b->isVisible()) continue;
                const QRect area(b->mapTo(&screen, QPoint(0, 0)), b->size());
                QVERIFY2(screen.rect().contains(area), qPrintable(b->text() + " outside the window " + when));
            }
            for (QPushButton* b : {screen.combinedButton(), screen.dayPositionButton(), screen.finalButton()})
                QVERIFY2(b->isVisible(), qPrintable(b->text() + " hidden " + when));
        };
        checkInside(QStringLiteral("with the scrap panel"));
        test::saveScreenshot(&screen, QStringLiteral("score2-small.png"));
        click(screen.scrapNowButton());
        click(screen.restoreButton());
        checkInside(QStringLiteral("with the restore panel"));
        QVERIFY(screen.restoreNowButton()->isVisible());
        test::saveScreenshot(&screen, QStringLiteral("score2-small-restore.png"));
    }
};

QTEST_MAIN(Score2ScreenTest)
#include "score2_guitest.moc"
