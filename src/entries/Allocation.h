#pragma once
// The competition number allocation: speed group A holds the numbers 1..LastEntry[A], group B
// LastEntry[A]+1..LastEntry[B], and so on. The entries screen moves these boundaries with
// "Select", "Increase" and "Decrease"; the boundaries live in RallyConfig, so every change is
// followed by the configuration routine (saveConfig). Also the score group check of a loaded
// entry list, which the entries screen and the command line share.
#include "common/EntryTable.h"
#include "common/ProgramState.h"
#include "common/RallyConfig.h"

#include <array>
#include <string_view>

namespace trakmora {

inline constexpr int kMaxCompNo = 300;

// Keeps the boundaries of the groups in use in increasing order, repairing B, then C, then D
// against the value just repaired (a boundary pushed up pushes the next ones), and copies the
// last group in use into the groups not in use. A group count other than exactly 1..4 leaves
// everything as it is.
void repairAllocation(RallyConfig& config);

struct AllocationRow {
    bool shown = false; // the group is in use
    double from = 0;
    double to = 0;
};
// Rows A..D (index 1..4) of the allocation table. With a group count other than exactly 1..4
// every row keeps `shown` false and the caller keeps the rows as they are shown.
std::array<AllocationRow, kMaxGroups + 1> allocationRows(const RallyConfig& config);
// True when NoOfSpeedGroups is exactly 1, 2, 3 or 4.
bool speedGroupCountValid(const RallyConfig& config);

// The group whose To cell is marked, or 0: only with two to four groups in use.
int markedAllocationGroup(const RallyConfig& config, int selectedGroup);

// The allocation table's state between button presses.
class AllocationEditor {
public:
    int selectedGroup() const { return selected_; }

    // "Select": the next group in use, after the last one group A again.
    void select(const RallyConfig& config);
    // "Increase" / "Decrease" the selected group's boundary, then repair the order. Increase
    // stops where the last group in use would pass 300; Decrease on group A stops at 1.
    void increase(RallyConfig& config) const;
    void decrease(RallyConfig& config) const;

private:
    int selected_ = 1;
};

// Exactly "A", "B", "C" or "D" (case matters).
bool isScoreGroup(std::string_view text);
// The position (1-based) of the first entry without a valid score group, or 0.
int firstBadScoreGroup(const EntryTable& table);

// "Load Entry List": loads EntryList.csv and checks its score groups, telling the organiser
// through the state's messages. True when the entries may be shown and scoring enabled; false
// after a missing or unreadable file (no entries are then in use) or "You have an incorrect
// Score Group assignment".
bool loadCheckedEntryList(ProgramState& state);

} // namespace trakmora
