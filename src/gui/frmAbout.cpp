#include "gui/frmAbout.h"

#include "gui/ScreenPlacement.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
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

// The guide is built into the program from docs/user-guide.md, the file the README points to.
QString userGuide() {
    QFile file(QStringLiteral(":/docs/user-guide.md"));
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("The user guide is missing from this build.");
    return QString::fromUtf8(file.readAll());
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
    QFont versionFont = version_->font();
    versionFont.setPointSize(versionFont.pointSize() + 2);
    version_->setFont(versionFont);

    guide_ = new QTextBrowser(this);
    guide_->setObjectName(QStringLiteral("userGuide"));
    guide_->setOpenLinks(false);
    guide_->setMarkdown(userGuide());
    pages_ = new QTabWidget(this);
    pages_->addTab(guide_, QStringLiteral("User Guide"));
    pages_->addTab(buildLicencePage(), QStringLiteral("License Agreement"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(pages_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(return_);
    layout->addLayout(buttons);

    connect(return_, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* frmAbout::buildLicencePage() {
    auto* page = new QWidget(this);
    auto* heading = new QLabel(QStringLiteral("License Agreement"), page);
    QFont headingFont = heading->font();
    headingFont.setPointSize(headingFont.pointSize() + 6);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(18);
    layout->addWidget(heading);
    layout->addWidget(paragraph(
        QStringLiteral("Trakmora is offered free of charge to the organisers of regularity rallies for "
                       "vintage vehicles. It may be used and passed on freely but it may not be sold, on its "
                       "own or as part of another product. The source code remains the property of its "
                       "authors; it is provided as it is, without any warranty, and the authors accept no "
                       "liability for results produced with it."),
        page));
    layout->addWidget(paragraph(
        QStringLiteral("The program, the Operating Manual and notes on specific loggers can be downloaded "
                       "from the organisers' rally web page."),
        page));
    layout->addWidget(paragraph(
        QStringLiteral("Please read the Operating Manual first; queries it does not answer can be sent to "
                       "the organisers' contact e-mail address given on the rally web page."),
        page));
    layout->addStretch();
    return page;
}

bool frmAbout::showSection(const QString& heading) {
    for (QTextBlock b = guide_->document()->begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() == 0 || b.text() != heading) continue;
        pages_->setCurrentWidget(guide_);
        guide_->setTextCursor(QTextCursor(b));
        // The section's heading at the top of the view, not just somewhere in it.
        const QRectF where = guide_->document()->documentLayout()->blockBoundingRect(b);
        guide_->verticalScrollBar()->setValue(static_cast<int>(where.top()));
        return true;
    }
    return false;
}

} // namespace trakmora
