#include "gui/workspace/frmNew.h"

#include "workspace/Workspace.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace trakmora {

frmNew::frmNew(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), longName_(new QLineEdit(this)),
      shortName_(new QLineEdit(this)), save_(new QPushButton(QStringLiteral("Save and Exit"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(QStringLiteral("New"));
    longName_->setMinimumWidth(260);
    shortName_->setMaxLength(64);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("RALLY NAME:"), this), 0, 0);
    grid->addWidget(longName_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("SHORT RALLY NAME:"), this), 1, 0);
    grid->addWidget(shortName_, 1, 1);
    auto* hint = new QLabel(QStringLiteral("up to 12 characters, for naming directories and folders\n"
                                           "Do not use punctuation symbols, comma's etc"),
                            this);
    hint->setObjectName(QStringLiteral("shortNameHint"));
    grid->addWidget(hint, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(save_, &QPushButton::clicked, this, &frmNew::saveAndExit);
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
}

void frmNew::saveAndExit() {
    const std::string before = state_.rally.shortName;
    const std::string wanted = shortName_->text().trimmed().toStdString();
    const Status st = createRally(state_, longName_->text().toStdString(), shortName_->text().toStdString());
    // The rally may be created and open while its configuration could not be saved: it is open
    // all the same, and the message says what went wrong.
    const bool created = st.ok() || (state_.rally.shortName == wanted && state_.rally.shortName != before);
    if (!st) state_.messages->info(st.message());
    if (!created) return;
    emit rallyCreated();
    close();
}

} // namespace trakmora
