#pragma once
// The print menu of the route schedule screen: three buttons, each writing the selected day's
// control files and then its workbook, with "Writing to Excel" shown on the route schedule screen
// meanwhile. The menu closes when a button has done its work.
#include "common/ProgramState.h"

#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;

namespace trakmora {

class frmPrint : public QWidget {
    Q_OBJECT
public:
    frmPrint(ProgramState& state, QLabel* writingLabel, QWidget* parent = nullptr);
    QPushButton* button(const QString& caption) const;

private:
    void print(std::size_t index);

    ProgramState& state_;
    int day_; // the route schedule's day when the menu opened: printed whatever is selected since
    QLabel* writing_;
    std::vector<QPushButton*> buttons_;
};

} // namespace trakmora
