#include "schedule/frmPrint.h"

#include "app/SavedWorkbook.h"
#include "app/ScreenPlacement.h"
#include "reports/ReportInputs.h"
#include "reports/RouteScheduleWorkbooks.h"
#include "schedule/PrintMenu.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trakmora {

namespace {

// The workbook of each button, in the order of printButtons(); the control files are written
// before any of them.
Status printWorkbook(ProgramState& state, std::size_t index) {
    const RouteScheduleInput input = routeScheduleInputFor(state);
    const int day = state.rally.selectedDay;
    Status st;
    std::filesystem::path file;
    switch (index) {
    case 0:
        st = writeCheckRouteScheduleWorkbook(state, input);
        file = checkRouteScheduleFile(state, day);
        break;
    case 1:
        st = writeRouteScheduleWorkbook(state, input);
        file = routeScheduleFile(state, day);
        break;
    default:
        st = writeVirtualMarshalWorkbook(state, input);
        file = virtualMarshalFile(state, day);
        break;
    }
    if (st) openSavedWorkbook(state, file);
    return st;
}

} // namespace

frmPrint::frmPrint(ProgramState& state, QLabel* writingLabel, QWidget* parent, std::function<int()> shownDay)
    : QWidget(parent, Qt::Window), state_(state), shownDay_(std::move(shownDay)), writing_(writingLabel) {
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
    const Status st = runPrintButton(state_, [index](ProgramState& s) { return printWorkbook(s, index); });
    if (writing_) writing_->hide();
    if (!st) state_.messages->info(st.message());
    close();
}

} // namespace trakmora
