#pragma once
// The individual scoring screen: one competitor's download through import, the two reductions,
// the passage times and the provisional result, one button per step or chained in auto mode, with
// the counts of each step and the track plot. "Score all" runs the whole day in one go.
#include "common/ProgramState.h"
#include "gui/tracking/frmCompetitorTable.h"
#include "gui/tracking/frmTrackMap.h"
#include "tracking/Scoring.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QTimer;

namespace trakmora {

class StatusLine;
class TrackPlot;

class frmScore1 : public QWidget {
    Q_OBJECT
public:
    explicit frmScore1(ProgramState& state, QWidget* parent = nullptr);

    int selectedDay() const { return day_; }
    bool autoMode() const { return autoMode_; }
    const ScoringRun& run() const { return run_; }

    QPushButton* dayButton() const { return dayButton_; }
    QLabel* dayLabel() const { return dayLabel_; }
    QListWidget* downloadList() const { return downloads_; }
    QListWidget* clFileList() const { return clFiles_; }
    QPushButton* importButton() const { return import_; }
    QPushButton* loadButton() const { return load_; }
    // 0 first reduction, 1 second reduction, 2 passage times, 3 provisional results.
    QPushButton* stepButton(int index) const { return steps_[static_cast<std::size_t>(index)]; }
    // Values beside "No of Controls", "No of logged coordinates", "No after 1st reduction",
    // "No after 2nd reduction", "No of final coordinates ".
    QLabel* countValue(int index) const { return counts_[static_cast<std::size_t>(index)]; }
    QLabel* modeLabel() const { return mode_; }
    QPushButton* scoreAllButton() const { return scoreAll_; }
    QPushButton* scoreAgainButton() const { return scoreAgain_; }
    QPushButton* trackMapButton() const { return trackMap_; }
    frmTrackMap* trackMap() const { return map_; }
    QProgressBar* progressBar() const { return progress_; }
    StatusLine* statusLine() const { return status_; }
    // The table of the last "Score all" or "Score again" while it is open.
    frmCompetitorTable* competitorTable() const { return table_; }
    TrackPlot* plot() const { return plot_; }
    QTimer* modeTimer() const { return modeTimer_; }
    QTimer* controlTimer() const { return controlTimer_; }

signals:
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildScreen();
    void selectNextDay();
    void refreshLists();
    void downloadClicked(QListWidgetItem* item);
    void importDownloadFile();
    void clFileClicked(QListWidgetItem* item);
    void loadClFile();
    // Runs the core steps up to `until`, then enables the next button (and runs it in auto mode).
    void runStepsUntil(ScoringStep until);
    void stepFailed(const Status& st);
    void finishCompetitor();
    void showCounts();
    void clearCounts();
    void setStepButtons(QPushButton* enabled);
    void showTrackMap();
    void updateTrackMap(const std::vector<int>& competitors, int shown);
    void showWorkingFilesSaved(ScoringStep from);
    void scoreAll();
    void scoreAgain();
    void refreshControls();
    void showMode();

    ProgramState& state_;
    int day_ = 1;
    bool autoMode_ = true;
    std::string downloadName_;
    ScoringRun run_;
    std::vector<ControlRecord> controls_; // of the selected day, re-read every second
    QPushButton* dayButton_ = nullptr;
    QLabel* dayLabel_ = nullptr;
    QListWidget* downloads_ = nullptr;
    QListWidget* clFiles_ = nullptr;
    QPushButton* import_ = nullptr;
    QPushButton* load_ = nullptr;
    std::array<QPushButton*, 4> steps_{};
    std::array<QLabel*, 5> counts_{};
    QLabel* mode_ = nullptr;
    QPushButton* scoreAll_ = nullptr;
    QPushButton* scoreAgain_ = nullptr;
    QPushButton* trackMap_ = nullptr;
    QPointer<frmTrackMap> map_;
    QProgressBar* progress_ = nullptr;
    StatusLine* status_ = nullptr;
    QPointer<frmCompetitorTable> table_;
    TrackPlot* plot_ = nullptr;
    QTimer* modeTimer_ = nullptr;
    QTimer* controlTimer_ = nullptr;
};

} // namespace trakmora
