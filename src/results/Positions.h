#pragma once
// Numbering ranked rows: finishers get 1, 2, 3, ...; non-finishers "NF" and non-starters "NS",
// which keep their place in the order but use up no number.
#include "results/DayMatrix.h"

#include <string>
#include <vector>

namespace trakmora {

// Positions for rows already in ranked order, given each row's competition number.
std::vector<std::string> numberPositions(const std::vector<int>& rankedCompNos, const DayMatrix& matrix);

// The score group index 0..3 of exactly "A".."D" (case matters), or -1.
int scoreGroupIndex(const std::string& scoreGroup);

} // namespace trakmora
