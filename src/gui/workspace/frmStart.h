#pragma once
// The Open screen: the register's long names; choosing one opens that rally.
#include "common/ProgramState.h"
#include "workspace/Workspace.h"

#include <QWidget>
#include <vector>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace trakmora {

class frmStart : public QWidget {
    Q_OBJECT
public:
    // Reads the register now: a rally created later shows only when the screen is opened again.
    frmStart(ProgramState& state, QWidget* parent = nullptr);

    QListWidget* rallyList() const { return list_; }
    QLabel* statusLabel() const { return label_; }
    // The rally chosen could not be kept open (another program writes it): the list takes a
    // choice again.
    void openingRefused();

signals:
    void rallyOpened();

private:
    void choose(QListWidgetItem* item);

    ProgramState& state_;
    std::vector<RegisterRecord> register_;
    QListWidget* list_;
    QLabel* label_;
    bool chosen_ = false;
};

} // namespace trakmora
