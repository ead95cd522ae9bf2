#pragma once
// One score group's ranked rows of the final results, as the final workbook prints them:
// position ("1", "2", ... or "NF" / "NS"), name, competition number, Day 1..Day 5, final, all as
// text (numbers in the form the FinalScore files hold).
#include <array>
#include <string>
#include <vector>

namespace trakmora {

struct FinalPositionRow {
    std::string position;
    std::string name;
    std::string compNo;
    std::array<std::string, 5> days; // Day 1..Day 5
    std::string final;
    bool operator==(const FinalPositionRow&) const = default;
};

struct FinalPositionTable {
    std::vector<FinalPositionRow> rows; // ranked, best first
};

// Score groups A..D at indexes 0..3.
using FinalPositionTables = std::array<FinalPositionTable, 4>;

} // namespace trakmora
