#include "gui/tracking/frmScore1.h"

#include "common/Format.h"
#include "explain/ExplainData.h"
#include "gui/ProgressShown.h"
#include "gui/QtText.h"
#include "gui/SavedWorkbook.h"
#include "gui/ScreenPlacement.h"
#include "gui/StatusLine.h"
#include "gui/tracking/frmCompetitorTable.h"
#include "gui/tracking/frmTrackMap.h"
#include "gui/tracking/frmTrackPlot.h"
#include "reports/Printouts.h"
#include "reports/ProvisionalSheet.h"
#include "schedule/ControlFiles.h"
#include "tracking/ScoreDay.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace trakmora {

namespace {

const char* const kNoFileSelected = "No file selected";
const std::array<const char*, 4> kStepCaptions = {
    "Reduce coordinates based on distance to controls", "Reduce coordinates based on time limit at controls",
    "Load reducted coordinate list and calc times", "Print provisional results"};
// The core step each button's work ends before: the second reduction also writes the final
// shortlist, whose count is "No of final coordinates ".
const std::array<ScoringStep, 4> kStepEnds = {ScoringStep::ReduceByTime, ScoringStep::PassageTimes,
                                              ScoringStep::Result, ScoringStep::Done};
const std::array<const char*, 5> kCountCaptions = {"No of Controls", "No of logged coordinates",
                                                   "No after 1st reduction", "No after 2nd reduction",
                                                   "No of final coordinates "};

QStringList fileNames(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& n : names)
        list << qText(n);
    return list;
}

// The provisional result sheet of the competitor just scored (Results/DayScore<day>_<no>.xlsx).
void writeProvisionalWorkbook(const ProgramState& state, const ScoringRun& run) {
    const Status st = openedWhenSaved(state, writeProvisionalSheet(state, run),
                                      provisionalSheetFile(state, run.day, run.competitorNo));
    if (!st) state.messages->info(st.message());
}

// The working files a step writes (the chain of tracking/Scoring.h).
std::vector<std::string> workingFilesOf(ScoringStep step, int day, int competitorNo) {
    switch (step) {
    case ScoringStep::ReduceByDistance:
        return {shortlistFileName(1, day, competitorNo)};
    case ScoringStep::ReduceByTime:
        return {shortlistFileName(2, day, competitorNo)};
    case ScoringStep::FinalShortlist:
        return {shortlistFileName(3, day, competitorNo)};
    case ScoringStep::PassageTimes:
        return {reportFileName(day, competitorNo)};
    default:
        return {};
    }
}

// What "Score all" saved, for the status line.
QString scoredText(int day, int scored, bool sheets) {
    if (scored == 0) return QStringLiteral("Day %1: no competitor scored").arg(day);
    if (scored == 1)
        return QStringLiteral("Day %1: 1 competitor scored, its R file%2 saved in Results")
            .arg(day)
            .arg(sheets ? QStringLiteral(" and provisional result sheet") : QString());
    return QStringLiteral("Day %1: %2 competitors scored, their R files%3 saved in Results")
        .arg(day)
        .arg(scored)
        .arg(sheets ? QStringLiteral(" and provisional result sheets") : QString());
}

} // namespace

frmScore1::frmScore1(ProgramState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state) {
    setWindowTitle(QStringLiteral("Individual Scoring"));
    setDesignedSize(this, QSize(twips(12000), twips(7500)));
    buildScreen();

    day_ = std::clamp(static_cast<int>(std::lround(state_.config.noOfDays)), 1, kMaxDays);
    state_.rally.selectedDay = day_;
    state_.selectedDayStartTime = state_.config.dayStartTime[1];
    dayLabel_->setText(QStringLiteral("Day %1").arg(day_));
    refreshLists();
    refreshControls();

    modeTimer_ = new QTimer(this);
    connect(modeTimer_, &QTimer::timeout, this, &frmScore1::showMode);
    modeTimer_->start(500);
    controlTimer_ = new QTimer(this);
    connect(controlTimer_, &QTimer::timeout, this, &frmScore1::refreshControls);
    controlTimer_->start(1000);
    showMode();
}

void frmScore1::buildScreen() {
    auto* top = new QHBoxLayout;
    dayButton_ = new QPushButton(QStringLiteral("Select  Day"), this);
    dayLabel_ = new QLabel(this);
    QFont bold = dayLabel_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    dayLabel_->setFont(bold);
    mode_ = new QLabel(this);
    mode_->setFont(bold);
    mode_->setToolTip(
        QStringLiteral("Click to switch between running the steps in a chain and one at a time"));
    mode_->setCursor(Qt::PointingHandCursor);
    mode_->installEventFilter(this);
    trackMap_ = new QPushButton(QStringLiteral("Track map"), this);
    trackMap_->setToolTip(QStringLiteral("How the competitor just scored passed each control"));
    trackMap_->setEnabled(false);
    scoreAll_ = new QPushButton(QStringLiteral("Score all"), this);
    scoreAll_->setToolTip(QStringLiteral("Import every waiting download of the day and score every CL file"));
    scoreAgain_ = new QPushButton(QStringLiteral("Score again"), this);
    scoreAgain_->setToolTip(QStringLiteral("Import and score every download of the day again from "
                                           "CompetitorsLog\\Bak, after a control was corrected"));
    top->addWidget(dayButton_);
    top->addWidget(dayLabel_);
    top->addStretch(1);
    top->addWidget(trackMap_);
    top->addWidget(scoreAll_);
    top->addWidget(scoreAgain_);
    top->addSpacing(12);
    top->addWidget(mode_);

    // The two lists one above the other, so that each button beneath keeps its whole caption.
    auto* files = new QVBoxLayout;
    downloads_ = new QListWidget(this);
    clFiles_ = new QListWidget(this);
    import_ = new QPushButton(QStringLiteral("Select Tracker file and create CL file"), this);
    load_ = new QPushButton(QStringLiteral("Select CL File and load data"), this);
    files->addWidget(new QLabel(QStringLiteral("Downloads"), this));
    files->addWidget(downloads_, 1);
    files->addWidget(import_);
    files->addSpacing(6);
    files->addWidget(new QLabel(QStringLiteral("CL files"), this));
    files->addWidget(clFiles_, 1);
    files->addWidget(load_);

    auto* stepsBox = new QVBoxLayout;
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        steps_[i] = new QPushButton(QString::fromUtf8(kStepCaptions[i]), this);
        stepsBox->addWidget(steps_[i]);
        connect(steps_[i], &QPushButton::clicked, this, [this, i] { runStepsUntil(kStepEnds[i]); });
    }
    auto* countGrid = new QGridLayout;
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        countGrid->addWidget(new QLabel(QString::fromUtf8(kCountCaptions[i]), this), static_cast<int>(i), 0);
        counts_[i] = new QLabel(this);
        counts_[i]->setMinimumWidth(60);
        counts_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        counts_[i]->setFrameShape(QFrame::StyledPanel);
        countGrid->addWidget(counts_[i], static_cast<int>(i), 1);
    }
    stepsBox->addSpacing(8);
    stepsBox->addLayout(countGrid);
    stepsBox->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->addLayout(files, 1);
    middle->addSpacing(12);
    middle->addLayout(stepsBox);

    plot_ = new TrackPlot(this);
    plot_->setFixedHeight(120);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(plot_);

    // What the last action wrote, and the progress of "Score all", stay in view below the body.
    auto* footer = new QWidget;
    auto* foot = new QHBoxLayout(footer);
    foot->setContentsMargins(9, 2, 9, 6);
    status_ = new StatusLine(footer);
    progress_ = new QProgressBar(footer);
    progress_->setVisible(false);
    foot->addWidget(status_, 1);
    foot->addWidget(progress_, 1);
    layOutScrolling(this, body, footer);

    setStepButtons(nullptr);
    import_->setEnabled(false);
    load_->setEnabled(false);

    connect(dayButton_, &QPushButton::clicked, this, &frmScore1::selectNextDay);
    connect(downloads_, &QListWidget::itemClicked, this, &frmScore1::downloadClicked);
    connect(import_, &QPushButton::clicked, this, &frmScore1::importDownloadFile);
    connect(clFiles_, &QListWidget::itemClicked, this, &frmScore1::clFileClicked);
    connect(load_, &QPushButton::clicked, this, &frmScore1::loadClFile);
    connect(scoreAll_, &QPushButton::clicked, this, &frmScore1::scoreAll);
    connect(scoreAgain_, &QPushButton::clicked, this, &frmScore1::scoreAgain);
    connect(trackMap_, &QPushButton::clicked, this, &frmScore1::showTrackMap);
}

void frmScore1::selectNextDay() {
    day_ = std::min(nextScoringDay(day_, static_cast<int>(std::lround(state_.config.noOfDays))), kMaxDays);
    state_.rally.selectedDay = day_;
    dayLabel_->setText(QStringLiteral("Day %1").arg(day_));
    state_.selectedDayStartTime = state_.config.dayStartTime[static_cast<std::size_t>(day_)];
    refreshLists();
    refreshControls();
}

void frmScore1::refreshLists() {
    const CompetitorFiles files = listCompetitorFiles(state_, day_);
    downloads_->clear();
    downloads_->addItems(fileNames(files.downloads));
    clFiles_->clear();
    clFiles_->addItems(fileNames(files.clFiles));
    const std::vector<int> kept = keptCompetitors(state_, day_);
    trackMap_->setEnabled(!kept.empty());
    // An open map follows the day and the competitors scored since.
    if (map_ && map_->isVisible()) updateTrackMap(kept, map_->competitor());
}

void frmScore1::downloadClicked(QListWidgetItem* item) {
    plot_->clear();
    if (!item) {
        state_.messages->info(kNoFileSelected);
        return;
    }
    downloadName_ = item->text().toStdString();
    downloads_->setEnabled(false);
    import_->setEnabled(true);
    dayButton_->setEnabled(false);
}

void frmScore1::importDownloadFile() {
    ImportResult result;
    if (const Status st = importDownload(state_, day_, downloadName_, result); !st) {
        state_.messages->info(st.message());
    } else {
        status_->showSaved({state_.rallyFile(RallyFolder::CompetitorsLog, result.clFileName)},
                           QStringLiteral("%1; %2 moved to CompetitorsLog\\Bak")
                               .arg(qText(importSummary(result)))
                               .arg(qText(downloadName_)));
        if (!result.earlierBackup.empty())
            state_.messages->info("The earlier download " + downloadName_ +
                                  " in CompetitorsLog\\Bak is kept as " + result.earlierBackup);
    }
    import_->setEnabled(false);
    downloads_->setEnabled(true);
    // Unless a competitor is part-way through its steps, another day may be chosen again.
    dayButton_->setEnabled(clFiles_->isEnabled());
    refreshLists();
}

void frmScore1::clFileClicked(QListWidgetItem* item) {
    plot_->clear();
    clearCounts();
    if (!item) {
        state_.messages->info(kNoFileSelected);
        return;
    }
    run_ = ScoringRun{};
    run_.clFileName = item->text().toStdString();
    clFiles_->setEnabled(false);
    load_->setEnabled(true);
    dayButton_->setEnabled(false);
}

void frmScore1::loadClFile() {
    plot_->clear();
    load_->setEnabled(false);
    const std::string name = run_.clFileName;
    if (const Status st = loadCompetitor(state_, day_, name, run_); !st) {
        run_ = ScoringRun{};
        stepFailed(st);
        return;
    }
    controls_ = run_.controls;
    showCounts();
    plot_->setControls(controlLines(run_.controls, run_.speedGroup));
    plot_->setTrack(trackSegments(run_.fixes));
    setStepButtons(steps_[0]);
    if (autoMode_) runStepsUntil(kStepEnds[0]);
}

void frmScore1::runStepsUntil(ScoringStep until) {
    const ScoringStep from = run_.next;
    while (run_.next != until && run_.next != ScoringStep::Done) {
        if (const Status st = runNextStep(state_, run_); !st) {
            showCounts();
            stepFailed(st);
            return;
        }
    }
    showCounts();
    showWorkingFilesSaved(from);
    if (until == ScoringStep::Done) {
        finishCompetitor();
        return;
    }
    const auto index =
        static_cast<std::size_t>(std::find(kStepEnds.begin(), kStepEnds.end(), until) - kStepEnds.begin());
    setStepButtons(steps_[index + 1]);
    if (autoMode_) runStepsUntil(kStepEnds[index + 1]);
}

void frmScore1::stepFailed(const Status& st) {
    state_.messages->info(st.message());
    setStepButtons(nullptr);
    load_->setEnabled(false);
    clFiles_->setEnabled(true);
    dayButton_->setEnabled(downloads_->isEnabled());
    refreshLists();
}

void frmScore1::showWorkingFilesSaved(ScoringStep from) {
    // In auto mode the chain goes on to the R file, which says what it saved.
    if (run_.next == ScoringStep::Done || autoMode_) return;
    std::vector<std::filesystem::path> files;
    for (auto step = from; step < run_.next; step = static_cast<ScoringStep>(static_cast<int>(step) + 1))
        for (const std::string& name : workingFilesOf(step, run_.day, run_.competitorNo))
            files.push_back(state_.rallyFile(RallyFolder::Working, name));
    if (!files.empty()) status_->showSaved(files);
}

void frmScore1::showTrackMap() {
    const std::vector<int> competitors = keptCompetitors(state_, day_);
    if (competitors.empty()) {
        state_.messages->info("No track map: no scoring files of day " + std::to_string(day_) + " were kept");
        trackMap_->setEnabled(false);
        return;
    }
    const bool opening = !map_;
    if (opening) {
        map_ = new frmTrackMap(this);
        map_->setWindowFlag(Qt::Window);
        map_->setAttribute(Qt::WA_DeleteOnClose);
        map_->resize(640, 560);
    }
    // The competitor just scored, or after "Score all" the first of the day.
    updateTrackMap(competitors, run_.day == day_ ? run_.competitorNo : 0);
    if (opening) placeOver(map_, this);
    bringForward(map_);
}

void frmScore1::updateTrackMap(const std::vector<int>& competitors, int shown) {
    const ProgramState* state = &state_;
    const int day = day_;
    map_->setCompetitors(competitors, day_, shown,
                         [state, day](int competitorNo, std::vector<ExplainScene>& scenes) {
                             return loadExplainScenes(*state, day, competitorNo, scenes);
                         });
}

void frmScore1::finishCompetitor() {
    writeProvisionalWorkbook(state_, run_);
    status_->showSaved({provisionalSheetFile(state_, run_.day, run_.competitorNo),
                        state_.rallyFile(RallyFolder::Results, resultFileName(run_.day, run_.competitorNo))},
                       QStringLiteral("Competitor %1, day %2: %3")
                           .arg(run_.competitorNo)
                           .arg(run_.day)
                           .arg(qText(formatNumber(run_.dayTotal))));
    setStepButtons(nullptr);
    clFiles_->setEnabled(true);
    dayButton_->setEnabled(downloads_->isEnabled());
    refreshLists();
}

void frmScore1::showCounts() {
    const std::array<std::size_t, 5> values = {
        run_.controls.size(), run_.fixes.size(), static_cast<std::size_t>(run_.firstReductionCount),
        static_cast<std::size_t>(run_.secondReductionCount), static_cast<std::size_t>(run_.finalCount)};
    // A count shows once its step has run.
    const std::array<bool, 5> ran = {true, true, run_.next > ScoringStep::ReduceByDistance,
                                     run_.next > ScoringStep::ReduceByTime,
                                     run_.next > ScoringStep::FinalShortlist};
    for (std::size_t i = 0; i < counts_.size(); ++i)
        counts_[i]->setText(ran[i] ? QString::number(values[i]) : QString());
}

void frmScore1::clearCounts() {
    for (QLabel* c : counts_)
        c->clear();
}

void frmScore1::setStepButtons(QPushButton* enabled) {
    for (QPushButton* b : steps_)
        b->setEnabled(b == enabled);
}

void frmScore1::scoreAll() {
    const std::array<QWidget*, 7> busy = {dayButton_,  downloads_, clFiles_, scoreAll_,
                                          scoreAgain_, import_,    load_};
    std::array<bool, 7> wasEnabled{};
    for (std::size_t i = 0; i < busy.size(); ++i) {
        wasEnabled[i] = busy[i]->isEnabled();
        busy[i]->setEnabled(false);
    }
    setStepButtons(nullptr);
    plot_->clear();
    clearCounts();
    const DayProgress showProgress = progressShownOn(progress_);
    // Every competitor gets the provisional result sheet that scoring one by one gives; the
    // sheets are saved without opening them, a whole day of workbooks would bury the desktop.
    const DaySummary summary = scoreDay(state_, day_, showProgress, provisionalSheetWriter(state_));
    progress_->setVisible(false);
    run_ = ScoringRun{};
    for (std::size_t i = 0; i < busy.size(); ++i)
        busy[i]->setEnabled(wasEnabled[i]);
    // A competitor part-way through its steps was scored with the rest: start again from the lists.
    clFiles_->setEnabled(true);
    downloads_->setEnabled(true);
    dayButton_->setEnabled(true);
    import_->setEnabled(false);
    load_->setEnabled(false);
    refreshLists();
    if (table_) table_->close();
    table_ = new frmCompetitorTable(summary, day_, this);
    // Said once the table is closed: while it is open the table says it, and a long look at it
    // would outlast the status line.
    const QString saved = scoredText(day_, summary.competitorsScored, state_.writeWorkbooks);
    connect(table_, &QDialog::finished, status_, [this, saved] { status_->showFor(saved); });
    placeOver(table_, this);
    table_->open();
}

void frmScore1::scoreAgain() {
    const std::string question =
        "Every download of day " + std::to_string(day_) +
        " kept in CompetitorsLog\\Bak is imported and scored again against the present "
        "control file, replacing the competitors' R files. Do you wish to proceed?";
    if (!state_.messages->ask("Score again", question)) return;
    std::vector<std::string> restored;
    if (const Status st = restoreDownloads(state_, day_, restored); !st) {
        state_.messages->info(st.message());
        return;
    }
    scoreAll();
}

void frmScore1::refreshControls() {
    const std::filesystem::path file = controlFilePath(state_, day_);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return;
    std::vector<ControlRecord> controls;
    if (!readControlFile(file, controls)) return; // half-written by the route schedule: next second
    controls_ = std::move(controls);
    if (!run_.fixes.empty()) counts_[0]->setText(QString::number(controls_.size()));
}

void frmScore1::showMode() {
    mode_->setText(autoMode_ ? QStringLiteral("auto") : QStringLiteral("man"));
    if (!run_.fixes.empty()) plot_->setControls(controlLines(controls_, run_.speedGroup));
}

bool frmScore1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mode_ && event->type() == QEvent::MouseButtonRelease) {
        autoMode_ = !autoMode_;
        showMode();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmScore1::closeEvent(QCloseEvent* event) {
    emit closing();
    QWidget::closeEvent(event);
}

} // namespace trakmora
