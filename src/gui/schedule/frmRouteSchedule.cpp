#include "gui/schedule/frmRouteSchedule.h"

#include "gui/QtText.h"
#include "gui/ScreenPlacement.h"
#include "gui/StatusLine.h"
#include "gui/schedule/frmPrint.h"
#include "gui/schedule/frmScheduleChart.h"
#include "schedule/RSModule.h"
#include "schedule/ScheduleDisplay.h"
#include "schedule/ScheduleEdit.h"
#include "schedule/SpeedCalc.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

namespace trakmora {

namespace {

const char* const kUseTab = "Use TAB or Shift-TAB to navigate through EDIT fields";
const QStringList kBrowseButtons = {"Previous", "Next", "Edit", "Print ", "Exit"};
const QStringList kEditButtons = {"Insert row", "Delete row", "Add row", "Save"};

QString text(const std::string& s) {
    return qText(s);
}

bool isEntryBox(EditField f) {
    return f == EditField::Distance || f == EditField::Latitude || f == EditField::Longitude;
}

// The focused field in the system highlight colours; the others in the style's own colours,
// white when open and grey when closed.
void setHighlight(QLineEdit* box, bool on) {
    if (!on) {
        box->setPalette(QPalette());
        return;
    }
    QPalette p = box->palette();
    const QPalette system;
    p.setColor(QPalette::Base, system.color(QPalette::Highlight));
    p.setColor(QPalette::Text, system.color(QPalette::HighlightedText));
    p.setColor(QPalette::Highlight, system.color(QPalette::Highlight).darker(140));
    box->setPalette(p);
}

} // namespace

void frmRouteSchedule::takeDay() {
    state_.rally.selectedDay = shownDay_;
}

void frmRouteSchedule::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) takeDay();
    QWidget::changeEvent(event);
}

void frmRouteSchedule::selectDay() {
    shownDay_ = nextSelectedDay(shownDay_, state_.config.noOfDays);
    takeDay();
    day_->setText(QStringLiteral("Day: %1").arg(shownDay_));
    rally_->setText(text("Rally: " + state_.config.rallyName));
    button("Load Data")->setEnabled(true);
}

void frmRouteSchedule::loadData() {
    takeDay();
    // The source is only set once the day's lines are in the table.
    constexpr auto kNothingLoaded = static_cast<LoadSource>(-1);
    LoadSource source = kNothingLoaded;
    const Status st = loadDay(state_, &source);
    report(st);
    if (source == kNothingLoaded) return; // the file could not be read: try again after mending it
    loaded_ = true;
    state_.schedule.currentLine = 1;
    for (QPushButton* b : buttons_) {
        if (b->text() == "Select Day" || b->text() == "Load Data") b->setEnabled(false);
        if (kBrowseButtons.contains(b->text())) b->setEnabled(true);
    }
    refresh();
}

void frmRouteSchedule::previousLine() {
    takeDay();
    stepCurrentLine(state_, -1);
    refresh();
}

void frmRouteSchedule::nextLine() {
    takeDay();
    stepCurrentLine(state_, 1);
    refresh();
}

void frmRouteSchedule::startEdit() {
    takeDay();
    editing_ = true;
    setButtons(false);
    openFieldsForType();
    currentField_ = EditField::Instruction;
    field(EditField::Instruction)->setFocus(Qt::TabFocusReason);
}

// A row action may change the current line and its type: the fields open for that line.
void frmRouteSchedule::insertLine() {
    takeDay();
    commitCurrentField();
    report(insertRow(state_));
    refresh();
    openFieldsForType();
}

void frmRouteSchedule::deleteLine() {
    takeDay();
    commitCurrentField();
    deleteRow(state_);
    refresh();
    openFieldsForType();
}

void frmRouteSchedule::addLine() {
    takeDay();
    commitCurrentField();
    report(addRow(state_)); // the added line becomes the current line
    refresh();
    openFieldsForType();
}

void frmRouteSchedule::goToRow(int row) {
    takeDay();
    if (goToWindowRow(state_, row)) refresh();
}

void frmRouteSchedule::save() {
    takeDay();
    commitCurrentField();
    const Status saved = saveDay(state_);
    if (!saved) {
        // Nothing is lost: the lines stay in memory and in edit mode until a save succeeds.
        report(saved);
        return;
    }
    editing_ = false;
    report(recalculateSchedule(state_));
    closeFields();
    hints_->clear(); // the function keys mean nothing outside edit mode
    setButtons(true);
    refresh();
    status_->showSaved({scheduleDataFile(state_, shownDay_)});
}

void frmRouteSchedule::openPrint() {
    takeDay();
    if (!print_) {
        print_ = new frmPrint(
            state_, writing_, this, [this] { return shownDay_; }, status_);
        print_->setAttribute(Qt::WA_DeleteOnClose);
        placeOver(print_, this);
        print_->show();
    }
    bringForward(print_);
}

void frmRouteSchedule::closeWithoutSaving() {
    editing_ = false;
    close();
}

void frmRouteSchedule::closeEvent(QCloseEvent* event) {
    if (editing_) {
        takeDay();
        commitCurrentField();
        const std::string question = "Save the changes to day " + std::to_string(shownDay_) +
                                     " of the route schedule before closing? (No drops them)";
        if (state_.messages->ask("Route Schedule", question)) {
            if (const Status saved = saveDay(state_); !saved) {
                report(saved); // nothing is lost: the screen stays open in edit mode
                event->ignore();
                return;
            }
        }
        editing_ = false;
    }
    QWidget::closeEvent(event);
}

void frmRouteSchedule::exitScreen() {
    state_.rally.selectedDay = 1;
    close();
}

void frmRouteSchedule::setButtons(bool browse) {
    for (QPushButton* b : buttons_) {
        if (kBrowseButtons.contains(b->text())) b->setEnabled(browse);
        if (kEditButtons.contains(b->text())) b->setEnabled(!browse);
        if (b->text() == "Select Day" || b->text() == "Load Data") b->setEnabled(false);
    }
}

void frmRouteSchedule::report(const Status& st) {
    if (!st) state_.messages->info(st.message());
}

bool frmRouteSchedule::eventFilter(QObject* watched, QEvent* event) {
    const QVariant tag = watched->property(kFieldProperty);
    const auto f = static_cast<EditField>(tag.toInt());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!editing_) {
            // Browse mode: a click on a line of the window makes it the current line.
            if (watched == window_->viewport() && loaded_ && event->type() == QEvent::MouseButtonPress) {
                const int row = window_->rowAt(static_cast<QMouseEvent*>(event)->position().toPoint().y());
                if (row >= 0) goToRow(row);
            }
            return false;
        }
        state_.messages->info(kUseTab);
        field(EditField::Instruction)->setFocus(Qt::OtherFocusReason);
        return true;
    case QEvent::FocusIn:
        if (tag.isValid()) fieldEntered(f);
        return false;
    case QEvent::FocusOut:
        if (tag.isValid()) fieldLeft(f);
        return false;
    case QEvent::KeyPress:
        return tag.isValid() && keyPressed(f, static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

void frmRouteSchedule::fieldEntered(EditField f) {
    // Closing the fields on "Save" passes the focus along them: outside edit mode a field
    // neither takes the highlight nor shows function keys.
    if (!editing_) return;
    currentField_ = f;
    QLineEdit* box = field(f);
    setHighlight(box, true);
    QString hints;
    int key = 1;
    for (const std::string& hint : functionKeyHints(f))
        hints += QStringLiteral("F%1  %2\n").arg(key++).arg(text(hint));
    hints_->setText(hints.trimmed());
    openFieldsForType();
    if (isEntryBox(f)) startEntryBox(f);
}

void frmRouteSchedule::startEntryBox(EditField f) {
    field(f)->setText(text(entryBoxText(state_.schedule, f)));
    field(f)->setModified(false);
}

void frmRouteSchedule::fieldLeft(EditField f) {
    takeDay();
    setHighlight(field(f), false);
    if (!editing_) return;
    commitCurrentField();
    if (isEntryBox(f)) field(f)->setModified(false);
    refresh();
}

void frmRouteSchedule::commitCurrentField() {
    if (!editing_) return;
    QLineEdit* box = field(currentField_);
    // An entry box left as it was filled keeps the stored value as it is, unrounded.
    if (isEntryBox(currentField_) && !box->isModified()) return;
    report(leaveField(state_, currentField_, box->text().toStdString()));
}

bool frmRouteSchedule::keyPressed(EditField f, QKeyEvent* key) {
    if (!editing_) return false;
    if (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F6) {
        Status st;
        if (applyFunctionKey(state_, f, key->key() - Qt::Key_F1 + 1, st)) {
            report(st);
            refresh();
            openFieldsForType();
        }
        return true;
    }
    const QString typed = key->text();
    if (typed.isEmpty() || typed.at(0).unicode() < 0x20 || typed.at(0).unicode() == 0x7f) return false;
    const char32_t c = typed.toUcs4().value(0);
    return !fieldTakesCharacter(f, c); // refused keys are dropped without a sound
}

void frmRouteSchedule::openFieldsForType() {
    const ScheduleTable& t = state_.schedule;
    const bool lineThere = t.currentLine >= 1 && t.currentLine <= t.lineCount;
    const std::string type = lineThere ? t.line(t.currentLine).type : std::string();
    for (int i = 1; i <= kEditFieldCount; ++i) {
        QLineEdit* box = fields_[static_cast<std::size_t>(i)];
        const bool open = editing_ && lineThere &&
                          fieldOpenForType(static_cast<EditField>(i), type, baselineGroup(state_.config));
        if (!open && box->hasFocus()) continue; // never pull the focus away from under the user
        box->setEnabled(open);
    }
}

void frmRouteSchedule::closeFields() {
    for (int i = 1; i <= kEditFieldCount; ++i) {
        QLineEdit* box = fields_[static_cast<std::size_t>(i)];
        box->setEnabled(false);
        setHighlight(box, false);
        if (isEntryBox(static_cast<EditField>(i))) box->clear();
    }
}

void frmRouteSchedule::refresh() {
    const ScheduleTable& t = state_.schedule;
    const auto rows = displayWindow(t);
    for (int r = 0; r < kWindowRows; ++r) {
        const WindowRow& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < 8; ++c) {
            auto* item = new QTableWidgetItem(text(row.cells[static_cast<std::size_t>(c)]));
            if (c != 1) item->setTextAlignment(Qt::AlignCenter);
            if (r == kWindowRows / 2) item->setBackground(QColor(0xff, 0xf3, 0xb0));
            window_->setItem(r, c, item);
        }
    }

    const LineFields lf = currentLineFields(t);
    lineNo_->setText(text(lf.caption));
    auto put = [this](EditField f, const std::string& s) {
        if (!isEntryBox(f))
            field(f)->setText(text(s));
        else if (!field(f)->hasFocus())
            field(f)->clear();
        else
            startEntryBox(f); // what was typed is stored; the box now belongs to the line shown
    };
    put(EditField::Instruction, lf.instruction);
    put(EditField::Type, lf.type);
    put(EditField::Limit, lf.limit);
    put(EditField::Distance, {});
    put(EditField::Latitude, {});
    put(EditField::Longitude, {});
    distanceShown_->setText(text(lf.distance));
    latShown_->setText(text(lf.lat));
    lonShown_->setText(text(lf.lon));
    for (int g = 1; g <= kMaxGroups; ++g) {
        const auto gi = static_cast<std::size_t>(g);
        put(static_cast<EditField>(4 + g), lf.speed[gi]);
        put(static_cast<EditField>(8 + g), lf.addTime[gi]);
        runningTimes_[gi]->setText(text(lf.runningTime[gi]));
    }

    const PassingWindowView view = nextLinePassingWindow(t, state_.config);
    firstTime_->setText(text(view.firstTime));
    lastTime_->setText(text(view.lastTime));
    spread_->setText(text(view.spreadText));
    chart_->setWindow(view);
}

} // namespace trakmora
