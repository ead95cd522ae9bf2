#include "gui/QtMessages.h"
#include "gui/entries/frmEntries.h"
#include "gui/frmAbout.h"
#include "gui/frmHome.h"
#include "gui/schedule/frmRouteSchedule.h"
#include "gui/workspace/frmNew.h"
#include "gui/workspace/frmStart.h"
#include "support/RallyFixture.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <fstream>

using namespace trakmora;

namespace {

std::filesystem::path rootOf(const QTemporaryDir& dir) {
    return dir.path().toStdString();
}

std::filesystem::path rootOf(const test::TestRally& rally) {
    return rally.root.path();
}

// Runs trakmora-cli (built beside the screen tests) on the data root; returns its exit status and
// puts what it printed in `output`.
int runCli(const test::TestRally& root, const QStringList& args, QString& output) {
    const QString cli =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/cli/trakmora-cli");
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(cli,
                  QStringList{QStringLiteral("--data-root"), QString::fromStdString(rootOf(root).string())} +
                      args);
    if (!process.waitForFinished(30000)) return -1;
    output = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool rallyMenusEnabled(const frmHome& home) {
    return home.menuEntry("Config")->isEnabled() && home.menuEntry("Route Schedule")->isEnabled() &&
           home.menuEntry("Entries")->isEnabled();
}

bool anyRallyMenuEnabled(const frmHome& home) {
    return home.menuEntry("Config")->isEnabled() || home.menuEntry("Route Schedule")->isEnabled() ||
           home.menuEntry("Entries")->isEnabled() || home.menuEntry("Scoring")->isEnabled();
}

void clickLine(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

} // namespace

class HomeTest : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceOnTheSameDataRootEnds() {
        QTemporaryDir root;
        frmHome first(rootOf(root));
        QVERIFY(first.startUp());
        RecordingMessages quiet;
        frmHome second(rootOf(root), &quiet);
        QVERIFY(!second.startUp());
        QVERIFY(second.anotherInstanceRuns());
        QVERIFY(quiet.texts.empty()); // a second copy on this computer ends without a word
        // A lock left by a copy on another computer says whose it is.
        QVERIFY(std::filesystem::create_directories(rootOf(root) / "stick"));
        std::ofstream(rootOf(root) / "stick" / ".trakmora.lock", std::ios::binary)
            << "4242\ntrakmora\nclubhouse-pc\n";
        RecordingMessages told;
        frmHome fourth(rootOf(root) / "stick", &told);
        QVERIFY(!fourth.startUp());
        QCOMPARE(told.texts.size(), std::size_t{1});
        QVERIFY(told.texts[0].find("in use by Trakmora on clubhouse-pc (process 4242)") != std::string::npos);
        // A folder that cannot be written is no other copy.
        QVERIFY(std::filesystem::create_directories(rootOf(root) / "locked"));
        std::filesystem::permissions(rootOf(root) / "locked",
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        RecordingMessages refused;
        frmHome fifth(rootOf(root) / "locked", &refused);
        const bool writable = fifth.startUp();
        if (!writable) { // root may write anywhere
            QVERIFY(!fifth.anotherInstanceRuns());
            QCOMPARE(refused.texts.size(), std::size_t{1});
        }
        std::filesystem::permissions(rootOf(root) / "locked", std::filesystem::perms::owner_all);
        QTemporaryDir other;
        frmHome third(rootOf(other));
        QVERIFY(third.startUp());
        QCOMPARE(first.windowTitle(), QStringLiteral("Version:Ver4 ( July 2024 )"));
    }

    void startUpCreatesTheDataRootWithOnlyStartAndHelpEnabled() {
        QTemporaryDir dir;
        const auto root = rootOf(dir) / "Trakmora";
        RecordingMessages messages;
        frmHome home(root, &messages);
        QVERIFY(home.startUp());
        QVERIFY(std::filesystem::is_directory(root));
        QVERIFY(home.menuEntry("Start")->isEnabled());
        QVERIFY(home.menuEntry("Help")->isEnabled());
        QVERIFY(!anyRallyMenuEnabled(home));
        home.enableScoringMenu();
        QVERIFY(home.menuEntry("Scoring")->isEnabled());
        QVERIFY(home.menuEntry("Individual Scoring")->isEnabled());
        QVERIFY(!rallyMenusEnabled(home));
    }

    void newWithAnEmptyNameCreatesNothing() {
        QTemporaryDir root;
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        home.menuEntry("New")->trigger();
        auto* screen = home.findChild<frmNew*>();
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("New"));
        screen->shortNameBox()->setText("Spring");
        QTest::mouseClick(screen->saveButton(), Qt::LeftButton);
        QCOMPARE(messages.texts, std::vector<std::string>{"No Name or Short Name entered"});
        QVERIFY(screen->isVisible());
        QVERIFY(!std::filesystem::exists(rootOf(root) / "Register.csv"));
        QVERIFY(!anyRallyMenuEnabled(home));
    }

    void newCreatesTheRallyEnablesTheMenusAndCloses() {
        QTemporaryDir root;
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        home.menuEntry("New")->trigger();
        QPointer<frmNew> screen = home.findChild<frmNew*>();
        home.menuEntry("New")->trigger(); // chosen again: the same screen, brought forward
        QCOMPARE(home.findChildren<frmNew*>().size(), 1);
        screen->longNameBox()->setText("Spring Run");
        screen->shortNameBox()->setText("Spring");
        QTest::mouseClick(screen->saveButton(), Qt::LeftButton);
        QVERIFY(messages.texts.empty());
        QTRY_VERIFY(screen.isNull()); // closed and unloaded
        QVERIFY(rallyMenusEnabled(home));
        QVERIFY(!home.menuEntry("Scoring")->isEnabled());
        QCOMPARE(home.state().rally.shortName, std::string("Spring"));
        QVERIFY(std::filesystem::exists(rootOf(root) / "Spring/Working/config3.csv"));
    }

    void openListsTheRegisterAndTakesTheLaterOfTwoEqualNames() {
        test::TestRally root("Club Run", "First");
        root.create("Autumn", "Autumn");
        root.create("Club Run 2", "Second");
        // Two rallies of one name, registered before such names were refused.
        std::ofstream(rootOf(root) / "Register.csv", std::ios::binary)
            << "\"First\",\"Club Run\"\r\n\"Autumn\",\"Autumn\"\r\n\"Second\",\"Club Run\"\r\n";
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        home.menuEntry("Open")->trigger();
        auto* screen = home.findChild<frmStart*>();
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Open "));
        QCOMPARE(screen->statusLabel()->text(), QStringLiteral("Select Rally"));
        QListWidget* list = screen->rallyList();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Club Run"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("Autumn"));
        QVERIFY(!anyRallyMenuEnabled(home));

        clickLine(list, 0);
        QVERIFY(messages.texts.empty());
        QCOMPARE(home.state().rally.shortName, std::string("Second"));
        QCOMPARE(screen->statusLabel()->text(), QStringLiteral("Club Run is now open"));
        QVERIFY(rallyMenusEnabled(home));
        // The list takes no further choice.
        clickLine(list, 1);
        QCOMPARE(home.state().rally.shortName, std::string("Second"));
    }

    void aRegisterNameSavedInWindows1252OpensItsRally() {
        test::TestRally root("Rallye Cote", "cote");
        std::ofstream(rootOf(root) / "Register.csv", std::ios::binary) << "\"cote\",\"Rallye C\xF4te\"\r\n";
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        home.menuEntry("Open")->trigger();
        auto* screen = home.findChild<frmStart*>();
        QVERIFY(screen);
        QCOMPARE(screen->rallyList()->item(0)->text(), QString::fromUtf8("Rallye C\xC3\xB4te"));
        clickLine(screen->rallyList(), 0);
        QCOMPARE(home.state().rally.shortName, std::string("cote"));
        QVERIFY(messages.texts.empty());
    }

    void anotherRallyOpensOnlyWithTheScreensOfThisOneClosed() {
        test::TestRally root("Autumn", "Autumn");
        root.create("Spring", "Spring");
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        home.openRally("Spring");
        home.menuEntry("Route Schedule")->trigger();
        QPointer<frmRouteSchedule> schedule = home.findChild<frmRouteSchedule*>();
        QVERIFY(schedule);
        for (const char* entry : {"Open", "New"}) {
            home.menuEntry(entry)->trigger();
            QVERIFY2(!home.findChild<frmStart*>() && !home.findChild<frmNew*>(), entry);
            QCOMPARE(messages.texts.back(),
                     std::string("Close the route schedule, entries and scoring screens of the "
                                 "open rally first: they hold its data"));
        }
        schedule->close();
        QTRY_VERIFY(schedule.isNull());
        home.menuEntry("Open")->trigger();
        QVERIFY(home.findChild<frmStart*>());
        // A rally opened from the command line of the program closes them too.
        home.menuEntry("Route Schedule")->trigger();
        schedule = home.findChild<frmRouteSchedule*>();
        QVERIFY(schedule);
        home.openRally("Autumn");
        QTRY_VERIFY(schedule.isNull());
        QCOMPARE(home.state().rally.shortName, std::string("Autumn"));
    }

    void openListIsReadWhenTheScreenLoads() {
        QTemporaryDir root;
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        home.menuEntry("Open")->trigger();
        QPointer<frmStart> screen = home.findChild<frmStart*>();
        QCOMPARE(screen->rallyList()->count(), 0);
        QVERIFY(createRally(home.state(), "Late", "Late"));
        home.menuEntry("Open")->trigger();
        QCOMPARE(screen->rallyList()->count(), 0);
        screen->close();
        QTRY_VERIFY(screen.isNull());
        home.menuEntry("Open")->trigger();
        QCOMPARE(home.findChild<frmStart*>()->rallyList()->count(), 1);
    }

    void helpShowsTheVersionAndReturnCloses() {
        QTemporaryDir root;
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        home.menuEntry("Help")->trigger();
        QPointer<frmAbout> about = home.findChild<frmAbout*>();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("Help"));
        QCOMPARE(about->versionLabel()->text(), QStringLiteral("Version:Ver4 ( July 2024 )"));
        QTest::mouseClick(about->returnButton(), Qt::LeftButton);
        QTRY_VERIFY(about.isNull());
    }

    void rallyOpenedAtStartUpEnablesTheMenus() {
        test::TestRally root("Spring Run", "Spring");
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        home.openRally("Nowhere");
        QCOMPARE(messages.texts.size(), std::size_t(1));
        QVERIFY(!anyRallyMenuEnabled(home));
        home.openRally("Spring");
        QCOMPARE(home.state().rally.longName, std::string("Spring Run"));
        QVERIFY(rallyMenusEnabled(home));
    }

    // Opening another rally, whichever way, leaves nothing of the one before in use: its entries
    // would be scored under the new rally's name. A list that fails to load leaves none in use.
    void anotherRallyStartsWithNoEntriesAndScoringOff() {
        test::TestRally root("Autumn Trial", "Autumn");
        std::string crews;
        for (int i = 1; i <= 40; ++i)
            crews += std::to_string(i) + ",\"Crew " + std::to_string(i) +
                     "\",1950,\"MG\",\"TD\",\"A\",\"A\",0,0,0,0,0\r\n";
        root.create("Spring Run", "Spring");
        root.writeEntryList(crews);
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        const auto loadEntries = [&home] {
            home.menuEntry("Entries")->trigger();
            auto* screen = home.findChild<frmEntries*>();
            QTest::mouseClick(screen->loadButton(), Qt::LeftButton);
            return screen;
        };
        const auto closeRallyScreens = [&home] {
            for (QWidget* w : home.findChildren<QWidget*>())
                if (w->isWindow() && w != &home && w->isVisible()) w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };

        home.openRally("Spring");
        QCOMPARE(loadEntries()->countLabel()->text(), QStringLiteral("40  Entries Loaded"));
        QVERIFY(home.menuEntry("Scoring")->isEnabled());
        home.state().rally.selectedDay = 2;
        home.state().schedule.lineCount = 9;
        closeRallyScreens();

        // Through the Open screen, as the organiser does it.
        home.menuEntry("Open")->trigger();
        auto* open = home.findChild<frmStart*>();
        QVERIFY(open);
        clickLine(open->rallyList(), 0); // "Autumn Trial"
        QCOMPARE(home.state().rally.shortName, std::string("Autumn"));
        QVERIFY(!home.menuEntry("Scoring")->isEnabled());
        QCOMPARE(home.state().entries.count(), 0);
        QCOMPARE(home.state().rally.selectedDay, 1);
        QCOMPARE(home.state().schedule.lineCount, 0);
        closeRallyScreens();
        home.menuEntry("Entries")->trigger();
        QCOMPARE(home.findChild<frmEntries*>()->countLabel()->text(), QStringLiteral("No of Entries loaded"));
        messages.texts.clear();
        loadEntries();
        QCOMPARE(messages.texts, std::vector<std::string>{"No data to load"});
        QVERIFY(!home.menuEntry("Scoring")->isEnabled());
        QCOMPARE(home.state().entries.count(), 0);

        // Back to the first rally; its list then goes missing.
        closeRallyScreens();
        home.openRally("Spring");
        frmEntries* entries = loadEntries();
        QVERIFY(home.menuEntry("Scoring")->isEnabled());
        std::filesystem::remove(rootOf(root) / "Spring/EntryList/EntryList.csv");
        QTest::mouseClick(entries->loadButton(), Qt::LeftButton);
        QVERIFY(!home.menuEntry("Scoring")->isEnabled());
        QCOMPARE(entries->countLabel()->text(), QStringLiteral("No of Entries loaded"));
        QCOMPARE(home.state().entries.count(), 0);
    }

    // A message box belongs to the screen the organiser works in, not to the home window, which
    // would then come to the front and bury that screen.
    void messageBoxesBelongToTheScreenThatRaisedThem() {
        test::TestRally root("Spring Run", "Spring");
        frmHome home(rootOf(root)); // real message boxes
        QVERIFY(home.startUp());
        home.show();
        QVERIFY(QTest::qWaitForWindowActive(&home));
        auto* messages = dynamic_cast<QtMessages*>(home.state().messages);
        QVERIFY(messages);
        QCOMPARE(messages->boxParent(), static_cast<QWidget*>(&home));

        home.menuEntry("New")->trigger();
        auto* created = home.findChild<frmNew*>();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(created));
        QWidget* shownOver = nullptr;
        // The box is modal: look at it from the event loop it runs, then close it.
        QTimer::singleShot(0, [&shownOver] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shownOver = box->parentWidget();
            box->accept();
        });
        QTest::mouseClick(created->saveButton(), Qt::LeftButton); // no names: "No Name or Short Name entered"
        QCOMPARE(shownOver, static_cast<QWidget*>(created));
        created->close();

        home.openRally("Spring");
        home.menuEntry("Route Schedule")->trigger();
        auto* schedule = home.findChild<frmRouteSchedule*>();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(schedule));
        QCOMPARE(messages->boxParent(), static_cast<QWidget*>(schedule));
        // Still the screen's while the desktop has another program in front.
        QApplication::setActiveWindow(nullptr);
        QCOMPARE(messages->boxParent(), static_cast<QWidget*>(schedule));
        bool answered = true;
        QTimer::singleShot(0, [&shownOver] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shownOver = box->parentWidget();
            box->reject();
        });
        shownOver = nullptr;
        answered = messages->ask("Route Schedule", "Save the day?");
        QCOMPARE(shownOver, static_cast<QWidget*>(schedule));
        QVERIFY(!answered);
        schedule->close();
    }

    // The open rally is written by this program only: the command line and a second program are
    // refused until another rally is opened here. A lock of another computer is taken over only
    // when the organiser agrees.
    void theOpenRallyHasOneWriter() {
        test::TestRally root("Autumn", "Autumn");
        root.create("Spring", "Spring");
        root.create("Winter", "Winter");
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        QVERIFY(home.startUp());
        home.openRally("Spring");
        QCOMPARE(home.state().rally.shortName, std::string("Spring"));
        const auto config = rootOf(root) / "Spring/Working/config3.csv";
        const std::string before = fileText(config);
        const std::string lockText = fileText(rootOf(root) / "Spring/Trakmora.lock");
        QString out;
        for (const QStringList& args :
             {QStringList{"--rally", "Spring", "day", "--day", "1"},
              QStringList{"--rally", "Spring", "config", "--set", "GroupSpeedA=70"}}) {
            QCOMPARE(runCli(root, args, out), 1);
            QVERIFY2(out.contains(QStringLiteral("Rally Spring is in use by trakmora on %1 since ")
                                      .arg(QString::fromStdString(thisHostName()))),
                     qPrintable(out));
        }
        QCOMPARE(fileText(config), before);
        QCOMPARE(fileText(rootOf(root) / "Spring/Trakmora.lock"), lockText);

        // A second program on this computer does not open it.
        RecordingMessages told;
        frmHome second(rootOf(root), &told);
        second.openRally("Spring");
        QVERIFY(!second.state().rallyOpen());
        QVERIFY(!anyRallyMenuEnabled(second));
        QCOMPARE(told.texts.size(), std::size_t{1});
        QVERIFY(told.texts[0].rfind("Rally Spring is in use by trakmora on ", 0) == 0);

        home.openRally("Autumn");
        QVERIFY(!std::filesystem::exists(rootOf(root) / "Spring/Trakmora.lock"));
        QCOMPARE(runCli(root, {"--rally", "Spring", "config", "--set", "GroupSpeedA=70"}, out), 0);
        QVERIFY(fileText(config) != before);

        // Winter is held by the results desk's laptop: No keeps Autumn open, Yes takes Winter over.
        const auto winterLock = rootOf(root) / "Winter/Trakmora.lock";
        const std::string desk =
            "host=results-desk\npid=4242\nprogram=trakmora-cli\nsince=2026-12-08 17:30:00\n";
        std::ofstream(winterLock, std::ios::binary) << desk;
        messages.setAnswer(false);
        home.openRally("Winter");
        QCOMPARE(messages.questions.size(), std::size_t{1});
        QCOMPARE(messages.questions[0],
                 std::string("Rally in use: Rally Winter is in use by trakmora-cli on results-desk "
                             "since 2026-12-08 17:30:00.\n\nOpen it anyway and take it over?"));
        QCOMPARE(home.state().rally.shortName, std::string("Autumn"));
        QVERIFY(rallyMenusEnabled(home));
        QCOMPARE(fileText(winterLock), desk);
        QVERIFY(std::filesystem::exists(rootOf(root) / "Autumn/Trakmora.lock"));
        messages.setAnswer(true);
        home.openRally("Winter");
        QCOMPARE(home.state().rally.shortName, std::string("Winter"));
        LockOwner owner;
        QVERIFY(readRallyLock(winterLock, owner));
        QCOMPARE(owner.pid, thisProcessId());
        QVERIFY(!std::filesystem::exists(rootOf(root) / "Autumn/Trakmora.lock"));
        QVERIFY(messages.texts.back().find("The lock of rally Winter held by trakmora-cli on results-desk") ==
                0);

        // On the Open screen of the second program, Winter (open here) is refused and Autumn stays open.
        told.texts.clear();
        second.openRally("Autumn");
        QCOMPARE(second.state().rally.shortName, std::string("Autumn"));
        second.menuEntry("Open")->trigger();
        auto* open = second.findChild<frmStart*>();
        QVERIFY(open);
        QCOMPARE(open->rallyList()->item(2)->text(), QStringLiteral("Winter"));
        clickLine(open->rallyList(), 2);
        QCOMPARE(told.texts.size(), std::size_t{1});
        QVERIFY(told.texts[0].rfind("Rally Winter is in use by trakmora on ", 0) == 0);
        QCOMPARE(second.state().rally.shortName, std::string("Autumn"));
        QCOMPARE(open->statusLabel()->text(), QStringLiteral("Select Rally")); // not "Winter is now open"
        QVERIFY(open->rallyList()->isEnabled());
        QVERIFY(rallyMenusEnabled(second));
        QVERIFY(readRallyLock(rootOf(root) / "Autumn/Trakmora.lock", owner));
        QVERIFY(readRallyLock(winterLock, owner));
        QCOMPARE(home.state().rally.shortName, std::string("Winter"));
    }

    // The help screen holds the user guide, with the section the configuration screen refers to.
    void helpHoldsTheUserGuide() {
        QTemporaryDir root;
        RecordingMessages messages;
        frmHome home(rootOf(root), &messages);
        home.menuEntry("Help")->trigger();
        auto* help = home.findChild<frmAbout*>();
        QVERIFY(help);
        const QString guide = help->guideView()->toPlainText();
        for (const char* heading : {"A rally day, step by step", "Understanding Time",
                                    "What each folder holds", "When a control was set up wrong"})
            QVERIFY2(guide.contains(QString::fromUtf8(heading)), heading);
        QVERIFY(guide.contains(QStringLiteral("60 s")));
        QVERIFY(help->showSection(QStringLiteral("Understanding Time")));
        QVERIFY(!help->showSection(QStringLiteral("No such section")));
        QCOMPARE(help->pages()->tabText(1), QStringLiteral("License Agreement"));
        help->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // The configuration screen's note on time leads to that section.
        {
            ProgramState setup(rootOf(root), messages);
            QVERIFY(createRally(setup, "Spring Run", "Spring"));
        }
        home.openRally("Spring");
        home.menuEntry("Config")->trigger();
        auto* note = home.findChild<QLabel*>(QStringLiteral("timeNote"));
        QVERIFY(note);
        QTextDocument shown;
        shown.setHtml(note->text());
        QCOMPARE(shown.toPlainText(),
                 QStringLiteral("Read the section \"Understanding Time\" in the HELP section."));
        emit note->linkActivated(QStringLiteral("Understanding Time"));
        help = home.findChild<frmAbout*>();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->guideView()->textCursor().block().text(), QStringLiteral("Understanding Time"));
        QVERIFY(QTest::qWaitForWindowExposed(help));
        const QRect heading = help->guideView()->cursorRect();
        QVERIFY2(heading.top() >= 0 && heading.top() < 40, qPrintable(QString::number(heading.top())));
    }
};

QTEST_MAIN(HomeTest)
#include "home_guitest.moc"
