#include "gui/schedule/frmPrint.h"

#include "gui/SavedWorkbook.h"
#include "gui/ScreenPlacement.h"
#include "gui/StatusLine.h"
#include "reports/Printouts.h"
#include "schedule/ControlFiles.h"
#include "schedule/PrintMenu.h"

#include <QLabel>
#include <QPushButton>

#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace trakmora {

namespace {

// The workbook of each button, in the order of printButtons().
ScheduleWorkbook buttonWorkbook(std::size_t index) {
    constexpr std::array<ScheduleWorkbook, 3> kinds = {ScheduleWorkbook::Check, ScheduleWorkbook::Route,
                                                       ScheduleWorkbook::Marshal};
    return kinds[std::min(index, kinds.size() - 1)];
}

} // namespace

frmPrint::frmPrint(ProgramState& state, QLabel* writingLabel, QWidget* parent, std::function<int()> shownDay,
                   StatusLine* statusLine)
    : QWidget(parent, Qt::Window), state_(state), shownDay_(std::move(shownDay)), writing_(writingLabel),
      status_(statusLine) {
    setWindowTitle(QStringLiteral("Print"));
    setDesignedSize(this, QSize(twips(3075) + 60, twips(2700)));
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < printButtons().size(); ++i) {
        auto* b = new QPushButton(QString::fromLatin1(printButtons()[i].caption), this);
        b->setMinimumHeight(40);
        connect(b, &QPushButton::clicked, this, [this, i] { print(i); });
        layout->addWidget(b);
        buttons_.push_back(b);
    }
}

QPushButton* frmPrint::button(const QString& caption) const {
    for (QPushButton* b : buttons_)
        if (b->text() == caption) return b;
    return nullptr;
}

void frmPrint::print(std::size_t index) {
    // The day the route schedule screen shows now, whose lines are the ones in the table: never
    // a day another screen selected, nor the day shown when this menu opened.
    if (shownDay_) state_.rally.selectedDay = shownDay_();
    if (writing_) {
        writing_->show();
        writing_->repaint(); // the work runs on this thread: draw the label before it starts
    }
    // The workbook is only built once the control files are written.
    bool controlFilesWritten = false;
    Status workbook;
    const Status st = runPrintButton(state_, [index, &controlFilesWritten, &workbook](ProgramState& s) {
        controlFilesWritten = true;
        const ScheduleWorkbook kind = buttonWorkbook(index);
        return workbook = openedWhenSaved(s, writeScheduleWorkbook(s, kind), scheduleWorkbookFile(s, kind));
    });
    if (writing_) writing_->hide();
    if (status_ && controlFilesWritten) {
        std::vector<std::filesystem::path> written = {controlFilePath(state_, state_.rally.selectedDay)};
        if (workbook && state_.writeWorkbooks)
            written.push_back(scheduleWorkbookFile(state_, buttonWorkbook(index)));
        status_->showSaved(written);
    }
    if (!st) state_.messages->info(st.message());
    close();
}

} // namespace trakmora
