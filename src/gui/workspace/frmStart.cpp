#include "gui/workspace/frmStart.h"

#include "gui/QtText.h"
#include "gui/ScreenPlacement.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace trakmora {

frmStart::frmStart(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), list_(new QListWidget(this)), label_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Open "));
    setDesignedSize(this, QSize(twips(8370), twips(6840)));
    QFont bigger = label_->font();
    bigger.setPointSize(bigger.pointSize() + 3);
    label_->setFont(bigger);
    label_->setWordWrap(true);
    QFont listFont = list_->font();
    listFont.setPointSize(listFont.pointSize() + 2);
    list_->setFont(listFont);
    list_->setSpacing(2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(list_);

    if (auto st = readRegisterSkippingBadLines(state_, register_); !st) state_.messages->info(st.message());
    for (const auto& r : register_)
        list_->addItem(qText(r.longName));
    label_->setText(QStringLiteral("Select Rally"));

    connect(list_, &QListWidget::itemClicked, this, &frmStart::choose);
    connect(list_, &QListWidget::itemActivated, this, &frmStart::choose);
}

void frmStart::choose(QListWidgetItem* item) {
    if (chosen_ || !item) return;
    // The name as the register holds it: the list shows it converted for the screen (a name
    // saved in Windows-1252 reads differently once converted).
    const int row = list_->row(item);
    const std::string longName = row >= 0 && static_cast<std::size_t>(row) < register_.size()
                                     ? register_[static_cast<std::size_t>(row)].longName
                                     : item->text().toStdString();
    if (longName.empty()) {
        // Nothing to open: the rally open before (if any) stays as it is and another line can
        // still be chosen.
        state_.messages->info("No file selected");
        return;
    }
    const Status st = openRallyByLongName(state_, longName);
    // A damaged configuration is reported, yet the rally is open with default settings.
    const bool opened = st.ok() || state_.rally.longName == longName;
    if (!st) state_.messages->info(st.message());
    if (!opened) return;
    chosen_ = true;
    label_->setText(item->text() + QStringLiteral(" is now open"));
    list_->setEnabled(false);
    emit rallyOpened();
}

void frmStart::openingRefused() {
    chosen_ = false;
    label_->setText(QStringLiteral("Select Rally"));
    list_->setEnabled(true);
}

} // namespace trakmora
