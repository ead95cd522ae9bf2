#pragma once
// One score group's ranked rows of a day, as the day position workbook prints them: position
// ("1", "2", ... or "NF" / "NS"), name, competition number, day total, all as text.
#include <array>
#include <string>
#include <vector>

namespace trakmora {

struct DayPositionRow {
    std::string position;
    std::string name;
    std::string compNo;
    std::string total;
    bool operator==(const DayPositionRow&) const = default;
};

struct DayPositionTable {
    std::vector<DayPositionRow> rows; // ranked, best first
};

// Score groups A..D at indexes 0..3.
using DayPositionTables = std::array<DayPositionTable, 4>;

} // namespace trakmora
