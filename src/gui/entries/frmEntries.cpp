#include "gui/entries/frmEntries.h"

#include "common/Format.h"
#include "entries/EntryPanel.h"
#include "gui/QtText.h"
#include "gui/ScreenPlacement.h"
#include "workspace/ConfigFile.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trakmora {

namespace {

const char* const kNote = "Scoring calculations are based on the COMPETITION NUMBER ALLOCATION table on the "
                          "left. This table is not "
                          "automatically updated when the ENTRY LIST is loaded. To ensure that the correct "
                          "speed group is used when "
                          "calculating scores, this table must be updated manually to match the speed groups "
                          "shown in the entry list.";

const char* const kPlainCell =
    "QLabel { background: white; color: black; border: 1px solid #808080; padding: 2px; }";
const char* const kMarkedCell =
    "QLabel { background: #0000ff; color: white; border: 1px solid #808080; padding: 2px; }";

QLabel* cell(QWidget* parent, int minimumWidth) {
    auto* label = new QLabel(parent);
    label->setStyleSheet(QString::fromLatin1(kPlainCell));
    label->setMinimumWidth(minimumWidth);
    return label;
}

QLabel* bold(const QString& text, QWidget* parent, int extraPoints = 0) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + extraPoints);
    label->setFont(f);
    return label;
}

QString qs(const std::string& s) {
    return qText(s);
}

} // namespace

frmEntries::frmEntries(ProgramState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state) {
    setWindowTitle(QStringLiteral("Entries"));
    setDesignedSize(this, QSize(twips(12000), twips(7500)));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildAllocation(), 0);
    layout->addSpacing(12);
    layout->addWidget(buildEntryPanel(), 1);
    updateAllocation();
    showEntry();
}

QWidget* frmEntries::buildAllocation() {
    auto* panel = new QWidget(this);
    panel->setFixedWidth(370);
    auto* grid = new QGridLayout;
    grid->addWidget(bold(QStringLiteral("From"), panel), 0, 1, Qt::AlignCenter);
    grid->addWidget(bold(QStringLiteral("To"), panel), 0, 2, Qt::AlignCenter);
    const char* const captions[] = {"", "Speed Group A", "Speed Group B", "Speed Group C", "Speed Group D "};
    for (int g = 1; g <= kMaxGroups; ++g) {
        captions_[g] = new QLabel(QString::fromLatin1(captions[g]), panel);
        from_[g] = cell(panel, 60);
        to_[g] = cell(panel, 60);
        from_[g]->setAlignment(Qt::AlignCenter);
        to_[g]->setAlignment(Qt::AlignCenter);
        grid->addWidget(captions_[g], g, 0);
        grid->addWidget(from_[g], g, 1);
        grid->addWidget(to_[g], g, 2);
    }
    select_ = new QPushButton(QStringLiteral("Select"), panel);
    increase_ = new QPushButton(QStringLiteral("Increase"), panel);
    decrease_ = new QPushButton(QStringLiteral("Decrease"), panel);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {select_, increase_, decrease_})
        buttons->addWidget(b);
    auto* note = new QLabel(QString::fromLatin1(kNote), panel);
    note->setWordWrap(true);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(bold(QStringLiteral("Competition Number Allocation"), panel, 2));
    column->addLayout(grid);
    column->addSpacing(6);
    column->addLayout(buttons);
    column->addSpacing(12);
    column->addWidget(note);
    column->addStretch();

    connect(select_, &QPushButton::clicked, this, [this] {
        allocation_.select(state_.config);
        updateAllocation();
    });
    connect(increase_, &QPushButton::clicked, this, [this] {
        allocation_.increase(state_.config);
        updateAllocation();
    });
    connect(decrease_, &QPushButton::clicked, this, [this] {
        allocation_.decrease(state_.config);
        updateAllocation();
    });
    return panel;
}

QWidget* frmEntries::buildEntryPanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout;
    const char* const captions[] = {"Competition No", "Name/s",      "Year",       "Vehicle",
                                    "Model",          "Speed Group", "Score Group"};
    for (int i = 0; i < 7; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(captions[i]), panel), i, 0);
        entryCells_[i] = cell(panel, 120);
        grid->addWidget(entryCells_[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
    count_ = bold(QStringLiteral("No of Entries loaded"), panel, 1);
    previous_ = new QPushButton(QStringLiteral("Previous"), panel);
    next_ = new QPushButton(QStringLiteral("Next"), panel);
    load_ = new QPushButton(QStringLiteral("Load Entry List"), panel);
    auto* moves = new QHBoxLayout;
    moves->addWidget(previous_);
    moves->addWidget(next_);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(count_);
    column->addSpacing(6);
    column->addLayout(grid);
    column->addSpacing(6);
    column->addLayout(moves);
    column->addStretch();
    column->addWidget(load_);

    connect(previous_, &QPushButton::clicked, this, [this] {
        previousEntry(state_.entries);
        showEntry();
    });
    connect(next_, &QPushButton::clicked, this, [this] {
        nextEntry(state_.entries);
        showEntry();
    });
    connect(load_, &QPushButton::clicked, this, &frmEntries::loadEntries);
    return panel;
}

void frmEntries::updateAllocation() {
    RallyConfig& config = state_.config;
    repairAllocation(config);
    const auto rows = allocationRows(config);
    const bool countValid = speedGroupCountValid(config);
    const int marked = markedAllocationGroup(config, allocation_.selectedGroup());
    for (int g = 1; g <= kMaxGroups; ++g) {
        if (countValid)
            for (QLabel* l : {captions_[g], from_[g], to_[g]})
                l->setVisible(rows[g].shown);
        from_[g]->setText(qs(formatNumber(rows[g].from)));
        to_[g]->setText(qs(formatNumber(rows[g].to)));
        to_[g]->setStyleSheet(QString::fromLatin1(g == marked ? kMarkedCell : kPlainCell));
    }
    // The configuration routine: the configuration screen follows, then config3.csv is saved.
    emit configurationChanged();
    if (auto st = saveConfig(state_); !st) state_.messages->info(st.message());
}

void frmEntries::showEntry() {
    const auto view = entryView(state_.entries);
    if (!view) {
        count_->setText(QStringLiteral("No of Entries loaded"));
        for (QLabel* cell : entryCells_)
            cell->clear();
        return;
    }
    count_->setText(qs(view->count));
    const std::string* values[] = {&view->compNo, &view->name,       &view->year,      &view->vehicle,
                                   &view->model,  &view->speedGroup, &view->scoreGroup};
    for (int i = 0; i < 7; ++i)
        entryCells_[i]->setText(qs(*values[i]));
}

void frmEntries::loadEntries() {
    const bool allowed = loadCheckedEntryList(state_);
    // A list with a wrong score group is not shown; one that could not be loaded leaves none.
    if (allowed || state_.entries.count() == 0) showEntry();
    emit scoringAllowed(allowed);
}

} // namespace trakmora
