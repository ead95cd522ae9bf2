#include "entries/EntryPanel.h"

#include <algorithm>

namespace trakmora {

std::optional<EntryView> entryView(const EntryTable& table) {
    const int current = table.currentEntry;
    if (current < 1 || current > table.count()) return std::nullopt;
    const Entry& e = table.entries[current - 1];
    EntryView v;
    v.count = std::to_string(table.count()) + "  Entries Loaded";
    v.compNo = std::to_string(e.compNo);
    v.name = e.name;
    v.year = e.year;
    v.vehicle = e.vehicle;
    v.model = e.type;
    v.speedGroup = e.speed;
    v.scoreGroup = e.scoreGroup;
    return v;
}

void nextEntry(EntryTable& table) {
    table.currentEntry = std::min(table.currentEntry + 1, table.count());
}

void previousEntry(EntryTable& table) {
    // Going back from "nothing loaded" would point at an entry that does not exist.
    if (table.count() == 0) return;
    table.currentEntry = std::max(table.currentEntry - 1, 1);
}

} // namespace trakmora
