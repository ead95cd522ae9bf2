#pragma once
// The help screen: version, the user guide (the same text as docs/user-guide.md), licence terms
// and where to find the program and its manual.
#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace trakmora {

class frmAbout : public QWidget {
    Q_OBJECT
public:
    frmAbout(const QString& versionText, QWidget* parent = nullptr);

    QLabel* versionLabel() const { return version_; }
    QPushButton* returnButton() const { return return_; }
    QTabWidget* pages() const { return pages_; }
    QTextBrowser* guideView() const { return guide_; }
    // Scrolls the guide to the section with this heading; false when there is none.
    bool showSection(const QString& heading);

private:
    QWidget* buildLicencePage();

    QLabel* version_;
    QPushButton* return_;
    QTabWidget* pages_ = nullptr;
    QTextBrowser* guide_ = nullptr;
};

} // namespace trakmora
