#pragma once
// The entry list in memory: header texts and entries in file order.
#include <array>
#include <string>
#include <vector>

namespace trakmora {

inline constexpr int kMaxEntries = 300;

struct Entry {
    int compNo = 0;
    std::string name, year, vehicle, type, speed, scoreGroup;
    std::array<double, 6> dayResult{}; // days 1..5
    bool operator==(const Entry&) const = default;
};

struct EntryTable {
    std::array<std::string, 12> header{};
    std::vector<Entry> entries; // entry i of the file is entries[i - 1]
    int currentEntry = 0;       // 1-based entry shown on the entries screen
    int count() const { return static_cast<int>(entries.size()); }
};

} // namespace trakmora
