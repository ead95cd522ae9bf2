// Every screen's texts fit their widgets and stay inside the window. With TRAKMORA_SCREENSHOTS
// set to a folder, the screens are also saved there as pictures (home.png, open.png, ...).
#include "gui/ScreenCheck.h"
#include "gui/frmHome.h"
#include "support/RallyFixture.h"
#include "workspace/Workspace.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace trakmora;
using trakmora::test::clippedWidgets;

namespace {

QWidget* screenOf(frmHome& home, const char* className) {
    for (QWidget* w : home.findChildren<QWidget*>())
        if (w->isWindow() && w->inherits(className)) return w;
    return nullptr;
}

} // namespace

class ScreensTest : public QObject {
    Q_OBJECT
private slots:
    void screensShowTheirTextsWhole() {
        test::TestRally rally("Spring Run 2024", "Spring");
        rally.create("Vintage Club Autumn Trial", "Autumn");
        rally.create("Test Rally", "Test");
        RecordingMessages& messages = rally.messages;
        frmHome home(rally.root.path(), &messages);
        QVERIFY(home.startUp());
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        QCOMPARE(clippedWidgets(&home), QStringList());
        test::saveScreenshot(&home, "home.png");

        struct Screen {
            const char* menu;
            const char* className;
            const char* picture;
        };
        home.openRally("Spring");
        home.enableScoringMenu();
        for (const Screen& s :
             {Screen{"Open", "trakmora::frmStart", "open.png"}, Screen{"New", "trakmora::frmNew", "new.png"},
              Screen{"Help", "trakmora::frmAbout", "help.png"},
              Screen{"Config", "trakmora::frmConfig", "config.png"},
              Screen{"Entries", "trakmora::frmEntries", "entries.png"},
              Screen{"Route Schedule", "trakmora::frmRouteSchedule", "route-schedule.png"},
              // pictured on a scored day by the scoring screens' own test
              Screen{"Individual Scoring", "trakmora::frmScore1", ""},
              Screen{"Group Scoring", "trakmora::frmScore2", ""}}) {
            home.menuEntry(s.menu)->trigger();
            QWidget* screen = screenOf(home, s.className);
            QVERIFY2(screen, s.menu);
            QVERIFY(QTest::qWaitForWindowExposed(screen));
            QCOMPARE(clippedWidgets(screen), QStringList());
            test::saveScreenshot(screen, s.picture);
        }
        QVERIFY(messages.texts.empty());
    }
};

QTEST_MAIN(ScreensTest)
#include "screens_guitest.moc"
