#pragma once
// The home screen: the start-up window and the main menu. It owns the program state and every
// other screen; each screen exists once, is modeless and is brought forward when chosen again.
#include "common/ProgramState.h"
#include "workspace/RallyLock.h"

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <map>
#include <memory>

class QAction;
class QMenu;
class QLockFile;

namespace trakmora {

class frmNew;
class frmStart;
class frmAbout;
class frmConfig;
class frmEntries;
class frmRouteSchedule;
class frmScore1;
class frmScore2;

class frmHome : public QMainWindow {
    Q_OBJECT
public:
    // `messages` replaces the message boxes (tests record the texts); null shows message boxes.
    explicit frmHome(const std::filesystem::path& dataRoot, Messages* messages = nullptr,
                     QWidget* parent = nullptr);
    ~frmHome() override;

    // Takes the per-data-root instance lock and creates the data root. False when another
    // instance already runs on the same data root.
    bool startUp();
    // After a failed startUp: whether another copy holds the data folder (rather than the
    // folder being unwritable).
    bool anotherInstanceRuns() const { return anotherInstance_; }
    void setOpenWorkbooks(bool open);
    // Opens a rally by its short name at start-up (--rally). The rally's lock is held while it is
    // open: a rally another program writes is not opened, and the one open before stays open.
    void openRally(const std::string& shortName);
    ProgramState& state() { return *state_; }

    // "Config", "Route Schedule" and "Entries" once a rally is created or opened.
    void enableRallyMenus();
    // "Scoring" once the entry list has loaded without an invalid score group; off again when a
    // load fails or another rally is opened.
    void enableScoringMenu(bool enabled = true);

    // The menu entry with this text ("New", "Config", "Individual Scoring", ...), or null.
    QAction* menuEntry(const QString& text) const;

private:
    // The screens that hold one rally's data (route schedule, entries, both scoring screens).
    bool rallyScreensOpen() const;
    // Another rally is open now: screens of the one before are closed and its route schedule
    // leaves memory, so that nothing of it is saved into the new rally's files.
    void rallyChanged();
    // Takes the lock of rally `shortName`, keeping the one held until then when it
    // cannot. A lock of another computer or an unreadable one is taken over when the organiser
    // agrees; one of another program running on this computer refuses. False when not taken.
    bool holdRallyLock(const std::string& shortName);
    // The New or Open screen has put another rally in the state: it stays open only with its lock;
    // otherwise the rally open before is opened again (or none).
    void rallyOpenedByScreen();
    void buildMenu();
    void buildContent();
    void showNew();
    void showOpen();
    void showAbout();
    void showRouteSchedule();
    void showConfig();
    void showEntries();
    void showScore1();
    void showScore2();
    // The configuration routine refreshes the configuration screen when it is loaded.
    void refreshConfigScreen();

    std::unique_ptr<Messages> ownMessages_;
    std::unique_ptr<ProgramState> state_;
    std::unique_ptr<QLockFile> lock_;
    // The open rally's lock, so that trakmora-cli or another computer does not write it meanwhile.
    RallyLock rallyLock_;
    bool anotherInstance_ = false;
    QAction* config_ = nullptr;
    QAction* routeSchedule_ = nullptr;
    QAction* entries_ = nullptr;
    QMenu* scoring_ = nullptr;
    QPointer<frmNew> new_;
    QPointer<frmStart> start_;
    QPointer<frmAbout> about_;
    QPointer<frmConfig> configScreen_;
    QPointer<frmEntries> entriesScreen_;
    QPointer<frmRouteSchedule> routeScheduleScreen_;
    QPointer<frmScore1> score1_;
    QPointer<frmScore2> score2_;
};

} // namespace trakmora
