#include "gui/results/frmScore2.h"

#include "gui/ProgressShown.h"
#include "gui/QtText.h"
#include "gui/SavedWorkbook.h"
#include "gui/ScreenPlacement.h"
#include "gui/StatusLine.h"
#include "gui/results/frmDayMatrixView.h"
#include "reports/Printouts.h"
#include "results/ControlAudit.h"
#include "results/Corrections.h"
#include "results/ResultFiles.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace trakmora {

namespace {

const char* const kFinalHint =
    "To enable the \"Final Results\" button, first toggle the \"Select Day\"button";

QLabel* swatch(CellState state, QWidget* parent) {
    auto* s = new QLabel(parent);
    const int c = cellColour(state);
    s->setFixedSize(28, 18);
    s->setStyleSheet(QStringLiteral("background: rgb(%1,%2,%3); border: 1px solid #5a5a5a;")
                         .arg(c & 0xff)
                         .arg((c >> 8) & 0xff)
                         .arg((c >> 16) & 0xff));
    return s;
}

} // namespace

frmScore2::frmScore2(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), scoring_(state) {
    setWindowTitle(QStringLiteral("Group Scoring"));
    setDesignedSize(this, QSize(twips(13500), twips(9000)));
    body_ = new QWidget;

    selectDay_ = new QPushButton(QStringLiteral("Select Day"), this);
    // The button hides for two seconds after a click; the screen must not jump meanwhile.
    QSizePolicy keepPlace = selectDay_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    selectDay_->setSizePolicy(keepPlace);
    title_ = new QLabel(this);
    QFont big = title_->font();
    big.setPointSize(big.pointSize() + 10);
    big.setBold(true);
    title_->setFont(big);
    title_->setAlignment(Qt::AlignCenter);
    title_->setMinimumWidth(120);
    auto* finalHint = new QLabel(QString::fromUtf8(kFinalHint), this);
    finalHint->setWordWrap(true);
    scrap_ = new QPushButton(QStringLiteral("Scrap a control"), this);
    restore_ = new QPushButton(QStringLiteral("Restore a control"), this);

    auto* left = new QVBoxLayout;
    left->addWidget(selectDay_);
    left->addWidget(title_);
    left->addWidget(finalHint);
    left->addSpacing(10);
    left->addWidget(scrap_);
    left->addWidget(buildScrapPanel());
    left->addWidget(restore_);
    left->addWidget(buildRestorePanel());
    left->addStretch(1);

    matrix_ = new DayMatrixView(this);
    matrix_->setCellDescription([this](int n) { return qText(scoring_.cellDescription(n)); });
    auto* right = new QVBoxLayout;
    right->addWidget(matrix_);
    right->addWidget(buildLegend());
    // Shown with the scrap panel: how each control of the day scored, so a control set up at the
    // wrong place stands out before it is scrapped.
    audit_ = new QPlainTextEdit(this);
    audit_->setReadOnly(true);
    audit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    audit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    audit_->setMinimumHeight(120);
    audit_->setVisible(false);
    right->addWidget(audit_, 4);
    right->addWidget(buildCorrectionsPanel(), 2);
    right->addStretch(1);

    // One width for the left column whichever panel is open, so the matrix does not jump.
    auto* leftPane = new QWidget(this);
    leftPane->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    leftPane->setFixedWidth(std::max(leftPane->sizeHint().width(), fontMetrics().averageCharWidth() * 36));
    auto* layout = new QHBoxLayout(body_);
    layout->addWidget(leftPane);
    layout->addLayout(right, 1);
    // The body scrolls on a small desktop; the printing buttons and the status line stay in view.
    layOutScrolling(this, body_, buildFooter());

    for (QPushButton* b : {scrap_, restore_, combined_, dayPosition_, final_})
        b->setEnabled(false);
    scrapPanel_->setVisible(false);
    restorePanel_->setVisible(false);
    writing_->setVisible(false);
    progress_->setVisible(false);

    rearm_ = new QTimer(this);
    rearm_->setSingleShot(true);
    rearm_->setInterval(2000);
    connect(rearm_, &QTimer::timeout, this, [this] {
        selectDay_->setVisible(true);
        selectDay_->setEnabled(true);
    });
    workbookCheck_ = new QTimer(this);
    connect(workbookCheck_, &QTimer::timeout, this, &frmScore2::checkDayScoreWorkbook);
    workbookCheck_->start(500);

    connect(selectDay_, &QPushButton::clicked, this, &frmScore2::selectDay);
    connect(matrix_, &DayMatrixView::cellClicked, this, &frmScore2::cellClicked);
    connect(scrap_, &QPushButton::clicked, this, &frmScore2::openScrapPanel);
    connect(restore_, &QPushButton::clicked, this, &frmScore2::openRestorePanel);
    connect(combined_, &QPushButton::clicked, this, &frmScore2::printCombinedDayResults);
    connect(dayPosition_, &QPushButton::clicked, this, &frmScore2::printDayPositions);
    connect(final_, &QPushButton::clicked, this, &frmScore2::printFinalResults);
    showMatrix();
}

QWidget* frmScore2::buildFooter() {
    footer_ = new QWidget(this);
    combined_ = new QPushButton(QStringLiteral("Print combined day results"), footer_);
    dayPosition_ = new QPushButton(QStringLiteral("Print Day Position"), footer_);
    final_ = new QPushButton(QStringLiteral("Final Results"), footer_);
    writing_ = new QLabel(QStringLiteral("Writing to Excel"), footer_);
    writing_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    writing_->setAlignment(Qt::AlignCenter);
    progress_ = new QProgressBar(footer_);
    status_ = new StatusLine(footer_);
    status_->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(combined_);
    buttons->addWidget(dayPosition_);
    buttons->addWidget(final_);
    buttons->addStretch(1);
    buttons->addWidget(writing_);
    auto* footer = new QVBoxLayout(footer_);
    footer->addLayout(buttons);
    footer->addWidget(progress_);
    footer->addWidget(status_);
    return footer_;
}

QWidget* frmScore2::buildCorrectionsPanel() {
    correctionsPanel_ = new QWidget(this);
    auto* panel = new QVBoxLayout(correctionsPanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(QStringLiteral("Corrections"), correctionsPanel_);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    correctionsList_ = new QListWidget(correctionsPanel_);
    correctionsList_->setMinimumHeight(fontMetrics().height() * 4);
    correctionComp_ = new QSpinBox(correctionsPanel_);
    correctionComp_->setRange(1, kMaxEntries);
    correctionKind_ = new QComboBox(correctionsPanel_);
    correctionKind_->addItem(QStringLiteral("Set control"), static_cast<int>(CorrectionKind::SetControl));
    correctionKind_->addItem(QStringLiteral("Penalty"), static_cast<int>(CorrectionKind::Penalty));
    correctionKind_->addItem(QStringLiteral("Exclude"), static_cast<int>(CorrectionKind::Exclude));
    correctionControl_ = new QSpinBox(correctionsPanel_);
    correctionControl_->setRange(1, kMaxControlScores);
    correctionValueLabel_ = new QLabel(correctionsPanel_);
    correctionValue_ = new QDoubleSpinBox(correctionsPanel_);
    correctionValue_->setDecimals(0);
    correctionValue_->setRange(-99999, 99999);
    correctionReason_ = new QLineEdit(correctionsPanel_);
    correctionReason_->setPlaceholderText(QStringLiteral("Reason"));
    addCorrection_ = new QPushButton(QStringLiteral("Add"), correctionsPanel_);
    removeCorrection_ = new QPushButton(QStringLiteral("Remove"), correctionsPanel_);

    // The decision on one line, its reason and the buttons on the next, so that the reason has
    // room on a laptop.
    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("No."), correctionsPanel_));
    entry->addWidget(correctionComp_);
    entry->addWidget(correctionKind_);
    entry->addWidget(new QLabel(QStringLiteral("Control"), correctionsPanel_));
    entry->addWidget(correctionControl_);
    entry->addWidget(correctionValueLabel_);
    entry->addWidget(correctionValue_);
    entry->addStretch(1);
    auto* reason = new QHBoxLayout;
    reason->addWidget(correctionReason_, 1);
    reason->addWidget(addCorrection_);
    reason->addWidget(removeCorrection_);
    panel->addWidget(title);
    panel->addWidget(correctionsList_, 1);
    panel->addLayout(entry);
    panel->addLayout(reason);

    connect(correctionKind_, &QComboBox::currentIndexChanged, this, &frmScore2::showCorrectionKind);
    connect(addCorrection_, &QPushButton::clicked, this, &frmScore2::addCorrection);
    connect(removeCorrection_, &QPushButton::clicked, this, &frmScore2::removeCorrection);
    connect(correctionsList_, &QListWidget::currentRowChanged, this,
            [this](int row) { removeCorrection_->setEnabled(row >= 0); });
    showCorrectionKind();
    correctionsPanel_->setVisible(false);
    return correctionsPanel_;
}

void frmScore2::showCorrectionKind() {
    const auto kind = static_cast<CorrectionKind>(correctionKind_->currentData().toInt());
    correctionControl_->setEnabled(kind == CorrectionKind::SetControl);
    correctionValue_->setEnabled(kind != CorrectionKind::Exclude);
    correctionValueLabel_->setText(kind == CorrectionKind::SetControl ? QStringLiteral("Score")
                                                                      : QStringLiteral("Seconds"));
}

void frmScore2::showCorrections() {
    correctionsPanel_->setVisible(scoring_.dayMode());
    correctionsList_->clear();
    for (const AppliedCorrection& a : scoring_.corrections()) {
        auto* item = new QListWidgetItem(
            qText(correctionText(a.correction) + (a.effect == CorrectionEffect::Applied
                                                      ? std::string()
                                                      : " (" + correctionEffectText(a) + ")")),
            correctionsList_);
        item->setData(Qt::UserRole, a.correction.id);
        item->setToolTip(qText("Entered " + a.correction.entered));
    }
    removeCorrection_->setEnabled(correctionsList_->currentRow() >= 0);
}

void frmScore2::addCorrection() {
    Correction c;
    c.compNo = correctionComp_->value();
    c.kind = static_cast<CorrectionKind>(correctionKind_->currentData().toInt());
    c.control = correctionControl_->value();
    c.value = correctionValue_->value();
    c.reason = correctionReason_->text().toStdString();
    Correction added;
    std::string outcome;
    const Status st = scoring_.addCorrection(c, added, outcome);
    if (st) correctionReason_->clear();
    afterCorrection(st, outcome);
}

void frmScore2::removeCorrection() {
    const QListWidgetItem* item = correctionsList_->currentItem();
    if (!item) return;
    const int id = item->data(Qt::UserRole).toInt();
    if (!scoring_.askToRemoveCorrection(id)) return;
    Correction removed;
    std::string outcome;
    afterCorrection(scoring_.removeCorrection(id, removed, outcome), outcome);
}

void frmScore2::afterCorrection(const Status& st, const std::string& outcome) {
    report(st);
    if (st)
        status_->showSaved({correctionsFile(state_, scoring_.selectedDay()),
                            dayScoreFile(state_, scoring_.selectedDay()),
                            state_.rallyFile(RallyFolder::EntryList, "EntryList.csv")},
                           qText(outcome));
    // The day was built again: the combined results are printed anew before the positions.
    combined_->setEnabled(scoring_.dayMode());
    dayPosition_->setEnabled(dayPositionReady());
    showMatrix();
    showCorrections();
}

QWidget* frmScore2::buildLegend() {
    auto* legend = new QWidget(this);
    auto* grid = new QGridLayout(legend);
    int row = 0;
    for (CellState s : {CellState::Finisher, CellState::NonFinisher, CellState::NonStarter}) {
        grid->addWidget(swatch(s, legend), row, 0);
        grid->addWidget(new QLabel(QString::fromUtf8(cellCaption(s)), legend), row, 1);
        ++row;
    }
    // "Click" a green cell "to convert to" a yellow one, and back.
    clickHint_ = new QLabel(QStringLiteral("Click"), legend);
    hintCells_ = new QWidget(legend);
    auto* hint = new QHBoxLayout(hintCells_);
    hint->setContentsMargins(0, 0, 0, 0);
    hint->addWidget(swatch(CellState::Finisher, hintCells_));
    hint->addWidget(new QLabel(QStringLiteral("to convert to"), hintCells_));
    hint->addWidget(swatch(CellState::NonFinisher, hintCells_));
    hint->addStretch(1);
    grid->addWidget(clickHint_, 0, 3, Qt::AlignRight);
    grid->addWidget(hintCells_, 0, 4);
    grid->setColumnMinimumWidth(2, 40);
    grid->setColumnStretch(4, 1);
    return legend;
}

QWidget* frmScore2::buildScrapPanel() {
    scrapPanel_ = new QWidget(this);
    auto* panel = new QVBoxLayout(scrapPanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    auto* choose = new QLabel(QStringLiteral("Select the control you wish to scrap"), scrapPanel_);
    choose->setWordWrap(true);
    auto* decide =
        new QLabel(QStringLiteral("Either scrap the selected control or close the operation"), scrapPanel_);
    decide->setWordWrap(true);
    previous_ = new QPushButton(QStringLiteral("<"), scrapPanel_);
    next_ = new QPushButton(QStringLiteral(">"), scrapPanel_);
    scrapNo_ = new QLabel(scrapPanel_);
    scrapNo_->setAlignment(Qt::AlignCenter);
    scrapNo_->setMinimumWidth(40);
    scrapNo_->setFrameShape(QFrame::StyledPanel);
    scrapNow_ = new QPushButton(QStringLiteral("Scrap"), scrapPanel_);
    closePanel_ = new QPushButton(QStringLiteral("Close"), scrapPanel_);
    auto* stepper = new QHBoxLayout;
    stepper->addWidget(previous_);
    stepper->addWidget(scrapNo_);
    stepper->addWidget(next_);
    auto* actions = new QHBoxLayout;
    actions->addWidget(scrapNow_);
    actions->addWidget(closePanel_);
    panel->addWidget(choose);
    panel->addLayout(stepper);
    panel->addWidget(decide);
    panel->addLayout(actions);

    connect(previous_, &QPushButton::clicked, this, [this] {
        scoring_.previousControl();
        scrapNo_->setNum(scoring_.scrapControlNo());
    });
    connect(next_, &QPushButton::clicked, this, [this] {
        scoring_.nextControl();
        scrapNo_->setNum(scoring_.scrapControlNo());
    });
    connect(scrapNow_, &QPushButton::clicked, this, &frmScore2::scrapSelectedControl);
    connect(closePanel_, &QPushButton::clicked, this, &frmScore2::closeScrapPanel);
    return scrapPanel_;
}

QWidget* frmScore2::buildRestorePanel() {
    restorePanel_ = new QWidget(this);
    auto* panel = new QVBoxLayout(restorePanel_);
    panel->setContentsMargins(0, 0, 0, 0);
    auto* choose =
        new QLabel(QStringLiteral("Select the scrapped control you wish to restore"), restorePanel_);
    choose->setWordWrap(true);
    restoreChoice_ = new QComboBox(restorePanel_);
    restoreNow_ = new QPushButton(QStringLiteral("Restore"), restorePanel_);
    closeRestore_ = new QPushButton(QStringLiteral("Close"), restorePanel_);
    auto* actions = new QHBoxLayout;
    actions->addWidget(restoreNow_);
    actions->addWidget(closeRestore_);
    panel->addWidget(choose);
    panel->addWidget(restoreChoice_);
    panel->addLayout(actions);
    connect(restoreNow_, &QPushButton::clicked, this, &frmScore2::restoreSelectedControl);
    connect(closeRestore_, &QPushButton::clicked, this, &frmScore2::closeRestorePanel);
    return restorePanel_;
}

void frmScore2::selectDay() {
    rearm_->start();
    selectDay_->setVisible(false);
    selectDay_->setEnabled(false);
    closeScrapPanel();
    closeRestorePanel();
    report(scoring_.selectDay());
    showPosition();
}

void frmScore2::showPosition() {
    title_->setText(qText(scoring_.dayTitle()));
    const bool final = scoring_.finalMode();
    for (QPushButton* b : {combined_, dayPosition_, scrap_, restore_})
        b->setVisible(!final);
    final_->setEnabled(final);
    clickHint_->setText(final ? QString() : QStringLiteral("Click"));
    hintCells_->setVisible(!final);
    if (scoring_.dayMode()) {
        scrap_->setEnabled(true);
        combined_->setEnabled(true);
        dayPosition_->setEnabled(dayPositionReady());
    }
    showRestoreButton();
    showMatrix();
    showCorrections();
}

bool frmScore2::dayPositionReady() const {
    return scoring_.dayMode() && !scoring_.combinedOutdated() &&
           dayScoreWorkbookExists(state_, scoring_.selectedDay());
}

void frmScore2::showRestoreButton() {
    std::vector<int> scrapped;
    const Status st = scoring_.scrappedControls(scrapped);
    restore_->setEnabled(st && !scrapped.empty() && !restorePanel_->isVisible());
}

void frmScore2::showMatrix() {
    matrix_->setMatrix(scoring_.matrix(), scoring_.shownCells());
}

void frmScore2::cellClicked(int compNo) {
    if (!scoring_.dayMode()) return;
    report(scoring_.toggleNonFinisher(compNo));
    showMatrix();
}

void frmScore2::openScrapPanel() {
    closeRestorePanel();
    scoring_.openScrapPanel();
    scrapNo_->setNum(scoring_.scrapControlNo());
    scrap_->setVisible(false);
    scrapPanel_->setVisible(true);
    showAudit();
    combined_->setEnabled(false);
    dayPosition_->setEnabled(false);
}

void frmScore2::showAudit() {
    ControlAudit audit;
    const Status st = auditDay(state_, scoring_.selectedDay(), audit);
    audit_->setPlainText(qText(st ? auditTableText(audit) : st.message()));
    audit_->setVisible(true);
}

void frmScore2::closeScrapPanel() {
    if (!scrapPanel_->isVisible()) return;
    audit_->setVisible(false);
    scrapPanel_->setVisible(false);
    scrap_->setVisible(true);
    scrap_->setEnabled(true);
    // What the open panel held back is available again.
    combined_->setEnabled(scoring_.dayMode());
    dayPosition_->setEnabled(dayPositionReady());
}

void frmScore2::scrapSelectedControl() {
    const int control = scoring_.scrapControlNo();
    bool yes = false;
    int scores = 0;
    if (const Status asked = scoring_.askToScrap(control, yes, scores); !asked || !yes) {
        report(asked);
        return;
    }
    const Status st = scoring_.scrapControl();
    report(st);
    // The day is built again at once, as selecting it again would: the day score file, the entry
    // list's totals and the matrix follow the scrap before anything is printed or the final
    // is entered.
    if (st) {
        const Status built = scoring_.enterDay(scoring_.selectedDay());
        report(built);
        if (built)
            status_->showSaved(
                scoring_.scrapFiles(),
                QStringLiteral("Control %1 of day %2 scrapped: %3 set to 0")
                    .arg(control)
                    .arg(scoring_.selectedDay())
                    .arg(scores == 1 ? QStringLiteral("1 score") : QStringLiteral("%1 scores").arg(scores)));
        // The combined day results can be printed again at once; the day positions follow them.
        combined_->setEnabled(true);
        dayPosition_->setEnabled(dayPositionReady());
    }
    showMatrix();
    showAudit();
    showRestoreButton();
    showCorrections();
}

void frmScore2::openRestorePanel() {
    closeScrapPanel();
    std::vector<int> scrapped;
    if (const Status st = scoring_.scrappedControls(scrapped); !st) {
        report(st);
        return;
    }
    restoreChoice_->clear();
    for (int c : scrapped)
        restoreChoice_->addItem(QStringLiteral("Control %1").arg(c), c);
    restore_->setVisible(false);
    restorePanel_->setVisible(true);
}

void frmScore2::closeRestorePanel() {
    if (!restorePanel_->isVisible()) return;
    restorePanel_->setVisible(false);
    restore_->setVisible(!scoring_.finalMode());
    showRestoreButton();
}

void frmScore2::restoreSelectedControl() {
    if (restoreChoice_->currentIndex() < 0) return;
    const int control = restoreChoice_->currentData().toInt();
    if (!scoring_.askToRestore(control)) return;
    // The whole day is scored again: nothing else may start meanwhile.
    body_->setEnabled(false);
    footer_->setEnabled(false);
    const DayProgress showProgress = progressShownOn(progress_);
    DaySummary summary;
    const Status st = scoring_.restoreControl(control, summary, showProgress, provisionalSheetWriter(state_));
    progress_->setVisible(false);
    body_->setEnabled(true);
    footer_->setEnabled(true);
    closeRestorePanel();
    if (!st) {
        report(st);
    } else {
        status_->showSaved(scoring_.scrapFiles(),
                           QStringLiteral("Control %1 of day %2 restored: %3 competitors scored again")
                               .arg(control)
                               .arg(scoring_.selectedDay())
                               .arg(summary.competitorsScored));
        if (!summary.messages.empty()) state_.messages->info(daySummaryText(summary));
    }
    combined_->setEnabled(scoring_.dayMode());
    dayPosition_->setEnabled(dayPositionReady());
    showMatrix();
    showRestoreButton();
    showCorrections();
}

void frmScore2::printCombinedDayResults() {
    bool proceeded = false;
    const Status st = scoring_.printCombinedDayResults(proceeded);
    if (!proceeded) {
        report(st);
        return;
    }
    if (st) {
        if (withWritingNotice([this] {
                return openedWhenSaved(state_, writeDayScoreWorkbook(state_, scoring_),
                                       dayScoreFilesOf(state_, scoring_).front());
            }))
            status_->showSaved(dayScoreFilesOf(state_, scoring_));
    } else {
        report(st); // "No data to load": the earlier table stays and may still be ranked
    }
    dayPosition_->setEnabled(true);
}

void frmScore2::printDayPositions() {
    const Status st = scoring_.printDayPositions();
    if (!st) {
        report(st);
        return;
    }
    if (withWritingNotice([this] {
            return openedWhenSaved(state_, writeDayPositionWorkbook(state_, scoring_),
                                   dayPositionFilesOf(state_, scoring_).front());
        }))
        status_->showSaved(dayPositionFilesOf(state_, scoring_));
}

void frmScore2::printFinalResults() {
    const Status st = scoring_.finalResults();
    if (!st) {
        report(st);
        return;
    }
    if (withWritingNotice([this] {
            return openedWhenSaved(state_, writeFinalWorkbook(state_, scoring_),
                                   finalFilesOf(state_, scoring_).front());
        }))
        status_->showSaved(finalFilesOf(state_, scoring_));
}

void frmScore2::checkDayScoreWorkbook() {
    if (dayPositionReady()) dayPosition_->setEnabled(true);
}

template <typename Write> bool frmScore2::withWritingNotice(Write write) {
    writing_->setVisible(true);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const Status st = write();
    writing_->setVisible(false);
    report(st);
    return st.ok();
}

void frmScore2::report(const Status& st) {
    if (!st) state_.messages->info(st.message());
}

void frmScore2::closeEvent(QCloseEvent* event) {
    emit closing();
    QWidget::closeEvent(event);
}

} // namespace trakmora
