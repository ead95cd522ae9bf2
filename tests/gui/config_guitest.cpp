#include "common/Format.h"
#include "gui/QtText.h"
#include "gui/ScreenCheck.h"
#include "gui/ScreenPlacement.h"
#include "gui/entries/frmEntries.h"
#include "gui/frmHome.h"
#include "gui/workspace/frmConfig.h"
#include "support/RallyFixture.h"
#include "workspace/ConfigFields.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

#include <fstream>

using namespace trakmora;

namespace {

// A rally "Spring Run" opened on the home screen with its Configuration screen shown.
struct Fixture {
    test::TestRally rally{"Spring Run", "Spring"};
    RecordingMessages& messages = rally.messages;
    std::unique_ptr<frmHome> home;
    frmConfig* screen = nullptr;

    Fixture() {
        home = std::make_unique<frmHome>(root(), &messages);
        home->startUp();
        home->openRally("Spring");
        home->menuEntry("Config")->trigger();
        screen = home->findChild<frmConfig*>();
    }
    std::filesystem::path root() const { return rally.root.path(); }
    RallyConfig& config() { return home->state().config; }
    RallyConfig saved() const {
        RallyConfig c;
        c.rallyName = "unread";
        readConfigFile(root() / "Spring/Working/config3.csv", c);
        return c;
    }
    void click(QPushButton* b, int times = 1) {
        for (int i = 0; i < times; ++i) {
            QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(b->text()));
            QTest::mouseClick(b, Qt::LeftButton);
        }
    }
    // Walks with "Previous" / "Next" to `field`, accepting text fields with "Enter" on the way.
    void goTo(int field) {
        while (screen->editor().field() != field) {
            QPushButton* move =
                screen->editor().field() < field ? screen->nextButton() : screen->previousButton();
            if (!move->isEnabled()) click(screen->enterButton());
            click(move);
        }
    }
    QString summary(const char* caption) const { return screen->summaryValue(caption)->text(); }
};

QString shortDate(int year, int month, int day) {
    return QLocale::system().toString(QDate(year, month, day), QLocale::ShortFormat);
}

} // namespace

class ConfigScreenTest : public QObject {
    Q_OBJECT
private slots:
    void damagedSettingsStayOnDiskUntilAChangeIsSaved() {
        test::TestRally rally("Spring Run", "Spring");
        const std::filesystem::path root = rally.root.path();
        RecordingMessages& messages = rally.messages;
        const auto file = root / "Spring/Working/config3.csv";
        const std::string damaged = "\"Spring Run\",\"1\",26/06/2015\r\n";
        std::ofstream(file, std::ios::binary) << damaged;
        frmHome home(root, &messages);
        home.startUp();
        home.openRally("Spring");
        QCOMPARE(messages.texts.size(), std::size_t{1});
        // Only the configuration screen until the settings are saved.
        QVERIFY(home.menuEntry("Config")->isEnabled());
        QVERIFY(!home.menuEntry("Route Schedule")->isEnabled());
        QVERIFY(!home.menuEntry("Entries")->isEnabled());
        home.menuEntry("Config")->trigger();
        auto* screen = home.findChild<frmConfig*>();
        QVERIFY(screen);
        const auto fileText = [&] {
            std::ifstream in(file, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        QCOMPARE(fileText(), damaged);                            // opening the screen saves nothing
        QTest::mouseClick(screen->enterButton(), Qt::LeftButton); // the rally name, accepted on purpose
        QVERIFY(fileText() != damaged);
        QVERIFY(home.menuEntry("Route Schedule")->isEnabled());
        QVERIFY(home.menuEntry("Entries")->isEnabled());
    }

    void startsOnTheRallyNameAndEnterUnlocksNext() {
        Fixture f;
        QVERIFY(f.screen && f.screen->isVisible());
        QCOMPARE(f.screen->windowTitle(), QStringLiteral("Configuration"));
        QCOMPARE(f.screen->titleLabel()->text(), QStringLiteral("Rally Name"));
        QCOMPARE(f.screen->textBox()->text(), QStringLiteral("Spring Run"));
        QVERIFY(f.screen->enterButton()->isVisible());
        QVERIFY(!f.screen->minusButton()->isVisible() && !f.screen->plusButton()->isVisible());
        QVERIFY(!f.screen->dateButton(DatePart::Day, +1)->isVisible());
        QVERIFY(!f.screen->previousButton()->isEnabled() && !f.screen->nextButton()->isEnabled());
        QCOMPARE(f.summary("Rally Name"), QStringLiteral("Spring Run"));
        QCOMPARE(f.summary("Group D Speed"), QStringLiteral("90 k/h"));
        QCOMPARE(f.summary("Day 4 Start Time"), QStringLiteral("Not applicable"));

        f.screen->textBox()->clear();
        f.click(f.screen->enterButton());
        QCOMPARE(f.screen->textBox()->text(), QStringLiteral("No Name"));
        QCOMPARE(f.saved().rallyName, std::string("No Name"));
        QCOMPARE(f.summary("Rally Name"), QStringLiteral("No Name"));
        QVERIFY(f.screen->nextButton()->isEnabled());
        QVERIFY(!f.screen->previousButton()->isEnabled());

        f.click(f.screen->nextButton());
        QCOMPARE(f.screen->titleLabel()->text(), QStringLiteral("TERVAN Permit No"));
        QCOMPARE(f.screen->textBox()->text(), QStringLiteral("123456"));
        QVERIFY(!f.screen->nextButton()->isEnabled());
        QTRY_COMPARE(f.screen->fieldNumberLabel()->text(), QStringLiteral("2"));
        f.screen->textBox()->clear();
        f.click(f.screen->enterButton());
        QCOMPARE(f.saved().permitNo, std::string("No Number"));
        QVERIFY(f.screen->previousButton()->isEnabled() && f.screen->nextButton()->isEnabled());
        QVERIFY(f.messages.texts.empty());
    }

    void startTimesStopAtMidnightAndZero() {
        Fixture f;
        f.goTo(5);
        QCOMPARE(f.screen->titleLabel()->text(), QStringLiteral("Day 1 Start Time"));
        QVERIFY(f.screen->plusButton()->isVisible());
        f.config().dayStartTime[1] = 86100;
        f.screen->refresh();
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral("23:55:00"));
        f.click(f.screen->plusButton());
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral("00:00:00"));
        QCOMPARE(f.summary("Day 1 Start Time"), QStringLiteral("00:00:00"));
        f.click(f.screen->plusButton());
        QCOMPARE(f.saved().dayStartTime[1], 86400.0);
        f.config().dayStartTime[1] = 120;
        f.click(f.screen->minusButton());
        QCOMPARE(f.saved().dayStartTime[1], 0.0);
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral("00:00:00"));
        f.goTo(8); // day 4 of 3
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral("Not applicable"));
    }

    void lastEntriesStopAt0And300AndFollowTheGroupCount() {
        Fixture f;
        f.goTo(23);
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral("Competitor No 60"));
        f.config().lastEntry[4] = 299;
        f.click(f.screen->plusButton(), 3);
        QCOMPARE(f.saved().lastEntry[4], 300.0);
        QCOMPARE(f.summary("Last D Speed Group Entry"), QStringLiteral("Competitor No 300"));
        f.goTo(20);
        f.config().lastEntry[1] = 1;
        f.click(f.screen->minusButton(), 2);
        QCOMPARE(f.saved().lastEntry[1], 0.0);

        f.goTo(10);
        f.click(f.screen->minusButton(), 2); // two speed groups
        QCOMPARE(f.summary("Group C Speed"), QStringLiteral("Not applicable"));
        QCOMPARE(f.summary("Last C Group Entry"), QStringLiteral("Not applicable"));
        QCOMPARE(f.saved().lastEntry[3], f.saved().lastEntry[2]);
        f.goTo(22);
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral("Not applicable"));
    }

    void baselineIsBoundedByTheSpeedGroups() {
        Fixture f;
        f.goTo(10);
        f.click(f.screen->minusButton()); // three groups
        f.goTo(26);
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral(" B Speed Group"));
        QVERIFY(f.screen->nextButton()->isEnabled());
        f.click(f.screen->plusButton(), 3);
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral(" C Speed Group"));
        QCOMPARE(f.summary("Baseline Speed"), QStringLiteral("C"));
        QCOMPARE(f.saved().baselineSpeedGroup, 3.0);
        f.goTo(10);
        f.click(f.screen->minusButton(), 3); // one group: the baseline is not changed by that
        QCOMPARE(f.saved().baselineSpeedGroup, 3.0);
    }

    void scoreGroupsNotInUseNeedNoEnter() {
        Fixture f;
        f.goTo(15);
        f.click(f.screen->minusButton()); // one score group
        f.click(f.screen->nextButton());
        QCOMPARE(f.screen->titleLabel()->text(), QStringLiteral("Name of Score Group A"));
        QVERIFY(!f.screen->nextButton()->isEnabled());
        f.click(f.screen->enterButton());
        f.click(f.screen->nextButton());
        QCOMPARE(f.screen->textBox()->text(), QStringLiteral("Not applicable"));
        QVERIFY(!f.screen->enterButton()->isVisible());
        QVERIFY(f.screen->nextButton()->isEnabled() && f.screen->previousButton()->isEnabled());
        QCOMPARE(f.summary("Name of Score Group B"), QStringLiteral("Not applicable"));
        f.click(f.screen->nextButton(), 2);
        QCOMPARE(f.screen->titleLabel()->text(), QStringLiteral("Name of Score Group D"));
        QVERIFY(!f.screen->minusButton()->isVisible());
        f.click(f.screen->nextButton());
        QVERIFY(f.screen->plusButton()->isVisible() && !f.screen->textBox()->isVisible());
        QCOMPARE(f.saved().scoreGroupName[2], std::string("Score Group B"));
    }

    void dateButtonsMoveOneUnitAndFollowTheStoredDate() {
        Fixture f;
        f.goTo(3);
        QVERIFY(f.screen->dateButton(DatePart::Year, -1)->isVisible());
        QVERIFY(!f.screen->textBox()->isVisible());
        QCOMPARE(f.screen->valuePanel()->text(), shortDate(2015, 6, 26));
        f.click(f.screen->dateButton(DatePart::Day, +1), 6); // on into July
        QCOMPARE(f.summary("Start Date"), QStringLiteral("02 Jul 2015"));
        f.click(f.screen->dateButton(DatePart::Month, -1), 5);
        QCOMPARE(f.summary("Start Date"), QStringLiteral("02 Feb 2015"));
        f.click(f.screen->dateButton(DatePart::Day, -1), 2);
        QCOMPARE(f.summary("Start Date"), QStringLiteral("31 Jan 2015"));
        // From 31 January a month on is the end of February, a day on from there 1 March,
        // and every further press moves the date.
        struct Press {
            DatePart part;
            int direction;
            const char* date;
        };
        const Press presses[] = {
            {DatePart::Month, +1, "28 Feb 2015"}, {DatePart::Day, +1, "01 Mar 2015"},
            {DatePart::Day, +1, "02 Mar 2015"},   {DatePart::Month, +1, "02 Apr 2015"},
            {DatePart::Year, +1, "02 Apr 2016"},  {DatePart::Month, -1, "02 Mar 2016"},
            {DatePart::Day, -1, "01 Mar 2016"},   {DatePart::Day, -1, "29 Feb 2016"},
            {DatePart::Year, -1, "28 Feb 2015"},
        };
        for (const Press& p : presses) {
            f.click(f.screen->dateButton(p.part, p.direction));
            QCOMPARE(f.summary("Start Date"), QString::fromLatin1(p.date));
        }
        QCOMPARE(f.screen->valuePanel()->text(), shortDate(2015, 2, 28));
        QCOMPARE(f.saved().startDate, dateSerial(2015, 2, 28));

        // "-" and "+" stay visible going back from field 4 and move the date by a day; the next
        // date button starts from the date they left.
        f.goTo(4);
        f.goTo(3);
        f.click(f.screen->plusButton());
        QCOMPARE(f.summary("Start Date"), QStringLiteral("01 Mar 2015"));
        f.click(f.screen->dateButton(DatePart::Day, +1));
        QCOMPARE(f.summary("Start Date"), QStringLiteral("02 Mar 2015"));
        QCOMPARE(f.saved().startDate, dateSerial(2015, 3, 2));
    }

    void stepsOnAFieldNotApplicableChangeNothing() {
        Fixture f;
        f.goTo(4);
        f.click(f.screen->minusButton()); // two days
        f.goTo(7);
        QCOMPARE(f.screen->titleLabel()->text(), QStringLiteral("Day 3 Start Time"));
        const RallyConfig before = f.config();
        const RallyConfig savedBefore = f.saved();
        for (QPushButton* b : {f.screen->plusButton(), f.screen->minusButton()}) {
            f.click(b);
            QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral("Not applicable"));
            QCOMPARE(f.summary("Day 3 Start Time"), QStringLiteral("Not applicable"));
        }
        QVERIFY(f.config() == before);
        QVERIFY(f.saved() == savedBefore);
        // Back to three days: day 3 starts as it did.
        f.goTo(4);
        f.click(f.screen->plusButton());
        QCOMPARE(f.summary("Day 3 Start Time"), QStringLiteral("08:00:00"));
    }

    void aTypedTextShowsThatEnterStoresIt() {
        Fixture f;
        QLabel* hint = f.screen->enterHint();
        QCOMPARE(hint->text(), QStringLiteral("Press Enter to store"));
        QVERIFY(hint->isVisible()); // "Next" waits for "Enter"
        QVERIFY(!f.screen->nextButton()->isEnabled());
        f.click(f.screen->enterButton());
        QVERIFY(!hint->isVisible());
        QTest::keyClicks(f.screen->textBox(), " Rally");
        QVERIFY(hint->isVisible()); // typed, not stored
        QTest::keyClick(f.screen->textBox(), Qt::Key_Return);
        QVERIFY(!hint->isVisible());
        QCOMPARE(f.saved().rallyName, std::string("Spring Run Rally"));
        f.click(f.screen->nextButton());
        QVERIFY(hint->isVisible()); // the permit number, on its own visit
        f.click(f.screen->enterButton());
        QVERIFY(!hint->isVisible());
        f.goTo(15);
        f.click(f.screen->minusButton(), 3); // one score group
        f.goTo(17);
        QVERIFY(!hint->isVisible()); // "Not applicable" needs no "Enter"
        f.goTo(4);
        QVERIFY(!hint->isVisible());
    }

    void moveButtonsStayInViewOnASmallDesktop() {
        struct Case {
            QSize size;
            const char* picture;
        };
        // The room on a laptop at 125 % and at 100 %, and a desktop smaller still.
        for (const Case& c : {Case{{1093, 590}, "configuration-1093x590.png"},
                              Case{{1272, 650}, "configuration-1272x650.png"}, Case{{1000, 420}, ""}}) {
            Fixture f;
            f.screen->setFixedSize(designedSize(f.screen).boundedTo(c.size));
            QVERIFY(QTest::qWaitForWindowExposed(f.screen));
            QCoreApplication::processEvents();
            for (QPushButton* b : {f.screen->previousButton(), f.screen->nextButton()}) {
                const QRect area(b->mapTo(f.screen, QPoint(0, 0)), b->size());
                QVERIFY2(b->isVisible(), qPrintable(b->text()));
                QVERIFY2(f.screen->rect().contains(area), qPrintable(b->text()));
            }
            test::saveScreenshot(f.screen, c.picture);
        }
    }

    void movingStopsAtBothEndsAndClosingWritesTheTemplate() {
        Fixture f;
        // The UTC offset of GPX and NMEA times comes after the logger offsets; until it is set the
        // computer's own offset on the start date stands in, and "+" moves it by a quarter hour.
        f.goTo(31);
        QCOMPARE(f.screen->titleLabel()->text(), QStringLiteral("UTC Offset of GPX and NMEA times"));
        const int computer = computerUtcOffset(f.saved().startDate);
        QCOMPARE(f.screen->valuePanel()->text(), qText(formatUtcOffset(computer) + " (this computer)"));
        f.click(f.screen->nextButton());
        QCOMPARE(f.screen->editor().field(), 31);
        f.click(f.screen->plusButton(), 4);
        QCOMPARE(f.summary("G, N - GPX and NMEA: UTC offset"), qText(formatUtcOffset(computer + 3600)));
        QCOMPARE(test::readFile(f.root() / "Spring/Working/UtcOffset.csv"),
                 "\"UtcOffset\",\"" + formatUtcOffset(computer + 3600) + "\"\r\n");
        f.click(f.screen->previousButton());
        QCOMPARE(f.screen->titleLabel()->text(), QStringLiteral("Lumo_Rally.exe External app Offset"));
        QCOMPARE(f.screen->valuePanel()->text(), QStringLiteral("1 seconds"));
        f.click(f.screen->plusButton(), 12);
        QCOMPARE(f.summary("X- Lumo Rally App Offset"), QStringLiteral("10 s"));
        QTRY_COMPARE(f.screen->fieldNumberLabel()->text(), QStringLiteral("30"));
        const auto tmpl = f.root() / "Spring/EntryList/Template.csv";
        QVERIFY(!std::filesystem::exists(tmpl));
        f.screen->close();
        QVERIFY(std::filesystem::exists(tmpl));
        QVERIFY(f.messages.texts.empty());
    }

    void allocationChangesShowAtOnce() {
        Fixture f;
        f.home->menuEntry("Entries")->trigger();
        auto* entries = f.home->findChild<frmEntries*>();
        QVERIFY(entries);
        f.click(entries->increaseButton());
        QCOMPARE(f.summary("Last A Speed Group Entry"), QStringLiteral("Competitor No 16"));
        QCOMPARE(f.saved().lastEntry[1], 16.0);
    }
};

QTEST_MAIN(ConfigScreenTest)
#include "config_guitest.moc"
