#include "schedule/frmRouteSchedule.h"

#include "app/ScreenPlacement.h"
#include "common/Format.h"
#include "schedule/RSModule.h"
#include "schedule/ScheduleDisplay.h"
#include "schedule/ScheduleEdit.h"
#include "schedule/SpeedCalc.h"
#include "schedule/frmPrint.h"
#include "schedule/frmScheduleChart.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace trakmora {

namespace {

const char* const kFieldProperty = "editField";
const char* const kUseTab = "Use TAB or Shift-TAB to navigate through EDIT fields";
const QStringList kButtons = {"Select Day", "Load Data",  "Previous", "Next", "Edit", "Insert row",
                              "Delete row", "Add row", "Save", "Print ", "Exit"};
const QStringList kBrowseButtons = {"Previous", "Next", "Edit", "Print ", "Exit"};
const QStringList kEditButtons = {"Insert row", "Delete row", "Add row", "Save"};

QString text(const std::string& s) { return QString::fromStdString(s); }

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

QLabel* groupLabel(const QString& s, QWidget* parent) {
    auto* label = new QLabel(s, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmRouteSchedule::frmRouteSchedule(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state) {
    setWindowTitle(QStringLiteral("Route Schedule"));
    buildFields();
    rally_ = new QLabel(text("Rally: " + state_.config.rallyName), this);
    day_ = new QLabel(QStringLiteral("Day: "), this);
    writing_ = new QLabel(QStringLiteral("Writing to Excel"), this);
    writing_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    writing_->hide();
    QFont big = rally_->font();
    big.setPointSize(big.pointSize() + 2);
    big.setBold(true);
    rally_->setFont(big);
    day_->setFont(big);
    day_->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("Day: 5")) + 8);

    auto* top = new QHBoxLayout;
    top->addWidget(rally_);
    top->addSpacing(30);
    top->addWidget(day_);
    top->addStretch();
    top->addWidget(writing_);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildEditPanel(), 3);
    middle->addWidget(buildPassingPanel(), 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildLineWindow());
    layout->addLayout(middle);
    layout->addWidget(buildButtons());

    // Opening the screen: the first "Select Day" always shows day 1.
    state_.rally.selectedDay = 5;
    state_.schedule.currentLine = 1;
    hideUnusedGroups();
    closeFields();
    for (QPushButton* b : buttons_) b->setEnabled(b->text() == "Select Day" || b->text() == "Exit");
    resize(1020, 660);
}

void frmRouteSchedule::buildFields() {
    for (int i = 1; i <= kEditFieldCount; ++i) {
        auto* box = new QLineEdit(this);
        box->setProperty(kFieldProperty, i);
        box->installEventFilter(this);
        fields_[static_cast<std::size_t>(i)] = box;
        if (addTimeFieldGroup(static_cast<EditField>(i))) {
            box->setReadOnly(true); // changed only with the function keys
            box->setAlignment(Qt::AlignCenter);
            box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 16);
        }
        if (speedFieldGroup(static_cast<EditField>(i))) box->setAlignment(Qt::AlignCenter);
    }
    for (int i = 1; i < kEditFieldCount; ++i)
        setTabOrder(fields_[static_cast<std::size_t>(i)], fields_[static_cast<std::size_t>(i + 1)]);
    distanceShown_ = new QLineEdit(this);
    latShown_ = new QLineEdit(this);
    lonShown_ = new QLineEdit(this);
    for (QLineEdit* shown : {distanceShown_, latShown_, lonShown_}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::NoFocus);
        shown->installEventFilter(this);
    }
    // The shown values follow the entry boxes while typing.
    connect(field(EditField::Distance), &QLineEdit::textEdited, this, [this](const QString& s) {
        const auto km = distanceEntryKm(s.toStdString());
        distanceShown_->setText(km ? text(formatPattern(*km, "##0.#0")) : QString());
    });
    connect(field(EditField::Latitude), &QLineEdit::textEdited, this,
            [this](const QString& s) { latShown_->setText(text(formatNumber(coordinateEntryDegrees(s.toStdString())))); });
    connect(field(EditField::Longitude), &QLineEdit::textEdited, this,
            [this](const QString& s) { lonShown_->setText(text(formatNumber(coordinateEntryDegrees(s.toStdString())))); });
}

QWidget* frmRouteSchedule::buildLineWindow() {
    window_ = new QTableWidget(kWindowRows, 8, this);
    window_->setHorizontalHeaderLabels({"No", "Instruction", "Type", "Dist", "A", "B", "C", "D"});
    window_->verticalHeader()->hide();
    window_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    window_->setSelectionMode(QAbstractItemView::NoSelection);
    window_->setFocusPolicy(Qt::NoFocus);
    window_->viewport()->installEventFilter(this);
    window_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    window_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    const int widths[] = {50, 0, 50, 80, 55, 55, 55, 55};
    for (int c = 0; c < 8; ++c)
        if (widths[c]) window_->setColumnWidth(c, widths[c]);
    for (int r = 0; r < kWindowRows; ++r) window_->setRowHeight(r, 22);
    window_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    window_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    window_->setFixedHeight(window_->horizontalHeader()->sizeHint().height() + kWindowRows * 22 + 2 * window_->frameWidth() + 2);
    return window_;
}

QWidget* frmRouteSchedule::buildEditPanel() {
    auto* panel = new QGroupBox(QStringLiteral("Current line"), this);
    auto* grid = new QGridLayout(panel);
    lineNo_ = new QLabel(panel);
    QFont bold = lineNo_->font();
    bold.setBold(true);
    lineNo_->setFont(bold);
    auto addRow = [&](int row, const QString& caption, QWidget* a, QWidget* b = nullptr, int span = 4) {
        grid->addWidget(new QLabel(caption, panel), row, 0);
        grid->addWidget(a, row, 1, 1, b ? 2 : span);
        if (b) grid->addWidget(b, row, 3, 1, 2);
    };
    addRow(0, QStringLiteral("Line"), lineNo_);
    addRow(1, QStringLiteral("Clue / Instruction"), field(EditField::Instruction));
    addRow(2, QStringLiteral("Type"), field(EditField::Type), nullptr, 1);
    addRow(3, QStringLiteral("Distance (1/100 km)"), field(EditField::Distance), distanceShown_);
    addRow(4, QStringLiteral("Speed Limit"), field(EditField::Limit), nullptr, 1);
    grid->addWidget(new QLabel(QStringLiteral("Speed group"), panel), 5, 0);
    grid->addWidget(new QLabel(QStringLiteral("Baseline"), panel), 6, 0);
    grid->addWidget(new QLabel(QStringLiteral("Speed (km/h)"), panel), 7, 0);
    grid->addWidget(new QLabel(QStringLiteral("Time added"), panel), 8, 0);
    grid->addWidget(new QLabel(QStringLiteral("Running time"), panel), 9, 0);
    for (int g = 1; g <= kMaxGroups; ++g) {
        const auto gi = static_cast<std::size_t>(g);
        groupHeads_[gi] = groupLabel(QString(QChar(groupLetter(g))), panel);
        groupHeads_[gi]->setFont(bold);
        baselineMarks_[gi] = groupLabel(QString(), panel);
        runningTimes_[gi] = groupLabel(QString(), panel);
        grid->addWidget(groupHeads_[gi], 5, g);
        grid->addWidget(baselineMarks_[gi], 6, g);
        grid->addWidget(fields_[static_cast<std::size_t>(EditField::SpeedA) + gi - 1], 7, g);
        grid->addWidget(fields_[static_cast<std::size_t>(EditField::AddTimeA) + gi - 1], 8, g);
        grid->addWidget(runningTimes_[gi], 9, g);
    }
    addRow(10, QStringLiteral("Latitude (South)"), field(EditField::Latitude), latShown_);
    addRow(11, QStringLiteral("Longitude (East)"), field(EditField::Longitude), lonShown_);
    for (int c = 1; c <= 4; ++c) grid->setColumnStretch(c, 1);

    hints_ = new QLabel(panel);
    hints_->setObjectName(QStringLiteral("hintPanel"));
    hints_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    hints_->setFrameShape(QFrame::StyledPanel);
    hints_->setFixedWidth(175);
    hints_->setWordWrap(true);
    grid->addWidget(hints_, 0, 5, 12, 1);
    return panel;
}

QWidget* frmRouteSchedule::buildPassingPanel() {
    auto* panel = new QGroupBox(QStringLiteral("Passing window of the next line"), this);
    auto* grid = new QGridLayout(panel);
    firstTime_ = new QLabel(panel);
    lastTime_ = new QLabel(panel);
    spread_ = new QLabel(panel);
    grid->addWidget(new QLabel(QStringLiteral("First"), panel), 0, 0);
    grid->addWidget(firstTime_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Last"), panel), 1, 0);
    grid->addWidget(lastTime_, 1, 1);
    grid->addWidget(spread_, 2, 0, 1, 2);
    chart_ = new frmScheduleChart(panel);
    grid->addWidget(chart_, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* frmRouteSchedule::buildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const QString& caption : kButtons) {
        auto* b = new QPushButton(caption, row);
        b->setFocusPolicy(Qt::NoFocus); // Tab walks the edit fields only
        layout->addWidget(b);
        buttons_.push_back(b);
    }
    connect(button("Select Day"), &QPushButton::clicked, this, &frmRouteSchedule::selectDay);
    connect(button("Load Data"), &QPushButton::clicked, this, &frmRouteSchedule::loadData);
    connect(button("Previous"), &QPushButton::clicked, this, [this] { step(-1); });
    connect(button("Next"), &QPushButton::clicked, this, [this] { step(1); });
    connect(button("Edit"), &QPushButton::clicked, this, &frmRouteSchedule::startEdit);
    connect(button("Insert row"), &QPushButton::clicked, this, &frmRouteSchedule::insertLine);
    connect(button("Delete row"), &QPushButton::clicked, this, &frmRouteSchedule::deleteLine);
    connect(button("Add row"), &QPushButton::clicked, this, &frmRouteSchedule::addLine);
    connect(button("Save"), &QPushButton::clicked, this, &frmRouteSchedule::save);
    connect(button("Print "), &QPushButton::clicked, this, &frmRouteSchedule::openPrint);
    connect(button("Exit"), &QPushButton::clicked, this, &frmRouteSchedule::exitScreen);
    return row;
}

QPushButton* frmRouteSchedule::button(const QString& caption) const {
    for (QPushButton* b : buttons_)
        if (b->text() == caption) return b;
    return nullptr;
}

frmPrint* frmRouteSchedule::printMenu() const { return print_.data(); }

void frmRouteSchedule::hideUnusedGroups() {
    const int groups = speedGroupsInUse(state_.config);
    for (int g = 1; g <= kMaxGroups; ++g) {
        const bool used = g <= groups;
        const auto gi = static_cast<std::size_t>(g);
        window_->setColumnHidden(3 + g, !used);
        for (QWidget* w : {static_cast<QWidget*>(groupHeads_[gi]), static_cast<QWidget*>(baselineMarks_[gi]),
                           static_cast<QWidget*>(runningTimes_[gi]), static_cast<QWidget*>(field(static_cast<EditField>(4 + g))),
                           static_cast<QWidget*>(field(static_cast<EditField>(8 + g))) })
            w->setVisible(used);
        baselineMarks_[gi]->setText(g == baselineGroup(state_.config) ? QStringLiteral("X") : QString());
    }
}

void frmRouteSchedule::selectDay() {
    state_.rally.selectedDay = nextSelectedDay(state_.rally.selectedDay, state_.config.noOfDays);
    day_->setText(QStringLiteral("Day: %1").arg(state_.rally.selectedDay));
    rally_->setText(text("Rally: " + state_.config.rallyName));
    button("Load Data")->setEnabled(true);
}

void frmRouteSchedule::loadData() {
    // The source is only set once the day's lines are in the table.
    constexpr auto kNothingLoaded = static_cast<LoadSource>(-1);
    LoadSource source = kNothingLoaded;
    const Status st = loadDay(state_, &source);
    report(st);
    if (source == kNothingLoaded) return; // the file could not be read: try again after mending it
    state_.schedule.currentLine = 1;
    for (QPushButton* b : buttons_) {
        if (b->text() == "Select Day" || b->text() == "Load Data") b->setEnabled(false);
        if (kBrowseButtons.contains(b->text())) b->setEnabled(true);
    }
    refresh();
}

void frmRouteSchedule::step(int delta) {
    stepCurrentLine(state_, delta);
    refresh();
}

void frmRouteSchedule::startEdit() {
    editing_ = true;
    setButtons(false);
    openFieldsForType();
    currentField_ = EditField::Instruction;
    field(EditField::Instruction)->setFocus(Qt::TabFocusReason);
}

void frmRouteSchedule::insertLine() {
    commitCurrentField();
    report(insertRow(state_));
    refresh();
}

void frmRouteSchedule::deleteLine() {
    commitCurrentField();
    deleteRow(state_);
    refresh();
}

void frmRouteSchedule::addLine() {
    commitCurrentField();
    report(addRow(state_));
    refresh();
}

void frmRouteSchedule::save() {
    commitCurrentField();
    const Status saved = saveDay(state_);
    if (!saved) {
        // Nothing is lost: the lines stay in memory and in edit mode until a save succeeds.
        report(saved);
        return;
    }
    editing_ = false;
    hints_->clear();
    report(recalculateSchedule(state_));
    closeFields();
    setButtons(true);
    refresh();
}

void frmRouteSchedule::openPrint() {
    if (!print_) {
        print_ = new frmPrint(state_, writing_, this);
        print_->setAttribute(Qt::WA_DeleteOnClose);
        print_->show();
        centreOnScreen(print_);
    }
    bringForward(print_);
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
        if (!editing_) return false;
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
    currentField_ = f;
    QLineEdit* box = field(f);
    setHighlight(box, true);
    QString hints;
    int key = 1;
    for (const std::string& hint : functionKeyHints(f)) hints += QStringLiteral("F%1  %2\n").arg(key++).arg(text(hint));
    hints_->setText(hints.trimmed());
    openFieldsForType();
    // The entry boxes start from the stored value, so that passing through keeps it.
    const ScheduleTable& t = state_.schedule;
    if (isEntryBox(f) && t.currentLine >= 1 && t.currentLine <= t.lineCount) {
        const ScheduleLine& line = t.line(t.currentLine);
        const double value = f == EditField::Distance ? line.distance : f == EditField::Latitude ? line.lat : line.lon;
        box->setText(text(f == EditField::Distance ? distanceEntryText(value) : coordinateEntryText(value)));
        box->setModified(false);
    }
}

void frmRouteSchedule::fieldLeft(EditField f) {
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
        const bool open = editing_ && lineThere && fieldOpenForType(static_cast<EditField>(i), type, baselineGroup(state_.config));
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
        if (!isEntryBox(f)) field(f)->setText(text(s));
        else if (!field(f)->hasFocus()) field(f)->clear();
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
