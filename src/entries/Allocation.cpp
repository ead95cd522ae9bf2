#include "entries/Allocation.h"

#include "entries/EntryList.h"

#include <algorithm>

namespace trakmora {

namespace {

// The number of groups in use when the count is valid; otherwise all four are looked at.
int groupsInUse(const RallyConfig& config) {
    return speedGroupCountValid(config) ? static_cast<int>(config.noOfSpeedGroups) : kMaxGroups;
}

} // namespace

bool speedGroupCountValid(const RallyConfig& config) {
    const double n = config.noOfSpeedGroups;
    return n == 1 || n == 2 || n == 3 || n == 4;
}

void repairAllocation(RallyConfig& config) {
    if (!speedGroupCountValid(config)) return;
    const int inUse = static_cast<int>(config.noOfSpeedGroups);
    auto& last = config.lastEntry;
    for (int g = 2; g <= inUse; ++g)
        if (last[g] <= last[g - 1]) last[g] = last[g - 1] + 1;
    for (int g = inUse + 1; g <= kMaxGroups; ++g)
        last[g] = last[inUse];
}

std::array<AllocationRow, kMaxGroups + 1> allocationRows(const RallyConfig& config) {
    std::array<AllocationRow, kMaxGroups + 1> rows{};
    const bool valid = speedGroupCountValid(config);
    for (int g = 1; g <= kMaxGroups; ++g) {
        rows[g].shown = valid && g <= config.noOfSpeedGroups;
        rows[g].from = g == 1 ? 1 : config.lastEntry[g - 1] + 1;
        rows[g].to = config.lastEntry[g];
    }
    return rows;
}

int markedAllocationGroup(const RallyConfig& config, int selectedGroup) {
    const double n = config.noOfSpeedGroups;
    if (n != 2 && n != 3 && n != 4) return 0;
    return selectedGroup;
}

void AllocationEditor::select(const RallyConfig& config) {
    ++selected_;
    if (selected_ > config.noOfSpeedGroups || selected_ > kMaxGroups) selected_ = 1;
}

void AllocationEditor::increase(RallyConfig& config) const {
    // Numbers above 300 do not exist, so a step that would push the last group in use past
    // 300 (directly or through the groups above) is not taken.
    RallyConfig trial = config;
    trial.lastEntry[selected_] += 1;
    repairAllocation(trial);
    const int last = std::max(selected_, groupsInUse(config));
    if (trial.lastEntry[last] > kMaxCompNo && trial.lastEntry[last] > config.lastEntry[last]) return;
    config.lastEntry[selected_] += 1;
}

void AllocationEditor::decrease(RallyConfig& config) const {
    // Competition numbers start at 1; the groups above A are held above the group below by the
    // order repair.
    if (config.lastEntry[selected_] - 1 < 1) return;
    config.lastEntry[selected_] -= 1;
}

bool isScoreGroup(std::string_view text) {
    return text == "A" || text == "B" || text == "C" || text == "D";
}

int firstBadScoreGroup(const EntryTable& table) {
    for (int i = 1; i <= table.count(); ++i)
        if (!isScoreGroup(table.entries[i - 1].scoreGroup)) return i;
    return 0;
}

bool loadCheckedEntryList(ProgramState& state) {
    if (auto st = loadEntryList(state); !st) {
        state.messages->info(st.message());
        return false;
    }
    if (firstBadScoreGroup(state.entries) != 0) {
        state.messages->info("You have an incorrect Score Group assignment");
        return false;
    }
    return true;
}

} // namespace trakmora
