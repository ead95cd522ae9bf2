#include "gui/entries/frmEntries.h"
#include "gui/frmHome.h"
#include "support/RallyFixture.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace trakmora;

namespace {

// A rally "Spring Run" opened on the home screen; `prepare` adjusts its settings before the
// Entries screen opens.
struct Fixture {
    test::TestRally rally{"Spring Run", "Spring"};
    RecordingMessages& messages = rally.messages;
    std::unique_ptr<frmHome> home;
    frmEntries* screen = nullptr;

    template <typename Prepare> explicit Fixture(Prepare prepare) {
        home = std::make_unique<frmHome>(root(), &messages);
        home->startUp();
        home->openRally("Spring");
        prepare(home->state().config);
        home->menuEntry("Entries")->trigger();
        screen = home->findChild<frmEntries*>();
    }
    Fixture() : Fixture([](RallyConfig&) {}) {}

    std::filesystem::path root() const { return rally.root.path(); }
    RallyConfig saved() const {
        RallyConfig c;
        readConfigFile(root() / "Spring/Working/config3.csv", c);
        return c;
    }
    void writeEntries(const std::string& records) const { rally.writeEntryList(records); }
    void click(QPushButton* b, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(b, Qt::LeftButton);
    }
    // "From-To" of a row, or "hidden".
    QString row(int group) const {
        if (!screen->toCell(group)->isVisible()) return QStringLiteral("hidden");
        return screen->fromCell(group)->text() + "-" + screen->toCell(group)->text();
    }
    bool scoringEnabled() const { return home->menuEntry("Scoring")->isEnabled(); }
};

// The background of a cell as drawn.
QColor background(QLabel* cell) {
    return cell->grab().toImage().pixelColor(3, cell->height() / 2);
}

bool marked(QLabel* cell) {
    return background(cell) == QColor(Qt::blue);
}

std::string entryLine(int no, const std::string& scoreGroup) {
    return std::to_string(no) + ",\"Crew " + std::to_string(no) + "\",1936,\"Riley\",\"Kestrel\",\"B\",\"" +
           scoreGroup + "\",0,0,0,0,0\r\n";
}

} // namespace

class EntriesScreenTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsShowFourRangesWithAMarked() {
        Fixture f;
        QVERIFY(f.screen && f.screen->isVisible());
        QCOMPARE(f.screen->windowTitle(), QStringLiteral("Entries"));
        QCOMPARE(f.row(1), QStringLiteral("1-15"));
        QCOMPARE(f.row(2), QStringLiteral("16-30"));
        QCOMPARE(f.row(3), QStringLiteral("31-45"));
        QCOMPARE(f.row(4), QStringLiteral("46-60"));
        QCOMPARE(f.screen->groupCaption(4)->text(), QStringLiteral("Speed Group D "));
        QVERIFY(marked(f.screen->toCell(1)));
        QVERIFY(!marked(f.screen->toCell(2)) && !marked(f.screen->fromCell(1)));
        QCOMPARE(background(f.screen->toCell(2)), QColor(Qt::white));
        QCOMPARE(f.screen->countLabel()->text(), QStringLiteral("No of Entries loaded"));
        QVERIFY(f.messages.texts.empty());
    }

    void startUpRepairsAndSavesTheAllocation() {
        Fixture f([](RallyConfig& c) {
            c.noOfSpeedGroups = 2;
            c.lastEntry = {0, 20, 40, 45, 60};
        });
        QCOMPARE(f.row(1), QStringLiteral("1-20"));
        QCOMPARE(f.row(2), QStringLiteral("21-40"));
        QCOMPARE(f.row(3), QStringLiteral("hidden"));
        QCOMPARE(f.row(4), QStringLiteral("hidden"));
        QVERIFY(!f.screen->groupCaption(3)->isVisible());
        QCOMPARE(f.saved().lastEntry[3], 40.0);
        QCOMPARE(f.saved().lastEntry[4], 40.0);
    }

    void increasePushesTheNextGroupAndDecreaseStops() {
        Fixture f;
        f.click(f.screen->increaseButton(), 15);
        QCOMPARE(f.row(1), QStringLiteral("1-30"));
        QCOMPARE(f.row(2), QStringLiteral("31-31"));
        QCOMPARE(f.row(3), QStringLiteral("32-45"));
        QCOMPARE(f.saved().lastEntry[2], 31.0);
        f.click(f.screen->decreaseButton(), 40);
        QCOMPARE(f.row(1), QStringLiteral("1-1"));
        QCOMPARE(f.saved().lastEntry[1], 1.0);

        f.click(f.screen->selectButton()); // B, 31 above A at 1
        f.click(f.screen->decreaseButton(), 40);
        QCOMPARE(f.row(2), QStringLiteral("2-2"));
        f.click(f.screen->selectButton(), 2); // D
        f.click(f.screen->increaseButton(), 300);
        QCOMPARE(f.row(4), QStringLiteral("46-300"));
        QCOMPARE(f.saved().lastEntry[4], 300.0);
        QVERIFY(f.messages.texts.empty());
    }

    void selectCyclesTheGroupsInUseAndTheMarkFollows() {
        Fixture f([](RallyConfig& c) { c.noOfSpeedGroups = 3; });
        QCOMPARE(f.row(4), QStringLiteral("hidden"));
        const int expected[] = {2, 3, 1, 2};
        for (int group : expected) {
            f.click(f.screen->selectButton());
            QCOMPARE(f.screen->selectedGroup(), group);
            for (int g = 1; g <= 3; ++g)
                QCOMPARE(marked(f.screen->toCell(g)), g == group);
        }
    }

    void oneGroupMarksNothing() {
        Fixture f([](RallyConfig& c) { c.noOfSpeedGroups = 1; });
        QCOMPARE(f.row(2), QStringLiteral("hidden"));
        QVERIFY(!marked(f.screen->toCell(1)));
        f.click(f.screen->selectButton());
        QCOMPARE(f.screen->selectedGroup(), 1);
        f.click(f.screen->increaseButton());
        QCOMPARE(f.saved().lastEntry[4], 16.0);
    }

    void loadingShowsTheLastEntryAndEnablesScoring() {
        Fixture f;
        std::string records;
        for (int i = 1; i <= 57; ++i)
            records += entryLine(i, i % 2 ? "A" : "B");
        f.writeEntries(records);
        QVERIFY(!f.scoringEnabled());
        f.click(f.screen->loadButton());
        QCOMPARE(f.screen->countLabel()->text(), QStringLiteral("57  Entries Loaded"));
        QCOMPARE(f.screen->entryCell(0)->text(), QStringLiteral("57"));
        QCOMPARE(f.screen->entryCell(1)->text(), QStringLiteral("Crew 57"));
        QCOMPARE(f.screen->entryCell(2)->text(), QStringLiteral("1936"));
        QCOMPARE(f.screen->entryCell(4)->text(), QStringLiteral("Kestrel"));
        QCOMPARE(f.screen->entryCell(5)->text(), QStringLiteral("B"));
        QCOMPARE(f.screen->entryCell(6)->text(), QStringLiteral("A"));
        QVERIFY(f.scoringEnabled());
        f.click(f.screen->nextButton());
        QCOMPARE(f.screen->entryCell(0)->text(), QStringLiteral("57"));
        f.click(f.screen->previousButton(), 60);
        QCOMPARE(f.screen->entryCell(1)->text(), QStringLiteral("Crew 1"));
        QVERIFY(f.messages.texts.empty());
    }

    void wrongScoreGroupIsRejected() {
        Fixture f;
        f.writeEntries(entryLine(1, "A") + entryLine(2, "b"));
        f.click(f.screen->loadButton());
        QCOMPARE(f.messages.texts, std::vector<std::string>{"You have an incorrect Score Group assignment"});
        QVERIFY(!f.scoringEnabled());
        QCOMPARE(f.screen->countLabel()->text(), QStringLiteral("No of Entries loaded"));
        QCOMPARE(f.screen->entryCell(0)->text(), QString());

        f.writeEntries(entryLine(1, "A") + entryLine(2, "E"));
        f.click(f.screen->loadButton());
        QCOMPARE(f.messages.texts.size(), std::size_t(2));
        QVERIFY(!f.scoringEnabled());
    }

    void missingListIsReported() {
        Fixture f;
        f.click(f.screen->loadButton());
        QCOMPARE(f.messages.texts, std::vector<std::string>{"No data to load"});
        f.click(f.screen->previousButton());
        f.click(f.screen->nextButton());
        QCOMPARE(f.screen->countLabel()->text(), QStringLiteral("No of Entries loaded"));
    }
};

QTEST_MAIN(EntriesScreenTest)
#include "entries_guitest.moc"
