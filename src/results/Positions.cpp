#include "results/Positions.h"

namespace trakmora {

std::vector<std::string> numberPositions(const std::vector<int>& rankedCompNos, const DayMatrix& matrix) {
    std::vector<std::string> positions;
    int counter = 1;
    for (int compNo : rankedCompNos) {
        switch (matrix.state(compNo)) {
        case CellState::NonFinisher:
            positions.emplace_back("NF");
            break;
        case CellState::NonStarter:
            positions.emplace_back("NS");
            break;
        case CellState::Finisher:
            positions.push_back(std::to_string(counter++));
            break;
        }
    }
    return positions;
}

int scoreGroupIndex(const std::string& scoreGroup) {
    if (scoreGroup.size() != 1 || scoreGroup[0] < 'A' || scoreGroup[0] > 'D') return -1;
    return scoreGroup[0] - 'A';
}

} // namespace trakmora
