#pragma once
// The Configuration screen: the 30 settings edited one field at a time, with a summary of all of
// them beside the editing panel. Every button is one ConfigEditor call followed by the
// configuration routine (refresh, then saveConfig).
#include "common/ProgramState.h"
#include "workspace/ConfigEditor.h"

#include <QWidget>
#include <map>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace trakmora {

struct PanelLayout;

class frmConfig : public QWidget {
    Q_OBJECT
public:
    frmConfig(ProgramState& state, QWidget* parent = nullptr);

    // Step 1 of the configuration routine: the summary and the panel of the current field.
    void refresh();

    const ConfigEditor& editor() const { return editor_; }
    QLabel* fieldNumberLabel() const { return fieldNumber_; }
    QLabel* titleLabel() const { return title_; }
    QLabel* valuePanel() const { return value_; }
    QLineEdit* textBox() const { return text_; }
    // "Press Enter to store" beside the text box while the typed text is not stored.
    QLabel* enterHint() const { return enterHint_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* enterButton() const { return enter_; }
    QPushButton* minusButton() const { return minus_; }
    QPushButton* plusButton() const { return plus_; }
    // "d-", "m-", "y-" (direction -1) and "d+", "m+", "y+" (+1).
    QPushButton* dateButton(DatePart part, int direction) const;
    // The summary value beside `caption` ("Start Date", "Group C Speed", ...), or null.
    QLabel* summaryValue(const QString& caption) const;

signals:
    // The settings were saved on purpose (after damaged settings were opened, the first change).
    void settingsSaved();
    // The organiser asked for this section of the user guide.
    void helpRequested(const QString& section);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPanel();
    QWidget* buildSummary();
    QWidget* buildFooter();
    void moveTo(void (ConfigEditor::*move)());
    void showEnterHint();
    void applyLayout(const PanelLayout& layout);
    void runRoutine(bool edited = true);
    void pressEnter();

    ProgramState& state_;
    ConfigEditor editor_;
    QLabel* fieldNumber_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* value_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLabel* enterHint_ = nullptr;
    bool textStored_ = false; // "Enter" stored the text field on this visit
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* enter_ = nullptr;
    QPushButton* minus_ = nullptr;
    QPushButton* plus_ = nullptr;
    std::map<std::pair<DatePart, int>, QPushButton*> dateButtons_;
    std::map<QString, QLabel*> summary_;
    QTimer* fieldNumberTimer_ = nullptr;
};

} // namespace trakmora
