#pragma once
// Stands in for a screen that this version does not have yet.
#include <QWidget>

namespace trakmora {

class frmPlaceholder : public QWidget {
    Q_OBJECT
public:
    frmPlaceholder(const QString& title, QWidget* parent = nullptr);
};

} // namespace trakmora
