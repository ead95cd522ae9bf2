// The individual scoring screen: what each action says it wrote, the table that ends "Score all",
// the track map over the screen with its choice of competitor, and the screen on a small desktop.
// With TRAKMORA_SCREENSHOTS set to a folder, the screen, its table and the map are saved there.
#include "gui/ScreenPlacement.h"
#include "gui/StatusLine.h"
#include "gui/tracking/frmScore1.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include "gui/ScreenCheck.h"
#include "support/RallyFixture.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QtTest>

#include <filesystem>
#include <fstream>

using namespace trakmora;
namespace fs = std::filesystem;

namespace {

const fs::path kCase = fs::path(TRAKMORA_TEST_DATA) / "tracking_e2e";
// The expected R files of competitors 1 and 2 both hold -12, 0, 7, 45, -250, 592, 600, -3.
const QString kExpectedTotal = QString::number(12 + 0 + 7 + 45 + 250 + 592 + 600 + 3);

struct Rally : test::TestRally {
    explicit Rally(int days = 1) : TestRally("Spring Run", "Spring", days) {
        copyIn(kCase / "Marshals/cp1.csv", RallyFolder::Marshals);
    }
    void addDownloads(std::initializer_list<const char*> names) const {
        for (const char* name : names)
            copyIn(kCase / "CompetitorsLog" / name, RallyFolder::CompetitorsLog);
    }
};

void clickItem(QListWidget* list, const QString& text) {
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.first()).center());
}

void closeTable(frmScore1& screen) {
    QVERIFY(screen.competitorTable());
    QTest::mouseClick(screen.competitorTable()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
    QTRY_VERIFY(!screen.competitorTable());
}

// The rectangle of `w` in the coordinates of its window.
QRect inWindow(const QWidget* w) {
    return {w->mapTo(w->window(), QPoint(0, 0)), w->size()};
}

} // namespace

class Score1Test : public QObject {
    Q_OBJECT
private slots:
    void everyStepSaysWhatItWrote() {
        Rally rally;
        rally.addDownloads({"h1001.csv"});
        frmScore1 screen(rally.state);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QTest::mouseClick(screen.modeLabel(), Qt::LeftButton); // man: one step per button

        clickItem(screen.downloadList(), "h1001.csv");
        QTest::mouseClick(screen.importButton(), Qt::LeftButton);
        QVERIFY2(screen.statusLine()->text().startsWith(QStringLiteral("Saved CL1001.csv. ")),
                 qPrintable(screen.statusLine()->text()));
        QVERIFY(
            screen.statusLine()->text().endsWith(QStringLiteral("h1001.csv moved to CompetitorsLog\\Bak")));

        clickItem(screen.clFileList(), "CL1001.csv");
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);
        const char* const expected[] = {"Saved 1Shortlist_1_1.csv",
                                        "Saved 2Shortlist_1_1.csv, 3Shortlist_1_1.csv", "Saved Report1_1.csv",
                                        "Saved DayScore1_1.xlsx, R1001.csv. Competitor 1, day 1: "};
        for (int i = 0; i < 4; ++i) {
            QTest::mouseClick(screen.stepButton(i), Qt::LeftButton);
            QCOMPARE(screen.statusLine()->text(),
                     QString::fromUtf8(expected[i]) + (i == 3 ? kExpectedTotal : ""));
        }
        // The tooltip names the files in full; the working files of the steps are gone by now.
        QVERIFY(screen.statusLine()->toolTip().contains(
            QString::fromStdString(rally.file(RallyFolder::Results, "R1001.csv").string())));
        QVERIFY(rally.messages.texts.empty());
    }

    void autoModeSaysWhatTheProvisionalResultSaved() {
        Rally rally;
        rally.state.writeWorkbooks = false; // no sheet: only the R file is named
        rally.copyIn(kCase / "expected/CL1001.csv", RallyFolder::CompetitorsLog);
        frmScore1 screen(rally.state);
        clickItem(screen.clFileList(), "CL1001.csv");
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);
        QCOMPARE(screen.statusLine()->text(), "Saved R1001.csv. Competitor 1, day 1: " + kExpectedTotal);
    }

    void scoreAllEndsWithATableOfItsCompetitors() {
        Rally rally;
        rally.addDownloads({"h1001.csv", "c1002.csv"});
        std::ofstream(rally.file(RallyFolder::CompetitorsLog, "h1009.csv"), std::ios::binary)
            << "not a download\r\n";
        frmScore1 screen(rally.state);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        screen.setFixedSize(800, 420);
        // During the run the progress bar shows, wholly inside the screen.
        bool progressInView = false;
        QTimer::singleShot(0, &screen, [&] {
            progressInView =
                screen.progressBar()->isVisible() && screen.rect().contains(inWindow(screen.progressBar()));
        });
        QTest::mouseClick(screen.scoreAllButton(), Qt::LeftButton);
        QVERIFY(progressInView);
        QVERIFY(!screen.progressBar()->isVisible());
        QVERIFY(rally.messages.texts.empty());

        frmCompetitorTable* dialog = screen.competitorTable();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->parentWidget(), &screen);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Competitors scored, day 1"));
        QCOMPARE(
            dialog->summaryLabel()->text(),
            QStringLiteral("Downloads imported: 2. Competitors scored: 2. Messages: 1, in the last column."));
        QTableWidget* table = dialog->table();
        QCOMPARE(table->columnCount(), 5);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Controls scored"));
        const QStringList rows[] = {{"1", "8 of 8", kExpectedTotal, "CL1001.csv", ""},
                                    {"2", "8 of 8", kExpectedTotal, "CL1002.csv", ""},
                                    {"9", "", "", "h1009.csv", "*"}};
        QCOMPARE(table->rowCount(), 3);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 5; ++c) {
                const QString want = rows[r][c];
                const QString got = table->item(r, c)->text();
                if (want == "*")
                    QVERIFY2(!got.isEmpty(), "the failed download says why");
                else
                    QCOMPARE(got, want);
            }
        QVERIFY(screen.statusLine()->text().isEmpty()); // the table says it while it is open
        test::saveScreenshot(dialog, QStringLiteral("score1-table.png"));
        closeTable(screen);
        QCOMPARE(
            screen.statusLine()->text(),
            QStringLiteral(
                "Day 1: 2 competitors scored, their R files and provisional result sheets saved in Results"));
    }

    void trackMapOffersEveryKeptCompetitorAfterScoreAll() {
        Rally rally(2);
        rally.state.keepExplainFiles = true;
        rally.copyIn(kCase / "Marshals/cp1.csv", RallyFolder::Marshals, "cp2.csv");
        rally.addDownloads({"h1001.csv", "c1002.csv"});
        frmScore1 screen(rally.state); // opens on day 2
        placeOver(&screen, nullptr);   // in the middle of the desktop, as the home window opens it
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QVERIFY(!screen.trackMapButton()->isEnabled());
        QTest::mouseClick(screen.dayButton(), Qt::LeftButton);
        QVERIFY(!screen.trackMapButton()->isEnabled()); // nothing of day 1 kept yet
        QTest::mouseClick(screen.scoreAllButton(), Qt::LeftButton);
        closeTable(screen);
        QVERIFY(screen.trackMapButton()->isEnabled());

        QTest::mouseClick(screen.trackMapButton(), Qt::LeftButton);
        frmTrackMap* map = screen.trackMap();
        QVERIFY(map && map->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(map));
        QCOMPARE(map->windowTitle(), QStringLiteral("Track map: competitor 1, day 1"));
        QCOMPARE(map->competitorBox()->count(), 2);
        QCOMPARE(map->competitorBox()->itemText(1), QStringLiteral("2"));
        QVERIFY(map->captionLabel()->text().contains(QStringLiteral("COMPETITOR 1")));
        // Over the scoring screen, not in a corner of the desktop.
        QVERIFY2((map->geometry().center() - screen.geometry().center()).manhattanLength() < 40,
                 qPrintable(QStringLiteral("map at %1,%2").arg(map->x()).arg(map->y())));
        QVERIFY(map->screen()->availableGeometry().contains(map->geometry()));
        // The choice sits above the map, which ends above the caption.
        QVERIFY(map->mapRect().top() > inWindow(map->competitorBox()).bottom());
        QVERIFY(map->mapRect().bottom() < map->captionLabel()->geometry().top());

        map->competitorBox()->setCurrentIndex(1);
        emit map->competitorBox()->activated(1);
        QCOMPARE(map->competitor(), 2);
        QCOMPARE(map->windowTitle(), QStringLiteral("Track map: competitor 2, day 1"));
        QVERIFY(map->captionLabel()->text().contains(QStringLiteral("COMPETITOR 2")));
        QTest::mouseClick(map->nextButton(), Qt::LeftButton);
        QVERIFY(map->captionLabel()->text().contains(QStringLiteral("CONTROL 2")));
        test::saveScreenshot(map, QStringLiteral("trackmap.png"));

        // Another day without kept files: no map to offer, and the open map follows the day.
        QTest::mouseClick(screen.dayButton(), Qt::LeftButton);
        QVERIFY(!screen.trackMapButton()->isEnabled());
        QCOMPARE(map->windowTitle(), QStringLiteral("Track map: day 2"));
        QCOMPARE(map->currentIndex(), -1);
        QCOMPARE(map->competitorBox()->isVisibleTo(map), false);
        QVERIFY(rally.messages.texts.empty());
    }

    void theCompetitorJustScoredIsShownFirst() {
        Rally rally;
        rally.state.keepExplainFiles = true;
        rally.addDownloads({"h1001.csv", "c1002.csv"});
        frmScore1 screen(rally.state);
        QTest::mouseClick(screen.scoreAllButton(), Qt::LeftButton);
        closeTable(screen);
        // Competitor 2 scored again on its own: the map opens on it.
        rally.copyIn(kCase / "expected/CL1001.csv", RallyFolder::CompetitorsLog, "CL1002.csv");
        screen.show();
        QTest::mouseClick(screen.dayButton(), Qt::LeftButton); // refreshes the lists
        clickItem(screen.clFileList(), "CL1002.csv");
        QTest::mouseClick(screen.loadButton(), Qt::LeftButton);
        QTest::mouseClick(screen.trackMapButton(), Qt::LeftButton);
        QCOMPARE(screen.trackMap()->competitor(), 2);
        QCOMPARE(screen.trackMap()->competitorBox()->currentText(), QStringLiteral("2"));
    }

    // An organiser's laptop: 1366 x 768 at 125 % leaves about 1093 x 590 for a window's inside.
    void fitsASmallDesktop() {
        Rally rally;
        frmScore1 screen(rally.state);
        QVERIFY(screen.width() <= 1093 && screen.height() <= 590);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QCOMPARE(test::clippedWidgets(&screen), QStringList());
        // Smaller still, the body scrolls and the status line stays in view below it.
        screen.setFixedSize(700, 360);
        QTRY_COMPARE(screen.size(), QSize(700, 360));
        QVERIFY(screen.findChild<QScrollArea*>());
        screen.statusLine()->showFor(QStringLiteral("Saved R1001.csv"));
        QVERIFY(screen.rect().contains(inWindow(screen.statusLine())));
        QVERIFY(screen.statusLine()->isVisible());
        test::saveScreenshot(&screen, QStringLiteral("score1-small.png"));
    }
};

QTEST_MAIN(Score1Test)
#include "score1_guitest.moc"
