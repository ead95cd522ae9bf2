#pragma once
// The route schedule screen: select and load a day, walk its lines, edit the current line field
// by field with Tab and the function keys, insert, delete and add lines, save, and open the print
// menu. The display around the current line is refreshed after every action.
#include "common/ProgramState.h"
#include "schedule/EditorFields.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace trakmora {

class StatusLine;
class frmPrint;
class frmScheduleChart;

class frmRouteSchedule : public QWidget {
    Q_OBJECT
public:
    frmRouteSchedule(ProgramState& state, QWidget* parent = nullptr);
    // Closes without the question, dropping unsaved edits: the rally they belong to is no
    // longer open, so they cannot be saved where they belong.
    void closeWithoutSaving();
    ~frmRouteSchedule() override;

    // The box of an edit field (1..14); the distance and coordinate fields are their entry boxes.
    QLineEdit* field(EditField f) const { return fields_[static_cast<std::size_t>(f)]; }
    // The boxes that show the stored distance, latitude and longitude.
    QLineEdit* distanceBox() const { return distanceShown_; }
    QLineEdit* latitudeBox() const { return latShown_; }
    QLineEdit* longitudeBox() const { return lonShown_; }
    QPushButton* button(const QString& caption) const;
    QTableWidget* lineWindow() const { return window_; }
    QLabel* dayLabel() const { return day_; }
    QLabel* rallyLabel() const { return rally_; }
    QLabel* lineCaption() const { return lineNo_; }
    QLabel* runningTime(int group) const { return runningTimes_[static_cast<std::size_t>(group)]; }
    QLabel* hintPanel() const { return hints_; }
    QLabel* spreadLabel() const { return spread_; }
    QLabel* firstTimeLabel() const { return firstTime_; }
    QLabel* lastTimeLabel() const { return lastTime_; }
    QLabel* writingLabel() const { return writing_; }
    // Says at the foot of the screen which files the last action wrote.
    StatusLine* statusLine() const { return status_; }
    frmScheduleChart* chart() const { return chart_; }
    frmPrint* printMenu() const;
    bool editing() const { return editing_; }
    EditField currentField() const { return currentField_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Closing in edit mode asks whether to save the day first; unsaved lines are never dropped
    // without the organiser saying so.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFields();
    QWidget* buildLineWindow();
    QWidget* buildEditPanel();
    QWidget* buildPassingPanel();
    QWidget* buildButtons();
    void hideUnusedGroups();

    // The day shown on this screen is the day its actions work on, whatever another screen has
    // selected in the meantime: saving or printing never lands on another day's files.
    void takeDay();
    void selectDay();
    void loadData();
    void previousLine();
    void nextLine();
    void startEdit();
    void insertLine();
    void deleteLine();
    void addLine();
    void save();
    void openPrint();
    void exitScreen();

    void goToRow(int row);
    void fieldEntered(EditField f);
    void fieldLeft(EditField f);
    void startEntryBox(EditField f);
    bool keyPressed(EditField f, QKeyEvent* key);
    void commitCurrentField();
    void openFieldsForType();
    void closeFields();
    void setButtons(bool browse);
    void report(const Status& st);
    void refresh();

    // The edit field number (1..14) of a box, on the boxes that are edit fields.
    static constexpr const char* kFieldProperty = "editField";

    ProgramState& state_;
    int shownDay_ = 5; // the first "Select Day" shows day 1
    bool editing_ = false;
    bool loaded_ = false; // a day was loaded on this visit
    EditField currentField_ = EditField::Instruction;
    std::array<QLineEdit*, kEditFieldCount + 1> fields_{};
    QLineEdit* distanceShown_ = nullptr;
    QLineEdit* latShown_ = nullptr;
    QLineEdit* lonShown_ = nullptr;
    QTableWidget* window_ = nullptr;
    QLabel* rally_ = nullptr;
    QLabel* day_ = nullptr;
    QLabel* writing_ = nullptr;
    StatusLine* status_ = nullptr;
    QLabel* lineNo_ = nullptr;
    QLabel* hints_ = nullptr;
    QLabel* firstTime_ = nullptr;
    QLabel* lastTime_ = nullptr;
    QLabel* spread_ = nullptr;
    std::array<QLabel*, 5> runningTimes_{};
    std::array<QLabel*, 5> baselineMarks_{};
    std::array<QLabel*, 5> groupHeads_{};
    frmScheduleChart* chart_ = nullptr;
    std::vector<QPushButton*> buttons_;
    QPointer<frmPrint> print_;
};

} // namespace trakmora
