#include "gui/workspace/frmConfig.h"

#include "common/Format.h"
#include "entries/EntryList.h"
#include "gui/QtText.h"
#include "gui/ScreenPlacement.h"
#include "workspace/ConfigDisplay.h"
#include "workspace/ConfigFields.h"
#include "workspace/ConfigFile.h"

#include <QCloseEvent>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace trakmora {

namespace {

QString qs(const std::string& s) {
    return qText(s);
}

// Hidden buttons keep their place, so the panel does not jump from field to field.
void keepPlaceWhenHidden(QWidget* w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

void setShown(QWidget* w, const std::optional<bool>& shown) {
    if (shown) w->setVisible(*shown);
}

void setEnabledIf(QWidget* w, const std::optional<bool>& enabled) {
    if (enabled) w->setEnabled(*enabled);
}

// The start date in the system's short date format.
QString shortDate(double serial) {
    const CivilDate d = civilFromSerial(serial);
    return QLocale::system().toString(QDate(d.year, d.month, d.day), QLocale::ShortFormat);
}

const char* const kTimeNote = "Read the section \"Understanding Time\" in the HELP section.";
const char* const kOffsetNote =
    "Logger offsets change with logger firmware: check the club's rally web page for the latest values.";

} // namespace

frmConfig::frmConfig(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), editor_(state.config) {
    setWindowTitle(QStringLiteral("Configuration"));
    setDesignedSize(this, QSize(twips(12000), twips(9000)));
    // The fields scroll on a small desktop; "Previous" and "Next", the way on and off a field,
    // stay in view below them.
    auto* body = new QWidget(this);
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(9, 9, 9, 4);
    layout->addWidget(buildPanel(), 0);
    layout->addWidget(buildSummary(), 1);
    layOutScrolling(this, body, buildFooter());

    fieldNumberTimer_ = new QTimer(this);
    connect(fieldNumberTimer_, &QTimer::timeout, this,
            [this] { fieldNumber_->setText(QString::number(editor_.field())); });
    fieldNumberTimer_->start(500);

    title_->setText(QStringLiteral("No 1: Rally Name"));
    text_->setText(qs(state_.config.rallyName));
    applyLayout(startLayout());
    runRoutine(false); // opening the screen is no decision to save damaged settings
}

QWidget* frmConfig::buildPanel() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(330);
    fieldNumber_ = new QLabel(QStringLiteral("1"), panel);
    QFont small = fieldNumber_->font();
    small.setPointSize(std::max(6, small.pointSize() - 2));
    fieldNumber_->setFont(small);

    title_ = new QLabel(panel);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title_->setFont(bold);
    title_->setWordWrap(true);
    title_->setMinimumHeight(2 * QFontMetrics(bold).height());

    value_ = new QLabel(panel);
    value_->setAlignment(Qt::AlignCenter);
    value_->setMinimumHeight(32);
    value_->setStyleSheet(QStringLiteral("background: white; color: black; border: 1px solid #808080;"));
    keepPlaceWhenHidden(value_);
    QFont valueFont = value_->font();
    valueFont.setPointSize(valueFont.pointSize() + 2);
    value_->setFont(valueFont);
    text_ = new QLineEdit(panel);
    keepPlaceWhenHidden(text_);
    enterHint_ = new QLabel(QString::fromLatin1(kPressEnterHint), panel);
    enterHint_->setObjectName(QStringLiteral("enterHint"));
    enterHint_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    keepPlaceWhenHidden(enterHint_);
    enterHint_->hide();

    enter_ = new QPushButton(QStringLiteral("Enter"), panel);
    minus_ = new QPushButton(QStringLiteral("-"), panel);
    plus_ = new QPushButton(QStringLiteral("+"), panel);
    auto* steps = new QHBoxLayout;
    for (QPushButton* b : {minus_, plus_, enter_}) {
        keepPlaceWhenHidden(b);
        steps->addWidget(b);
    }

    auto* dates = new QGridLayout;
    const std::pair<DatePart, const char*> parts[] = {
        {DatePart::Day, "d"}, {DatePart::Month, "m"}, {DatePart::Year, "y"}};
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 2; ++row) {
            const int direction = row == 0 ? -1 : +1;
            auto* b = new QPushButton(QString::fromLatin1(parts[column].second) + (direction < 0 ? "-" : "+"),
                                      panel);
            keepPlaceWhenHidden(b);
            dates->addWidget(b, row, column);
            dateButtons_[{parts[column].first, direction}] = b;
            const DatePart part = parts[column].first;
            connect(b, &QPushButton::clicked, this, [this, part, direction] {
                editor_.dateButton(state_.config, part, direction);
                runRoutine();
            });
        }
    }

    // The note's section name opens that section of the help screen's user guide.
    auto* timeNote =
        new QLabel(QString::fromUtf8(kTimeNote).toHtmlEscaped().replace(
                       QStringLiteral("&quot;Understanding Time&quot;"),
                       QStringLiteral("&quot;<a href=\"Understanding Time\">Understanding Time</a>&quot;")),
                   panel);
    timeNote->setObjectName(QStringLiteral("timeNote"));
    timeNote->setWordWrap(true);
    timeNote->setTextFormat(Qt::RichText);
    connect(timeNote, &QLabel::linkActivated, this,
            [this](const QString& section) { emit helpRequested(section); });
    auto* offsetNote = new QLabel(QString::fromUtf8(kOffsetNote), panel);
    offsetNote->setWordWrap(true);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(fieldNumber_);
    column->addWidget(title_);
    column->addWidget(value_);
    column->addWidget(text_);
    column->addWidget(enterHint_);
    column->addLayout(steps);
    column->addSpacing(8);
    column->addLayout(dates);
    column->addStretch();
    column->addWidget(timeNote);
    column->addWidget(offsetNote);

    // A field shown as "Not applicable" is not stepped: nothing to save, the panel stays as it is.
    connect(minus_, &QPushButton::clicked, this, [this] {
        if (editor_.minus(state_.config)) runRoutine();
    });
    connect(plus_, &QPushButton::clicked, this, [this] {
        if (editor_.plus(state_.config)) runRoutine();
    });
    connect(enter_, &QPushButton::clicked, this, &frmConfig::pressEnter);
    connect(text_, &QLineEdit::returnPressed, this, [this] {
        if (enter_->isVisible()) pressEnter();
    });
    connect(text_, &QLineEdit::textChanged, this, &frmConfig::showEnterHint);
    return panel;
}

QWidget* frmConfig::buildFooter() {
    auto* footer = new QWidget(this);
    previous_ = new QPushButton(QStringLiteral("Previous"), footer);
    next_ = new QPushButton(QStringLiteral("Next"), footer);
    auto* moves = new QHBoxLayout(footer);
    moves->setContentsMargins(9, 2, 9, 6);
    for (QPushButton* b : {previous_, next_}) {
        b->setMinimumWidth(155);
        moves->addWidget(b);
    }
    moves->addStretch();
    connect(previous_, &QPushButton::clicked, this, [this] { moveTo(&ConfigEditor::previous); });
    connect(next_, &QPushButton::clicked, this, [this] { moveTo(&ConfigEditor::next); });
    return footer;
}

void frmConfig::moveTo(void (ConfigEditor::*move)()) {
    (editor_.*move)();
    textStored_ = false; // a text field is stored anew on each visit
    runRoutine();
}

void frmConfig::showEnterHint() {
    enterHint_->setVisible(!text_->isHidden() && textAwaitsEnter(state_.config, editor_.field(),
                                                                 text_->text().toStdString(), textStored_));
}

QWidget* frmConfig::buildSummary() {
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    QFont summaryFont = frame->font();
    summaryFont.setPointSize(summaryFont.pointSize() + 1);
    frame->setFont(summaryFont);
    grid->setContentsMargins(8, 4, 8, 4);
    int row = 0;
    for (const SummaryLine& line : configSummary(state_.config)) {
        const QString caption = qs(line.caption);
        auto* value = new QLabel(frame);
        grid->addWidget(new QLabel(caption, frame), row, 0);
        grid->addWidget(value, row, 1);
        summary_[caption] = value;
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    return frame;
}

QPushButton* frmConfig::dateButton(DatePart part, int direction) const {
    auto it = dateButtons_.find({part, direction < 0 ? -1 : +1});
    return it == dateButtons_.end() ? nullptr : it->second;
}

QLabel* frmConfig::summaryValue(const QString& caption) const {
    auto it = summary_.find(caption);
    return it == summary_.end() ? nullptr : it->second;
}

void frmConfig::applyLayout(const PanelLayout& layout) {
    setShown(text_, layout.textBox);
    setShown(enter_, layout.enter);
    setShown(minus_, layout.steppers);
    setShown(plus_, layout.steppers);
    for (auto& [key, button] : dateButtons_)
        setShown(button, layout.dateButtons);
    setEnabledIf(previous_, layout.previous);
    setEnabledIf(next_, layout.next);
}

void frmConfig::refresh() {
    const RallyConfig& config = state_.config;
    for (const SummaryLine& line : configSummary(config))
        if (line.value) summary_[qs(line.caption)]->setText(qs(*line.value));

    const int field = editor_.field();
    title_->setText(QString::fromUtf8(configField(field).title));
    if (configField(field).kind == ConfigFieldKind::Text) {
        text_->setText(qs(textBoxText(config, field)));
        value_->clear();
        value_->hide();
    } else {
        value_->show();
        value_->setText(field == 3 ? shortDate(config.startDate) : qs(panelValueText(config, field)));
    }
    applyLayout(panelLayout(config, field));
    showEnterHint();
}

void frmConfig::runRoutine(bool edited) {
    refresh();
    if (auto st = saveConfig(state_, edited); !st)
        state_.messages->info(st.message());
    else if (edited)
        emit settingsSaved();
}

void frmConfig::pressEnter() {
    const int field = editor_.field();
    if (configField(field).kind != ConfigFieldKind::Text || !fieldApplies(state_.config, field)) return;
    std::string text = text_->text().toStdString();
    if (auto st = editor_.enter(state_.config, text); !st) {
        state_.messages->info(st.message());
        return;
    }
    text_->setText(qs(text));
    textStored_ = true;
    runRoutine();
    applyLayout(afterEnterLayout(field));
}

void frmConfig::closeEvent(QCloseEvent* event) {
    if (auto st = writeTemplate(state_); !st) state_.messages->info(st.message());
    event->accept();
}

} // namespace trakmora
