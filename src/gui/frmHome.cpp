#include "gui/frmHome.h"

#include "gui/QtMessages.h"
#include "gui/ScreenPlacement.h"
#include "gui/entries/frmEntries.h"
#include "gui/frmAbout.h"
#include "gui/results/frmScore2.h"
#include "gui/schedule/frmRouteSchedule.h"
#include "gui/tracking/frmScore1.h"
#include "gui/workspace/frmConfig.h"
#include "gui/workspace/frmNew.h"
#include "gui/workspace/frmStart.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QSysInfo>
#include <QVBoxLayout>

namespace trakmora {

namespace {
const char* const kCloseRallyScreens =
    "Close the route schedule, entries and scoring screens of the open rally first: they hold its data";
}

namespace {

const char* const kTitle = "Version:Ver4 ( July 2024 )";

// Creates the screen on first use (it unloads itself when closed), over the home window and
// inside the desktop, and brings it forward.
template <typename Screen, typename Make>
void showOnce(QPointer<Screen>& screen, Make make, const QWidget* opener) {
    if (!screen) {
        screen = make();
        screen->setAttribute(Qt::WA_DeleteOnClose);
        placeOver(screen, opener);
        screen->show();
    }
    bringForward(screen);
}

} // namespace

frmHome::frmHome(const std::filesystem::path& dataRoot, Messages* messages, QWidget* parent)
    : QMainWindow(parent) {
    if (!messages) {
        ownMessages_ = std::make_unique<QtMessages>(this);
        messages = ownMessages_.get();
    }
    state_ = std::make_unique<ProgramState>(dataRoot, *messages);
    // The individual scoring screen's track map draws from each competitor's kept scoring files.
    state_->keepExplainFiles = true;
    setWindowTitle(QString::fromUtf8(kTitle));
    setDesignedSize(this, QSize(twips(10560), twips(8600)));
    buildMenu();
    buildContent();
}

frmHome::~frmHome() = default;

void frmHome::buildMenu() {
    QMenu* start = menuBar()->addMenu(QStringLiteral("Start"));
    connect(start->addAction(QStringLiteral("New")), &QAction::triggered, this, &frmHome::showNew);
    connect(start->addAction(QStringLiteral("Open")), &QAction::triggered, this, &frmHome::showOpen);

    config_ = menuBar()->addAction(QStringLiteral("Config"));
    connect(config_, &QAction::triggered, this, &frmHome::showConfig);
    routeSchedule_ = menuBar()->addAction(QStringLiteral("Route Schedule"));
    connect(routeSchedule_, &QAction::triggered, this, &frmHome::showRouteSchedule);
    entries_ = menuBar()->addAction(QStringLiteral("Entries"));
    connect(entries_, &QAction::triggered, this, &frmHome::showEntries);

    scoring_ = menuBar()->addMenu(QStringLiteral("Scoring"));
    connect(scoring_->addAction(QStringLiteral("Individual Scoring")), &QAction::triggered, this,
            &frmHome::showScore1);
    connect(scoring_->addAction(QStringLiteral("Group Scoring")), &QAction::triggered, this,
            &frmHome::showScore2);

    connect(menuBar()->addAction(QStringLiteral("Help")), &QAction::triggered, this, &frmHome::showAbout);

    for (QAction* a : {config_, routeSchedule_, entries_, scoring_->menuAction()})
        a->setEnabled(false);
}

void frmHome::buildContent() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("homePanel"));
    panel->setStyleSheet(QStringLiteral(
        "#homePanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #16324f, stop:1 #3d6e8f); }"
        "QLabel { color: white; }"));
    auto* layout = new QVBoxLayout(panel);
    layout->addStretch(2);
    auto* program = new QLabel(QStringLiteral("Trakmora Program"), panel);
    program->setObjectName(QStringLiteral("programLabel"));
    QFont big = program->font();
    big.setPointSize(28);
    big.setBold(true);
    program->setFont(big);
    program->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version 4"), panel);
    version->setObjectName(QStringLiteral("versionLabel"));
    QFont medium = version->font();
    medium.setPointSize(16);
    version->setFont(medium);
    version->setAlignment(Qt::AlignCenter);
    auto* strip =
        new QLabel(QStringLiteral("Regularity rallies for vintage vehicles, scored from GPS loggers"), panel);
    strip->setAlignment(Qt::AlignCenter);
    layout->addWidget(program);
    layout->addWidget(version);
    layout->addStretch(1);
    layout->addWidget(strip);
    layout->addStretch(2);
    setCentralWidget(panel);
}

bool frmHome::startUp() {
    if (auto st = ensureDataRoot(*state_); !st) state_->messages->info(st.message());
    lock_ = std::make_unique<QLockFile>(QDir(QString::fromStdString(state_->paths.dataRoot().string()))
                                            .filePath(QStringLiteral(".trakmora.lock")));
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return true;
    anotherInstance_ = lock_->error() == QLockFile::LockFailedError;
    if (!anotherInstance_) {
        state_->messages->info("Cannot write to the data folder " + state_->paths.dataRoot().string() +
                               ": Trakmora needs a folder it may write to");
        return false;
    }
    // Another copy on this computer: it simply goes on (the organiser started it twice). A lock
    // left by a copy on another computer (a data folder on a memory stick) cannot be checked
    // from here: say whose it is and how to free it.
    qint64 pid = 0;
    QString host, appName;
    if (lock_->getLockInfo(&pid, &host, &appName) && !host.isEmpty() && host != QSysInfo::machineHostName())
        state_->messages->info("The data folder " + state_->paths.dataRoot().string() +
                               " is in use by Trakmora on " + host.toStdString() + " (process " +
                               std::to_string(pid) + "). If it no longer runs there, delete " +
                               (state_->paths.dataRoot() / ".trakmora.lock").string() + " and start again.");
    return false;
}

void frmHome::setOpenWorkbooks(bool open) {
    state_->openWorkbooks = open;
}

void frmHome::openRally(const std::string& shortName) {
    // The lock comes before the opening, which may already write (a legacy settings file is
    // converted). Refused, the rally open before stays open as it was.
    std::error_code ec;
    if (!unsafeFolderNameReason(shortName) &&
        std::filesystem::is_directory(state_->paths.rallyFolder(shortName), ec) && !holdRallyLock(shortName))
        return;
    rallyChanged();
    const Status st = openRallyByShortName(*state_, shortName);
    // A damaged configuration is reported but the rally is open (with defaults) all the same.
    if (state_->rally.shortName == shortName) {
        enableRallyMenus();
        refreshConfigScreen();
    }
    if (!st) state_->messages->info(st.message());
}

bool frmHome::holdRallyLock(const std::string& shortName) {
    if (rallyLock_.held() && rallyLock_.shortName() == shortName) return true;
    // The lock of the rally before stays held until this one is.
    RallyLock lock;
    LockRefusal why = LockRefusal::None;
    Status st = takeRallyLock(*state_, shortName, "trakmora", lock, false, &why);
    if (!st && (why == LockRefusal::OtherHost || why == LockRefusal::Damaged)) {
        if (!state_->messages->ask("Rally in use", st.message() + ".\n\nOpen it anyway and take it over?"))
            return false;
        st = takeRallyLock(*state_, shortName, "trakmora", lock, true, &why);
    }
    if (!st) {
        state_->messages->info(st.message());
        return false;
    }
    rallyLock_ = std::move(lock);
    return true;
}

void frmHome::rallyOpenedByScreen() {
    if (!holdRallyLock(state_->rally.shortName)) {
        if (start_) start_->openingRefused();
        const std::string before = rallyLock_.shortName();
        if (before.empty() || !openRallyByShortName(*state_, before)) state_->forgetRally("", "");
        rallyChanged();
        if (!state_->rallyOpen()) {
            for (QAction* a : {config_, routeSchedule_, entries_})
                a->setEnabled(false);
            refreshConfigScreen();
            return;
        }
    } else {
        rallyChanged();
    }
    enableRallyMenus();
    refreshConfigScreen();
}

void frmHome::enableRallyMenus() {
    config_->setEnabled(true);
    // Settings that could not be read are the defaults in memory: nothing is scheduled, allocated
    // or scored on them until they are saved from the configuration screen.
    for (QAction* a : {routeSchedule_, entries_})
        a->setEnabled(!state_->configDamaged);
    if (state_->configDamaged) scoring_->menuAction()->setEnabled(false);
}

void frmHome::enableScoringMenu(bool enabled) {
    scoring_->menuAction()->setEnabled(enabled);
}

QAction* frmHome::menuEntry(const QString& text) const {
    for (QAction* top : menuBar()->actions()) {
        if (top->text() == text) return top;
        if (QMenu* sub = top->menu())
            for (QAction* a : sub->actions())
                if (a->text() == text) return a;
    }
    return nullptr;
}

bool frmHome::rallyScreensOpen() const {
    return routeScheduleScreen_ || entriesScreen_ || score1_ || score2_;
}

void frmHome::rallyChanged() {
    if (routeScheduleScreen_) routeScheduleScreen_->closeWithoutSaving();
    for (QWidget* w : std::initializer_list<QWidget*>{entriesScreen_, score1_, score2_})
        if (w) w->close();
    // The opening has already put the state to the new rally's (no entries, day 1, no route
    // schedule); scoring waits for the new rally's entry list.
    scoring_->menuAction()->setEnabled(false);
}

void frmHome::showNew() {
    // The screens of the open rally would save its data into the new one.
    if (rallyScreensOpen()) {
        state_->messages->info(kCloseRallyScreens);
        return;
    }
    showOnce(
        new_,
        [this] {
            auto* screen = new frmNew(*state_, this);
            connect(screen, &frmNew::rallyCreated, this, &frmHome::rallyOpenedByScreen);
            return screen;
        },
        this);
}

void frmHome::showOpen() {
    if (rallyScreensOpen()) {
        state_->messages->info(kCloseRallyScreens);
        return;
    }
    showOnce(
        start_,
        [this] {
            auto* screen = new frmStart(*state_, this);
            connect(screen, &frmStart::rallyOpened, this, &frmHome::rallyOpenedByScreen);
            return screen;
        },
        this);
}

void frmHome::showAbout() {
    showOnce(
        about_, [this] { return new frmAbout(QString::fromUtf8(kTitle), this); }, this);
}

void frmHome::showConfig() {
    showOnce(
        configScreen_,
        [this] {
            auto* screen = new frmConfig(*state_, this);
            connect(screen, &frmConfig::settingsSaved, this, &frmHome::enableRallyMenus);
            connect(screen, &frmConfig::helpRequested, this, [this](const QString& section) {
                showAbout();
                about_->showSection(section);
            });
            return screen;
        },
        this);
}

void frmHome::showEntries() {
    showOnce(
        entriesScreen_,
        [this] {
            auto* screen = new frmEntries(*state_, this);
            connect(screen, &frmEntries::configurationChanged, this, &frmHome::refreshConfigScreen);
            connect(screen, &frmEntries::scoringAllowed, this, &frmHome::enableScoringMenu);
            return screen;
        },
        this);
    // The screen's start-up may have repaired the allocation before it could be connected.
    refreshConfigScreen();
}

// Closing either scoring screen closes the other.
void frmHome::showScore1() {
    showOnce(
        score1_,
        [this] {
            auto* screen = new frmScore1(*state_, this);
            connect(screen, &frmScore1::closing, this, [this] {
                if (score2_) score2_->close();
            });
            return screen;
        },
        this);
}

void frmHome::showScore2() {
    showOnce(
        score2_,
        [this] {
            auto* screen = new frmScore2(*state_, this);
            connect(screen, &frmScore2::closing, this, [this] {
                if (score1_) score1_->close();
            });
            return screen;
        },
        this);
}

void frmHome::refreshConfigScreen() {
    if (configScreen_) configScreen_->refresh();
}

void frmHome::showRouteSchedule() {
    showOnce(
        routeScheduleScreen_, [this] { return new frmRouteSchedule(*state_, this); }, this);
}

} // namespace trakmora
