#include "gui/tracking/frmCompetitorTable.h"

#include "common/Format.h"
#include "gui/QtText.h"
#include "gui/ScreenPlacement.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace trakmora {

namespace {

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

frmCompetitorTable::frmCompetitorTable(const DaySummary& summary, int day, QWidget* parent)
    : QDialog(parent), summary_(new QLabel(this)), table_(new QTableWidget(this)) {
    setObjectName(QStringLiteral("competitorTable"));
    setWindowTitle(QStringLiteral("Competitors scored, day %1").arg(day));
    const int failed = static_cast<int>(summary.messages.size());
    summary_->setText(QStringLiteral("Downloads imported: %1. Competitors scored: %2. %3")
                          .arg(summary.downloadsImported)
                          .arg(summary.competitorsScored)
                          .arg(failed == 0
                                   ? QStringLiteral("No messages.")
                                   : QStringLiteral("Messages: %1, in the last column.").arg(failed)));
    summary_->setWordWrap(true);

    table_->setColumnCount(kColumns);
    table_->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("Controls scored"),
                                       QStringLiteral("Day total"), QStringLiteral("File"),
                                       QStringLiteral("Message")});
    table_->setRowCount(static_cast<int>(summary.competitors.size()));
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(true);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const CompetitorOutcome& c = summary.competitors[static_cast<std::size_t>(row)];
        table_->setItem(row, 0,
                        cell(c.competitorNo > 0 ? QString::number(c.competitorNo) : QString(), right));
        table_->setItem(row, 1, cell(qText(controlsScoredText(c)), right));
        table_->setItem(row, 2, cell(c.scored ? qText(formatNumber(c.dayTotal)) : QString(), right));
        table_->setItem(row, 3, cell(qText(c.fileName)));
        QTableWidgetItem* message = cell(qText(c.message));
        message->setToolTip(message->text());
        if (!c.message.empty()) message->setForeground(QColor(170, 20, 20));
        table_->setItem(row, 4, message);
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addWidget(ok);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(680, 420);
}

} // namespace trakmora
