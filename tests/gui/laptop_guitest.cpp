// Every screen on a small laptop desktop: it opens inside the available desktop, title bar
// included, and no button is out of reach (a button lies inside its window, or inside a part
// that scrolls). CTest runs this at 1366x768 with 125 % scaling and at 1280x720; on its own it
// runs on whatever screen the platform gives. With TRAKMORA_SCREENSHOTS set to a folder the
// screens are saved there as laptop-<screen>.png.
#include "demo/DemoRally.h"
#include "gui/ScreenCheck.h"
#include "gui/ScreenPlacement.h"
#include "gui/frmHome.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace trakmora;

namespace {

// A button the organiser cannot reach: outside its window and in no part that scrolls.
QStringList unreachableButtons(QWidget* window) {
    QStringList out;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->window() != window || b->text().isEmpty()) continue;
        bool scrolls = false;
        for (QWidget* p = b->parentWidget(); p && p != window; p = p->parentWidget())
            if (qobject_cast<QAbstractScrollArea*>(p)) scrolls = true;
        if (scrolls) continue;
        const QRect area(b->mapTo(window, QPoint(0, 0)), b->size());
        if (!window->rect().contains(area)) out << b->text();
    }
    return out;
}

QWidget* newWindow(const QSet<QWidget*>& before) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !before.contains(w)) return w;
    return nullptr;
}

QSet<QWidget*> shownWindows() {
    QSet<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) shown.insert(w);
    return shown;
}

} // namespace

class LaptopTest : public QObject {
    Q_OBJECT
private slots:
    void placementKeepsTheWholeWindowOnTheDesktop() {
        struct Case {
            const char* what;
            QSize designed;
            QRect room;
            QPoint centre;
            QRect expected;
        };
        const QRect laptop(0, 32, 1093, 550); // 1366x768 at 125 %, less title bar and taskbar
        const Case cases[] = {
            {"fits, centred on its opener", {800, 500}, laptop, {546, 300}, {147, 51, 800, 500}},
            {"taller than the room", {1020, 660}, laptop, {546, 300}, {37, 32, 1020, 550}},
            {"wider and taller", {1400, 900}, laptop, {546, 300}, laptop},
            {"opener near the right edge", {800, 500}, laptop, {1000, 300}, {293, 51, 800, 500}},
            {"opener above the top", {800, 500}, laptop, {500, -400}, {101, 32, 800, 500}},
            {"opener at the bottom left", {600, 400}, laptop, {10, 2000}, {0, 182, 600, 400}},
            {"second screen to the right",
             {900, 600},
             QRect(1920, 0, 1280, 690),
             {2560, 345},
             {2111, 46, 900, 600}},
        };
        for (const Case& c : cases) {
            const QRect placed = placedInside(c.designed, c.room, c.centre);
            QVERIFY2(placed == c.expected, c.what);
            QVERIFY2(c.room.contains(placed), c.what);
        }
    }

    void everyScreenOpensInsideTheDesktopWithItsButtonsInReach() {
        QTemporaryDir root;
        RecordingMessages messages;
        {
            ProgramState state(root.path().toStdString(), messages);
            QVERIFY(createDemoRally(state, "Demo", 7));
        }
        frmHome home(root.path().toStdString(), &messages);
        QVERIFY(home.startUp());
        placeOver(&home, nullptr);
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        const QRect desktop = home.screen()->availableGeometry();
        qInfo("desktop %dx%d", desktop.width(), desktop.height());

        const struct {
            const char* menu;
            const char* picture;
        } screens[] = {{"New", "new"},
                       {"Open", "open"},
                       {"Help", "help"},
                       {"Config", "config"},
                       {"Entries", "entries"},
                       {"Route Schedule", "route-schedule"},
                       {"Individual Scoring", "score1"},
                       {"Group Scoring", "score2"}};
        QVERIFY(desktop.contains(home.frameGeometry()));
        QCOMPARE(unreachableButtons(&home), QStringList());
        home.openRally("Demo");
        home.enableScoringMenu();
        for (const auto& s : screens) {
            const QSet<QWidget*> before = shownWindows();
            home.menuEntry(s.menu)->trigger();
            QWidget* screen = newWindow(before);
            QVERIFY2(screen, s.menu);
            QVERIFY(QTest::qWaitForWindowExposed(screen));
            // On the desktop, and small enough to stay on it under a window manager's title bar
            // and borders too.
            const QRect frame = screen->frameGeometry();
            const QSize roomWithTitleBar = desktop.marginsRemoved(QMargins(4, 32, 4, 4)).size();
            QVERIFY2(desktop.contains(frame) && roomWithTitleBar.boundedTo(screen->size()) == screen->size(),
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                    .arg(s.menu)
                                    .arg(frame.x())
                                    .arg(frame.y())
                                    .arg(screen->width())
                                    .arg(screen->height())));
            QVERIFY2(unreachableButtons(screen).isEmpty(),
                     qPrintable(QString::fromUtf8(s.menu) + ": " + unreachableButtons(screen).join(", ")));
            test::saveScreenshot(screen, QStringLiteral("laptop-%1.png").arg(QString::fromUtf8(s.picture)));
            // New and Open only open while the rally's screens are closed; the scoring screens
            // close each other.
            if (std::string_view(s.menu) == "New" || std::string_view(s.menu) == "Open") screen->close();
        }
    }
};

QTEST_MAIN(LaptopTest)
#include "laptop_guitest.moc"
