// Every screen's texts fit their widgets and stay inside the window. With TRAKMORA_SCREENSHOTS
// set to a folder, the screens are also saved there as pictures (home.png, open.png, ...).
#include "app/frmHome.h"
#include "workspace/Workspace.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace trakmora;

namespace {

QWidget* screenOf(frmHome& home, const char* className) {
    for (QWidget* w : home.findChildren<QWidget*>())
        if (w->isWindow() && w->inherits(className)) return w;
    return nullptr;
}

// Lists the widgets whose text is cut off or that lie outside the window.
QStringList clippedWidgets(QWidget* window) {
    QStringList problems;
    const QRect inside = window->rect();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window) continue;
        const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
        if (text.isEmpty()) continue;
        if (!inside.contains(area)) problems << text + " lies outside the window";
        auto* label = qobject_cast<QLabel*>(w);
        const bool wraps = label && label->wordWrap();
        if (!wraps && w->width() < w->sizeHint().width()) problems << text + " is cut off";
        if (wraps && w->height() < label->heightForWidth(w->width())) problems << text + " is cut off";
    }
    return problems;
}

void save(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("TRAKMORA_SCREENSHOTS");
    if (folder.isEmpty() || name.isEmpty()) return;
    QVERIFY(window->grab().save(QDir(folder).filePath(name)));
}

} // namespace

class ScreensTest : public QObject {
    Q_OBJECT
private slots:
    void screensShowTheirTextsWhole() {
        QTemporaryDir root;
        RecordingMessages messages;
        {
            ProgramState state(root.path().toStdString(), messages);
            QVERIFY(createRally(state, "Spring Run 2024", "Spring"));
            QVERIFY(createRally(state, "Vintage Club Autumn Trial", "Autumn"));
            QVERIFY(createRally(state, "Test Rally", "Test"));
        }
        frmHome home(root.path().toStdString(), &messages);
        QVERIFY(home.startUp());
        home.show();
        QVERIFY(QTest::qWaitForWindowExposed(&home));
        QCOMPARE(clippedWidgets(&home), QStringList());
        save(&home, "home.png");

        struct Screen {
            const char* menu;
            const char* className;
            const char* picture;
        };
        home.openRally("Spring");
        home.enableScoringMenu();
        for (const Screen& s : {Screen{"Open", "trakmora::frmStart", "open.png"},
                                Screen{"New", "trakmora::frmNew", "new.png"},
                                Screen{"Help", "trakmora::frmAbout", "help.png"},
                                Screen{"Config", "trakmora::frmConfig", "config.png"},
                                Screen{"Entries", "trakmora::frmEntries", "entries.png"},
                                Screen{"Route Schedule", "trakmora::frmPlaceholder", "placeholder.png"},
                                // pictured on a scored day by the scoring screens' own test
                                Screen{"Individual Scoring", "trakmora::frmScore1", ""},
                                Screen{"Group Scoring", "trakmora::frmScore2", ""}}) {
            home.menuEntry(s.menu)->trigger();
            QWidget* screen = screenOf(home, s.className);
            QVERIFY2(screen, s.menu);
            QVERIFY(QTest::qWaitForWindowExposed(screen));
            QCOMPARE(clippedWidgets(screen), QStringList());
            save(screen, s.picture);
        }
        QVERIFY(messages.texts.empty());
    }
};

QTEST_MAIN(ScreensTest)
#include "screens_guitest.moc"
