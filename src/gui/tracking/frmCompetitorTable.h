#pragma once
// The table that ends "Score all" and "Score again": one row per competitor of the run with the
// controls scored, the day total and what went wrong, if anything. Closes with OK.
#include "tracking/ScoreDay.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace trakmora {

class frmCompetitorTable : public QDialog {
public:
    // "No", "Controls scored", "Day total", "File", "Message".
    static constexpr int kColumns = 5;

    frmCompetitorTable(const DaySummary& summary, int day, QWidget* parent);

    QTableWidget* table() const { return table_; }
    QLabel* summaryLabel() const { return summary_; }

private:
    QLabel* summary_;
    QTableWidget* table_;
};

} // namespace trakmora
