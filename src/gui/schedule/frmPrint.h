#pragma once
// The print menu of the route schedule screen: three buttons, each writing the selected day's
// control files and then its workbook, with "Writing to Excel" shown on the route schedule screen
// meanwhile. The menu closes when a button has done its work.
#include "common/ProgramState.h"

#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;

namespace trakmora {

class StatusLine;

class frmPrint : public QWidget {
    Q_OBJECT
public:
    // `shownDay` gives the day of the route schedule screen at each click; without it the rally's
    // selected day is printed. `statusLine` (on the screen the organiser returns to when the menu
    // closes) says which files a button wrote.
    frmPrint(ProgramState& state, QLabel* writingLabel, QWidget* parent = nullptr,
             std::function<int()> shownDay = {}, StatusLine* statusLine = nullptr);
    QPushButton* button(const QString& caption) const;

private:
    void print(std::size_t index);

    ProgramState& state_;
    std::function<int()> shownDay_;
    QLabel* writing_;
    StatusLine* status_;
    std::vector<QPushButton*> buttons_;
};

} // namespace trakmora
