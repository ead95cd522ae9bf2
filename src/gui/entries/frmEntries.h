#pragma once
// The Entries screen: the competition number allocation table with "Select", "Increase" and
// "Decrease", and the loaded entry list browsed one entry at a time.
#include "common/ProgramState.h"
#include "entries/Allocation.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

namespace trakmora {

class frmEntries : public QWidget {
    Q_OBJECT
public:
    frmEntries(ProgramState& state, QWidget* parent = nullptr);

    int selectedGroup() const { return allocation_.selectedGroup(); }
    // Row captions, From and To cells of groups 1..4 (A..D).
    QLabel* groupCaption(int group) const { return captions_[group]; }
    QLabel* fromCell(int group) const { return from_[group]; }
    QLabel* toCell(int group) const { return to_[group]; }
    QPushButton* selectButton() const { return select_; }
    QPushButton* increaseButton() const { return increase_; }
    QPushButton* decreaseButton() const { return decrease_; }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* loadButton() const { return load_; }
    QLabel* countLabel() const { return count_; }
    // Value cells of the entry panel: 0 "Competition No", 1 "Name/s", 2 "Year", 3 "Vehicle",
    // 4 "Model", 5 "Speed Group", 6 "Score Group".
    QLabel* entryCell(int index) const { return entryCells_[index]; }

signals:
    // The allocation moved a boundary and saved the configuration.
    void configurationChanged();
    // "Load Entry List" was pressed: true when the list loaded with valid score groups, false when
    // it could not be loaded or holds an invalid score group (scoring is then not allowed).
    void scoringAllowed(bool allowed);

private:
    QWidget* buildAllocation();
    QWidget* buildEntryPanel();
    void updateAllocation();
    void showEntry();
    void loadEntries();

    ProgramState& state_;
    AllocationEditor allocation_;
    std::array<QLabel*, kMaxGroups + 1> captions_{};
    std::array<QLabel*, kMaxGroups + 1> from_{};
    std::array<QLabel*, kMaxGroups + 1> to_{};
    std::array<QLabel*, 7> entryCells_{};
    QPushButton* select_ = nullptr;
    QPushButton* increase_ = nullptr;
    QPushButton* decrease_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* load_ = nullptr;
    QLabel* count_ = nullptr;
};

} // namespace trakmora
