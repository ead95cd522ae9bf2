#pragma once
// The group scoring screen: "Select Day" through the days and the Final position, the day matrix
// with its non-finisher clicks, the scrap panel, and the combined day results, day positions and
// final results with their workbooks, and the jury's corrections of the day. All of it is GroupScoring; the
// screen shows its state.
#include "common/ProgramState.h"
#include "results/GroupScoring.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace trakmora {

class DayMatrixView;
class StatusLine;

class frmScore2 : public QWidget {
    Q_OBJECT
public:
    explicit frmScore2(ProgramState& state, QWidget* parent = nullptr);

    const GroupScoring& scoring() const { return scoring_; }
    DayMatrixView* matrixView() const { return matrix_; }
    QLabel* dayTitle() const { return title_; }
    QPushButton* selectDayButton() const { return selectDay_; }
    QPushButton* scrapButton() const { return scrap_; }
    QPushButton* combinedButton() const { return combined_; }
    QPushButton* dayPositionButton() const { return dayPosition_; }
    QPushButton* finalButton() const { return final_; }
    QWidget* scrapPanel() const { return scrapPanel_; }
    QPlainTextEdit* auditView() const { return audit_; }
    QPushButton* previousControlButton() const { return previous_; }
    QPushButton* nextControlButton() const { return next_; }
    QPushButton* scrapNowButton() const { return scrapNow_; }
    QPushButton* closePanelButton() const { return closePanel_; }
    QLabel* scrapControlLabel() const { return scrapNo_; }
    QPushButton* restoreButton() const { return restore_; }
    QWidget* restorePanel() const { return restorePanel_; }
    QComboBox* restoreChoice() const { return restoreChoice_; }
    QPushButton* restoreNowButton() const { return restoreNow_; }
    QPushButton* closeRestoreButton() const { return closeRestore_; }
    QProgressBar* progressBar() const { return progress_; }
    StatusLine* statusLine() const { return status_; }
    QLabel* writingNotice() const { return writing_; }
    QLabel* clickHint() const { return clickHint_; }
    QTimer* rearmTimer() const { return rearm_; }
    // The "Corrections" panel: the day's corrections, and a line to enter one.
    QWidget* correctionsPanel() const { return correctionsPanel_; }
    QListWidget* correctionsList() const { return correctionsList_; }
    QSpinBox* correctionCompetitor() const { return correctionComp_; }
    QComboBox* correctionKind() const { return correctionKind_; }
    QSpinBox* correctionControl() const { return correctionControl_; }
    QDoubleSpinBox* correctionValue() const { return correctionValue_; }
    QLineEdit* correctionReason() const { return correctionReason_; }
    QPushButton* addCorrectionButton() const { return addCorrection_; }
    QPushButton* removeCorrectionButton() const { return removeCorrection_; }
    QTimer* workbookCheckTimer() const { return workbookCheck_; }

signals:
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildLegend();
    QWidget* buildScrapPanel();
    QWidget* buildRestorePanel();
    QWidget* buildFooter();
    QWidget* buildCorrectionsPanel();
    // Lists the selected day's corrections; the panel shows in day mode only.
    void showCorrections();
    void showCorrectionKind();
    void addCorrection();
    void removeCorrection();
    // After a correction: the matrix, the buttons and the status line follow the rebuilt day.
    void afterCorrection(const Status& st, const std::string& outcome);
    void showAudit();
    void selectDay();
    void showPosition();
    void showMatrix();
    void cellClicked(int compNo);
    void openScrapPanel();
    void closeScrapPanel();
    void scrapSelectedControl();
    void openRestorePanel();
    void closeRestorePanel();
    void restoreSelectedControl();
    // "Restore a control" is offered while the selected day has scrapped controls.
    void showRestoreButton();
    // "Print Day Position" once the day score workbook exists, unless a scrap or restore made it
    // out of date.
    bool dayPositionReady() const;
    void printCombinedDayResults();
    void printDayPositions();
    void printFinalResults();
    void checkDayScoreWorkbook();
    // Shows "Writing to Excel" while `write` runs and reports its failure; true when it worked.
    template <typename Write> bool withWritingNotice(Write write);
    void report(const Status& st);

    ProgramState& state_;
    GroupScoring scoring_;
    DayMatrixView* matrix_ = nullptr;
    QLabel* title_ = nullptr;
    QPushButton* selectDay_ = nullptr;
    QPushButton* scrap_ = nullptr;
    QPushButton* combined_ = nullptr;
    QPushButton* dayPosition_ = nullptr;
    QPushButton* final_ = nullptr;
    QWidget* scrapPanel_ = nullptr;
    QPlainTextEdit* audit_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* scrapNow_ = nullptr;
    QPushButton* closePanel_ = nullptr;
    QLabel* scrapNo_ = nullptr;
    QPushButton* restore_ = nullptr;
    QWidget* restorePanel_ = nullptr;
    QComboBox* restoreChoice_ = nullptr;
    QPushButton* restoreNow_ = nullptr;
    QPushButton* closeRestore_ = nullptr;
    QWidget* body_ = nullptr;
    QWidget* footer_ = nullptr;
    QProgressBar* progress_ = nullptr;
    StatusLine* status_ = nullptr;
    QLabel* writing_ = nullptr;
    QLabel* clickHint_ = nullptr;
    QWidget* hintCells_ = nullptr;
    QTimer* rearm_ = nullptr;
    QTimer* workbookCheck_ = nullptr;
    QWidget* correctionsPanel_ = nullptr;
    QListWidget* correctionsList_ = nullptr;
    QSpinBox* correctionComp_ = nullptr;
    QComboBox* correctionKind_ = nullptr;
    QSpinBox* correctionControl_ = nullptr;
    QDoubleSpinBox* correctionValue_ = nullptr;
    QLabel* correctionValueLabel_ = nullptr;
    QLineEdit* correctionReason_ = nullptr;
    QPushButton* addCorrection_ = nullptr;
    QPushButton* removeCorrection_ = nullptr;
};

} // namespace trakmora
