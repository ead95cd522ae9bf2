#include "app/frmAbout.h"

#include "app/ScreenPlacement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace trakmora {

namespace {

QLabel* paragraph(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + 2);
    label->setFont(font);
    return label;
}

} // namespace

frmAbout::frmAbout(const QString& versionText, QWidget* parent)
    : QWidget(parent, Qt::Window), version_(new QLabel(versionText, this)),
      return_(new QPushButton(QStringLiteral("Return"), this)) {
    setWindowTitle(QStringLiteral("Help"));
    setDesignedSize(this, QSize(twips(13650), twips(9000)));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(48, 48));
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(version_, 1);

    auto* heading = new QLabel(QStringLiteral("License Agreement"), this);
    QFont headingFont = heading->font();
    headingFont.setPointSize(headingFont.pointSize() + 6);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    QFont versionFont = version_->font();
    versionFont.setPointSize(versionFont.pointSize() + 2);
    version_->setFont(versionFont);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 24, 30, 24);
    layout->setSpacing(18);
    layout->addLayout(top);
    layout->addWidget(heading);
    layout->addWidget(paragraph(
        QStringLiteral("Trakmora is offered free of charge to the organisers of regularity rallies for "
                       "vintage vehicles. It may be used and passed on freely but it may not be sold, on its "
                       "own or as part of another product. The source code remains the property of its "
                       "authors; it is provided as it is, without any warranty, and the authors accept no "
                       "liability for results produced with it."),
        this));
    layout->addWidget(paragraph(
        QStringLiteral("The program, the Operating Manual and notes on specific loggers can be downloaded "
                       "from the organisers' rally web page."),
        this));
    layout->addWidget(paragraph(
        QStringLiteral("Please read the Operating Manual first; queries it does not answer can be sent to "
                       "the organisers' contact e-mail address given on the rally web page."),
        this));
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(return_);
    layout->addLayout(buttons);

    connect(return_, &QPushButton::clicked, this, &QWidget::close);
}

} // namespace trakmora
