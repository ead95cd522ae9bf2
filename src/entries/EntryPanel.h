#pragma once
// The entry panel of the entries screen: which entry is shown and the texts of its cells.
#include "common/EntryTable.h"

#include <optional>
#include <string>

namespace trakmora {

struct EntryView {
    std::string count; // "57  Entries Loaded"
    std::string compNo, name, year, vehicle, model, speedGroup, scoreGroup;
};

// The texts for entry `currentEntry`; nothing while no entry is current (the panel keeps what it
// shows). The speed group is the one entered in the list, not the allocated one.
std::optional<EntryView> entryView(const EntryTable& table);

// "Next": one entry on, not past the last. "Previous": one back, not before the first; with no
// entries loaded nothing is current and nothing changes.
void nextEntry(EntryTable& table);
void previousEntry(EntryTable& table);

} // namespace trakmora
