#pragma once
// The help screen: version, licence terms and where to find the program and its manual.
#include <QWidget>

class QLabel;
class QPushButton;

namespace trakmora {

class frmAbout : public QWidget {
    Q_OBJECT
public:
    frmAbout(const QString& versionText, QWidget* parent = nullptr);

    QLabel* versionLabel() const { return version_; }
    QPushButton* returnButton() const { return return_; }

private:
    QLabel* version_;
    QPushButton* return_;
};

} // namespace trakmora
