#pragma once
// The New screen: a long and a short name, "Save and Exit" creates the rally.
#include "common/ProgramState.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace trakmora {

class frmNew : public QWidget {
    Q_OBJECT
public:
    frmNew(ProgramState& state, QWidget* parent = nullptr);

    QLineEdit* longNameBox() const { return longName_; }
    QLineEdit* shortNameBox() const { return shortName_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void rallyCreated();

private:
    void saveAndExit();

    ProgramState& state_;
    QLineEdit* longName_;
    QLineEdit* shortName_;
    QPushButton* save_;
    QPushButton* cancel_;
};

} // namespace trakmora
