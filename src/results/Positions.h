#pragma once
// Numbering ranked rows: finishers get 1, 2, 3, ...; non-finishers "NF" and non-starters "NS",
// which keep their place in the order but use up no number.
#include "results/DayMatrix.h"

#include <algorithm>
#include <string>
#include <vector>

namespace trakmora {

// Positions for rows already in ranked order, given each row's competition number.
std::vector<std::string> numberPositions(const std::vector<int>& rankedCompNos, const DayMatrix& matrix);

// A row of a score group waiting to be ranked: ordered by `key`, lowest first.
template <typename Row> struct RankedRow {
    Row row;
    int compNo = 0;
    double key = 0;
};

// Ranks one score group into `table`: a stable sort by key (equal keys keep the order they came
// in), then the numbering above. Row must have a text `position`.
template <typename Row, typename Table>
void rankGroup(std::vector<RankedRow<Row>>& rows, const DayMatrix& matrix, Table& table) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const RankedRow<Row>& a, const RankedRow<Row>& b) { return a.key < b.key; });
    std::vector<int> numbers;
    for (const RankedRow<Row>& r : rows)
        numbers.push_back(r.compNo);
    const std::vector<std::string> positions = numberPositions(numbers, matrix);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        table.rows.push_back(rows[i].row);
        table.rows.back().position = positions[i];
    }
}

// The score group index 0..3 of exactly "A".."D" (case matters), or -1.
int scoreGroupIndex(const std::string& scoreGroup);

} // namespace trakmora
