#include "gui/schedule/frmRouteSchedule.h"

#include "common/Format.h"
#include "gui/QtText.h"
#include "gui/ScreenPlacement.h"
#include "gui/StatusLine.h"
#include "gui/schedule/frmPrint.h"
#include "gui/schedule/frmScheduleChart.h"
#include "schedule/ScheduleDisplay.h"
#include "schedule/SpeedCalc.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

// The construction of the route schedule screen: its boxes, the window of lines, the panels and
// the buttons. What they do is in frmRouteSchedule.cpp.
namespace trakmora {

namespace {

const QStringList kButtons = {"Select Day", "Load Data", "Previous", "Next",   "Edit", "Insert row",
                              "Delete row", "Add row",   "Save",     "Print ", "Exit"};

QString text(const std::string& s) {
    return qText(s);
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

    // The lines and fields scroll on a small desktop; the button row with "Save" and "Exit" and
    // the status line stay in view below them.
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->addLayout(top);
    layout->addWidget(buildLineWindow());
    layout->addLayout(middle);
    layout->addStretch();
    auto* footer = new QWidget(this);
    auto* foot = new QVBoxLayout(footer);
    foot->setContentsMargins(9, 4, 9, 4);
    foot->setSpacing(2);
    foot->addWidget(buildButtons());
    status_ = new StatusLine(footer);
    foot->addWidget(status_);
    layOutScrolling(this, body, footer);

    // Opening the screen: the first "Select Day" always shows day 1.
    state_.rally.selectedDay = shownDay_;
    state_.schedule.currentLine = 1;
    hideUnusedGroups();
    closeFields();
    for (QPushButton* b : buttons_)
        b->setEnabled(b->text() == "Select Day" || b->text() == "Exit");
    // Designed for 1020 x 660 and resizable: the size is where the placing starts from.
    setDesignedSize(this, QSize(1020, 660));
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

frmRouteSchedule::~frmRouteSchedule() {
    // The boxes outlive this part of the screen while it is torn down; a focus change then must
    // not reach the handlers any more.
    for (QObject* watched : findChildren<QObject*>())
        watched->removeEventFilter(this);
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
        if (speedFieldGroup(static_cast<EditField>(i))) {
            box->setAlignment(Qt::AlignCenter);
            box->setMaxLength(3);
        }
    }
    for (int i = 1; i < kEditFieldCount; ++i)
        setTabOrder(fields_[static_cast<std::size_t>(i)], fields_[static_cast<std::size_t>(i + 1)]);
    // Long enough for 99999.99 km and for 180.00000 degrees; more digits would only be refused.
    field(EditField::Distance)->setMaxLength(7);
    field(EditField::Latitude)->setMaxLength(8);
    field(EditField::Longitude)->setMaxLength(8);
    field(EditField::Limit)->setMaxLength(6);
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
    connect(field(EditField::Latitude), &QLineEdit::textEdited, this, [this](const QString& s) {
        latShown_->setText(text(formatNumber(coordinateEntryDegrees(s.toStdString()))));
    });
    connect(field(EditField::Longitude), &QLineEdit::textEdited, this, [this](const QString& s) {
        lonShown_->setText(text(formatNumber(coordinateEntryDegrees(s.toStdString()))));
    });
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
    for (int r = 0; r < kWindowRows; ++r)
        window_->setRowHeight(r, 22);
    window_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    window_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    window_->setFixedHeight(window_->horizontalHeader()->sizeHint().height() + kWindowRows * 22 +
                            2 * window_->frameWidth() + 2);
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
    for (int c = 1; c <= 4; ++c)
        grid->setColumnStretch(c, 1);

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
    using Action = void (frmRouteSchedule::*)();
    const std::pair<const char*, Action> actions[] = {{"Select Day", &frmRouteSchedule::selectDay},
                                                      {"Load Data", &frmRouteSchedule::loadData},
                                                      {"Previous", &frmRouteSchedule::previousLine},
                                                      {"Next", &frmRouteSchedule::nextLine},
                                                      {"Edit", &frmRouteSchedule::startEdit},
                                                      {"Insert row", &frmRouteSchedule::insertLine},
                                                      {"Delete row", &frmRouteSchedule::deleteLine},
                                                      {"Add row", &frmRouteSchedule::addLine},
                                                      {"Save", &frmRouteSchedule::save},
                                                      {"Print ", &frmRouteSchedule::openPrint},
                                                      {"Exit", &frmRouteSchedule::exitScreen}};
    for (const auto& [caption, action] : actions)
        connect(button(QString::fromLatin1(caption)), &QPushButton::clicked, this, action);
    return row;
}

QPushButton* frmRouteSchedule::button(const QString& caption) const {
    for (QPushButton* b : buttons_)
        if (b->text() == caption) return b;
    return nullptr;
}

frmPrint* frmRouteSchedule::printMenu() const {
    return print_.data();
}

void frmRouteSchedule::hideUnusedGroups() {
    const int groups = speedGroupsInUse(state_.config);
    for (int g = 1; g <= kMaxGroups; ++g) {
        // The baseline group stays in view even when fewer groups are in use: its speed is the
        // one typed on "f" and "o" lines.
        const bool used = g <= groups || g == baselineGroup(state_.config);
        const auto gi = static_cast<std::size_t>(g);
        window_->setColumnHidden(3 + g, !used);
        const std::initializer_list<QWidget*> groupWidgets = {
            groupHeads_[gi], baselineMarks_[gi], runningTimes_[gi], field(static_cast<EditField>(4 + g)),
            field(static_cast<EditField>(8 + g))};
        for (QWidget* w : groupWidgets)
            w->setVisible(used);
        baselineMarks_[gi]->setText(g == baselineGroup(state_.config) ? QStringLiteral("X") : QString());
    }
}

} // namespace trakmora
