#include "app/frmPlaceholder.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trakmora {

frmPlaceholder::frmPlaceholder(const QString& title, QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(title);
    auto* text = new QLabel(QStringLiteral("The %1 screen is coming in a later version of Trakmora.").arg(title),
                            this);
    text->setObjectName(QStringLiteral("placeholderText"));
    text->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(close, 0, Qt::AlignRight);
    setMinimumWidth(380);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

} // namespace trakmora
